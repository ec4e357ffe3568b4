// Every text of the dialogue, as code page 437 bytes. The source keeps them
// readable in UTF-8; the _cp437 literal converts them at compile time.
#pragma once

#include <string_view>

#include "textio/cp437.h"

namespace dialogue::texts {

using namespace textio::literals;

// Title block (screen only).
inline constexpr std::string_view title =
    "   Berechnung einer Vollfarbe und ihrer farbtongleichen Wellenlänge"_cp437;
inline constexpr std::string_view title_rule =
    "   ================================================================";
inline constexpr std::string_view range_line =
    "   kompensative Wellenlängen      380 nm -- 493.8 nm   69.6 nm -- 760 nm"_cp437;
inline constexpr std::string_view limit_prompt = " Eingabe der Grenzwellenlänge:"_cp437;

// l/lc lines (screen) and record (report file).
inline constexpr std::string_view limit_line = "   Die Grenzwellenlänge ist l ="_cp437;
inline constexpr std::string_view compensative_line =
    "   Die kompensative Wellenlänge ist lc ="_cp437;
inline constexpr std::string_view record_l_middle = "l= ";
inline constexpr std::string_view record_l_end = "      l= ";
inline constexpr std::string_view record_lc = "  lc= ";

// Middle pigment.
inline constexpr std::string_view middle_X = "   Ergebnis Mittelpigment: X opt = ";
inline constexpr std::string_view middle_Y = "                           Y opt = ";
inline constexpr std::string_view middle_Z = "                           Z opt = ";
inline constexpr std::string_view middle_x = "                               x = ";
inline constexpr std::string_view middle_y = "                               y = ";

// Middle-gap pigment.
inline constexpr std::string_view gap_X = "   Ergebnis Mittelfehlpigment: X opt = ";
inline constexpr std::string_view gap_Y = "                               Y opt = ";
inline constexpr std::string_view gap_Z = "                               Z opt = ";
inline constexpr std::string_view gap_x = "                                   x = ";
inline constexpr std::string_view gap_y = "                                   y = ";

// Shared by the middle and middle-gap blocks (and the short-end report lines).
inline constexpr std::string_view moment_3 = "   Farbmoment: M voll = ";
inline constexpr std::string_view shares_3 = "   Farbwertanteile";

// Short-end and long-end pigments.
inline constexpr std::string_view short_X = "    Ergebnis Kurzendpigment: X opt = ";
inline constexpr std::string_view long_X = "    Ergebnis Langendpigment: X opt = ";
inline constexpr std::string_view end_Y = "                             Y opt = ";
inline constexpr std::string_view end_Z = "                             Z opt = ";
inline constexpr std::string_view moment_4 = "    Farbmoment: M voll = ";
inline constexpr std::string_view moment_4_tight = "    Farbmoment: M voll =";
inline constexpr std::string_view shares_4 = "    Farbwertanteile";
inline constexpr std::string_view end_x_screen = "                                 x = ";
inline constexpr std::string_view end_y_screen = "                                 y = ";
inline constexpr std::string_view short_x_report = "                                x = ";
inline constexpr std::string_view short_y_report = "                                y = ";

// End-pigment choice (screen).
inline constexpr std::string_view choose_short =
    "              Berechnung eines Kurzendpigmentes: ** 1 **";
inline constexpr std::string_view choose_long =
    "              Berechnung eines Langendpigmentes: ** 2 **";

// Hue-equal block.
inline constexpr std::string_view hue_equal_l1 =
    "     Die fartongleiche Wellenlänge ist l1 ="_cp437;
inline constexpr std::string_view hue_equal_l2 =
    "     Die fartongleiche Wellenlänge ist l2 ="_cp437;

// Report file: the closing line (a lone CR, then CR LF) and the separator.
inline constexpr std::string_view closing_line = "\r";
inline constexpr std::string_view separator =
    "--------------------------------------------------------------------------------";

// Menu and correction prompt (screen).
inline constexpr std::string_view menu_change_l = "   für die Änderung von lc drücke 1"_cp437;
inline constexpr std::string_view menu_change_lc = "   für die Änderung von le drücke 2"_cp437;
inline constexpr std::string_view menu_quit = "   für das Beenden des Programmes drücke q"_cp437;
inline constexpr std::string_view correction_prompt = " Korrekturbetrag für le oder lc: k= "_cp437;

}  // namespace dialogue::texts
