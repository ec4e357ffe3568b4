#include "dialogue/dialogue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "dialogue_run.h"
#include "textio/cp437.h"
#include "textio/number_text.h"
#include "tests/support/double_precision_x87.h"
#include "colour/legacy/legacy_model.h"

namespace {

using namespace textio::literals;
using dialogue_test::in_temp_dir;
using dialogue_test::run_result;

using dialogue_run = in_temp_dir;

const std::string separator(80, '-');

// The report of the first pass after the entry 600, line by line.
const std::vector<std::string> report_of_600 = {
    "l=  489.996  lc=  600",
    "\r",
    "   Ergebnis Mittelpigment: X opt =  45.67611650968549",
    "                           Y opt =  78.25403911460552",
    "                           Z opt =  7.434159721629669",
    "   Farbwertanteile",
    "                               x =  0.3477056641250473",
    "                               y =  0.5957024090487569",
    "\r",
    "   Ergebnis Mittelfehlpigment: X opt =  54.32388349031451",
    "                               Y opt =  21.74596088539449",
    "                               Z opt =  92.56584027837033",
    "   Farbwertanteile",
    "                                   x =  0.3221375333562914",
    "                                   y =  0.1289523088188704",
    "\r",
    std::string("     Die fartongleiche Wellenlänge ist l1 = 556.84"_cp437),
    std::string("     Die fartongleiche Wellenlänge ist l2 =-556.84"_cp437),
    separator,
    "\r",
};

std::string joined(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST_F(dialogue_run, entry_600_writes_the_twenty_report_lines_byte_for_byte) {
  const run_result run = dialogue_run::run("600\r q ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.report, joined(report_of_600));
  EXPECT_EQ(run.keys_left, 0u);
}

// A host process may have left the x87 unit at 53-bit precision.
TEST_F(dialogue_run, entry_600_is_exact_from_a_hosts_double_precision_setting) {
  const test_support::double_precision_x87 host_setting;
  EXPECT_EQ(dialogue_run::run("600\r q ").report, joined(report_of_600));
}

TEST_F(dialogue_run, entry_600_screen_at_the_pause) {
  const run_result run = dialogue_run::run("600\r q ");
  const auto* pause = run.last_showing_before("l2 =", "Beenden des Programmes");
  ASSERT_NE(pause, nullptr);
  // 33 lines were written, so the title and the first four rows scrolled away.
  EXPECT_EQ(pause->trimmed_row(1), "");
  EXPECT_EQ(pause->trimmed_row(2), " Eingabe der Grenzwellenlänge:? 600"_cp437);
  EXPECT_EQ(pause->trimmed_row(5), "   Die Grenzwellenlänge ist l = 489.996"_cp437);
  EXPECT_EQ(pause->trimmed_row(6), "   Die kompensative Wellenlänge ist lc = 600"_cp437);
  EXPECT_EQ(pause->trimmed_row(9), "   Ergebnis Mittelpigment: X opt =  45.67611650968549");
  EXPECT_EQ(pause->trimmed_row(12), "");
  EXPECT_EQ(pause->trimmed_row(13), "   Farbmoment: M voll =  77.95");
  EXPECT_EQ(pause->trimmed_row(14), "   Farbwertanteile");
  EXPECT_EQ(pause->trimmed_row(19), "   Ergebnis Mittelfehlpigment: X opt =  54.32388349031451");
  EXPECT_EQ(pause->trimmed_row(22), "   Farbwertanteile");
  EXPECT_EQ(pause->trimmed_row(25), "   Farbmoment: M voll =  77.95");
  EXPECT_EQ(pause->trimmed_row(28), "     Die fartongleiche Wellenlänge ist l1 = 556.84"_cp437);
  EXPECT_EQ(pause->trimmed_row(29), "     Die fartongleiche Wellenlänge ist l2 =-556.84"_cp437);
  EXPECT_EQ(pause->trimmed_row(30), "");
  EXPECT_EQ(pause->cursor_row, 30);
  EXPECT_EQ(pause->cursor_column, 1);
  for (int row = 1; row <= 30; ++row) {
    EXPECT_EQ(pause->trimmed_row(row).find("Vollfarbe und ihrer"), std::string::npos);
  }
}

TEST_F(dialogue_run, title_block_before_the_first_entry) {
  const run_result run = dialogue_run::run("");
  const auto* shown = run.first_showing("Vollfarbe und ihrer");
  ASSERT_NE(shown, nullptr);
  const auto& first = *shown;
  EXPECT_EQ(first.trimmed_row(1),
            "   Berechnung einer Vollfarbe und ihrer farbtongleichen Wellenlänge"_cp437);
  EXPECT_EQ(first.trimmed_row(2), "   " + std::string(64, '='));
  EXPECT_EQ(first.trimmed_row(3), "");
  EXPECT_EQ(first.trimmed_row(4),
            "   kompensative Wellenlängen      380 nm -- 493.8 nm   69.6 nm -- 760 nm"_cp437);
  EXPECT_EQ(first.trimmed_row(6), " Eingabe der Grenzwellenlänge:?"_cp437);
  EXPECT_EQ(first.cursor_row, 6);
  EXPECT_EQ(first.cursor_column, 33);
  EXPECT_EQ(run.status, 0) << "end of scripted input ends the program";
  EXPECT_EQ(run.report, "");
}

struct pair_case {
  const char* entry;
  const char* record;      // the report's first line
  const char* limit_line;  // the screen's l line, after "ist l ="
  const char* compensative_line;
};

class middle_path : public in_temp_dir, public ::testing::WithParamInterface<pair_case> {};

TEST_P(middle_path, orders_the_pair_and_prints_it) {
  const pair_case& c = GetParam();
  const run_result run = in_temp_dir::run(std::string(c.entry) + "\r q ");
  ASSERT_GE(run.report_lines().size(), 20u);
  EXPECT_EQ(run.report_lines()[0], c.record);
  EXPECT_NE(run.first_showing(std::string("Die Grenzwellenlänge ist l ="_cp437) + c.limit_line),
            nullptr);
  EXPECT_NE(run.first_showing(std::string("Die kompensative Wellenlänge ist lc ="_cp437) +
                              c.compensative_line),
            nullptr);
  EXPECT_EQ(run.report_lines()[18], separator);
}

INSTANTIATE_TEST_SUITE_P(
    entries, middle_path,
    ::testing::Values(
        pair_case{"450", "l=  450  lc=  571.2089999999999", " 450", " 571.2089999999999"},
        pair_case{"380", "l=  380  lc=  569.672", " 380", " 569.672"},
        pair_case{"700", "l=  493.884  lc=  700", " 493.884", " 700"},
        pair_case{"720", "l=  699.999  lc=  720", " 699.999", " 720"},
        pair_case{"800", "l=  699.999  lc=  800", " 699.999", " 800"},
        pair_case{"569.673", "l=  380.547  lc=  569.673", " 380.547", " 569.673"}));

TEST_F(dialogue_run, purple_above_700_prints_nan_for_the_missing_l2) {
  const run_result run = dialogue_run::run("720\r q ");
  const auto lines = run.report_lines();
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[16], "     Die fartongleiche Wellenlänge ist l1 =-493.906"_cp437);
  EXPECT_EQ(lines[17], "     Die fartongleiche Wellenlänge ist l2 = nan"_cp437);
}

TEST_F(dialogue_run, entries_that_are_no_wavelength_flow_through) {
  // 1e400 is +inf: the red end's partner, an infinite band; "abc" reads as 0.
  run_result run = dialogue_run::run("1e400\r q ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.report_lines()[0], "l=  699.999  lc=  inf");
  EXPECT_EQ(run.report_lines()[2], "   Ergebnis Mittelpigment: X opt =  inf");

  run = dialogue_run::run("abc\r1\r q ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.report_lines()[0], "      l=  0  lc=  0");
  EXPECT_EQ(run.report_lines()[6], "                                x =  nan");
  EXPECT_EQ(run.report_lines()[16], "     Die fartongleiche Wellenlänge ist l1 = nan"_cp437);
}

// An entry is read up to the end of its leading number: a decimal comma,
// a unit or a second number is not part of it (the README says so).
TEST_F(dialogue_run, an_entry_is_its_leading_number) {
  for (const char* entry : {"600,5", "600 nm", "600x", "  600\t450", "6e2,1"}) {
    const run_result run = dialogue_run::run(std::string(entry) + "\r q ");
    EXPECT_EQ(run.report_lines().at(0), "l=  489.996  lc=  600") << entry;
  }
}

// --- end-pigment path ---------------------------------------------------------

std::vector<std::string> end_pass_lines(double lc) {
  const colour::pigment short_end = colour::describe_pigment(colour::short_end_pigment(lc, colour::legacy_model()), colour::legacy_model());
  const colour::pigment long_end = colour::describe_pigment(colour::long_end_pigment(lc, colour::legacy_model()), colour::legacy_model());
  const auto n = [](double v) { return textio::number_text(v); };
  return {
      "      l=  0  lc= " + n(lc),
      "\r",
      "    Ergebnis Kurzendpigment: X opt = " + n(short_end.t.X),
      std::string(29, ' ') + "Y opt = " + n(short_end.t.Y),
      std::string(29, ' ') + "Z opt = " + n(short_end.t.Z),
      "   Farbwertanteile",
      std::string(32, ' ') + "x = " + n(short_end.xy.x),
      std::string(32, ' ') + "y = " + n(short_end.xy.y),
      "\r",
      "    Ergebnis Langendpigment: X opt = " + n(long_end.t.X),
      std::string(29, ' ') + "Y opt = " + n(long_end.t.Y),
      std::string(29, ' ') + "Z opt = " + n(long_end.t.Z),
      "    Farbwertanteile",
      std::string(33, ' ') + "x = " + n(long_end.xy.x),
      std::string(33, ' ') + "y = " + n(long_end.xy.y),
      "\r",
  };
}

std::vector<std::string> hue_equal_lines(const colour::chromaticity& xy) {
  const colour::hue_equal_pair pair = colour::legacy_model().hue_equal_wavelengths(xy.x, xy.y);
  return {
      std::string("     Die fartongleiche Wellenlänge ist l1 ="_cp437) + textio::number_text(pair.l1),
      std::string("     Die fartongleiche Wellenlänge ist l2 ="_cp437) + textio::number_text(pair.l2),
      separator,
      "\r",
  };
}

class end_path : public in_temp_dir, public ::testing::WithParamInterface<double> {};

TEST_P(end_path, declined_choice_ends_after_the_long_end_block) {
  const double lc = GetParam();
  char entry[32];
  std::snprintf(entry, sizeof entry, "%.16g\r", lc);
  for (const char* answer : {"3\r", "0\r", "x\r", "\r"}) {
    const run_result run = in_temp_dir::run(std::string(entry) + answer + " q ");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.report, joined(end_pass_lines(lc))) << answer;
    EXPECT_EQ(run.keys_left, 3u) << "no pause, no menu after a declined choice";
    EXPECT_EQ(run.first_showing("Beenden des Programmes"), nullptr);
  }
}

TEST_P(end_path, choice_1_and_2_pick_the_short_and_long_end_pigment) {
  const double lc = GetParam();
  char entry[32];
  std::snprintf(entry, sizeof entry, "%.16g\r", lc);
  const colour::pigment short_end = colour::describe_pigment(colour::short_end_pigment(lc, colour::legacy_model()), colour::legacy_model());
  const colour::pigment long_end = colour::describe_pigment(colour::long_end_pigment(lc, colour::legacy_model()), colour::legacy_model());
  for (const auto& [answer, chosen] :
       {std::pair{"1\r", short_end.xy}, std::pair{"2\r", long_end.xy}}) {
    const run_result run = in_temp_dir::run(std::string(entry) + answer + " q ");
    auto expected = end_pass_lines(lc);
    for (const auto& line : hue_equal_lines(chosen)) expected.push_back(line);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.report, joined(expected)) << answer;
    const auto* prompt = run.first_showing("Berechnung eines Kurzendpigmentes: ** 1 **");
    ASSERT_NE(prompt, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(green_range_and_its_edges, end_path,
                         ::testing::Values(520.0, 493.885, 569.671, 569.672, 493.8849));

TEST_F(dialogue_run, end_path_screen_shows_the_short_end_moment_twice) {
  const run_result run = dialogue_run::run("537.2\r3\r");
  const auto* prompt = run.last_showing_before("** 2 **", "not on screen");
  ASSERT_NE(prompt, nullptr);
  std::vector<std::string> rows;
  for (int r = 1; r <= 30; ++r) rows.push_back(prompt->trimmed_row(r));
  // From the entry to the choice prompt, as the user sees it.
  const std::vector<std::string> expected = {
      std::string(" Eingabe der Grenzwellenlänge:? 537.2"_cp437),
      std::string("   Die Grenzwellenlänge ist l = 0"_cp437),
      std::string("   Die kompensative Wellenlänge ist lc = 537.2"_cp437),
      "",
      "",
      "    Ergebnis Kurzendpigment: X opt = " +
          textio::number_text(colour::short_end_pigment(537.2, colour::legacy_model()).X),
  };
  auto it = std::find(rows.begin(), rows.end(), expected[0]);
  ASSERT_NE(it, rows.end());
  for (const auto& line : expected) {
    ASSERT_NE(it, rows.end());
    EXPECT_EQ(*it++, line);
  }
  EXPECT_EQ(*it++, std::string(29, ' ') + "Y opt = " +
                       textio::number_text(colour::short_end_pigment(537.2, colour::legacy_model()).Y));
  ++it;  // Z
  EXPECT_EQ(*it++, "    Farbmoment: M voll =  71.63");
  EXPECT_EQ(*it++, "    Farbwertanteile");
  it += 2;  // x, y
  EXPECT_EQ(*it++, "    Farbmoment: M voll =  71.63");
  EXPECT_EQ(*it++, "");
  EXPECT_NE(it->find("Ergebnis Langendpigment"), std::string::npos);
  it += 3;
  EXPECT_EQ(*it++, "    Farbmoment: M voll = 71.63") << "no blank after the long-end '='";
}

TEST_F(dialogue_run, second_end_pigment_pass_asks_no_choice) {
  // 520, choice 2; pause; menu key "x" with k = 0 keeps lc; the second pass
  // takes the end path again and uses the first answer.
  const run_result run = dialogue_run::run("520\r2\r x0\r q ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.keys_left, 0u);
  const auto lines = run.report_lines();
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_TRUE(std::equal(lines.begin(), lines.begin() + 20, lines.begin() + 20));
  std::size_t prompts = 0;
  for (const auto& shot : run.snapshots) {
    for (int r = 1; r <= 30; ++r) {
      if (shot.trimmed_row(r).find("** 1 **") != std::string::npos) {
        ++prompts;
        break;
      }
    }
  }
  EXPECT_GT(prompts, 0u);
  // The second pass is painted below the correction prompt; its pause is the
  // last screen with both the prompt and the long-end result, where a second
  // choice prompt would stand.
  const hosts::memory_host::snapshot* second_pause = nullptr;
  for (const auto& shot : run.snapshots) {
    if (run_result::shows(shot, "Korrekturbetrag") &&
        run_result::shows(shot, "Ergebnis Langendpigment")) {
      second_pause = &shot;
    }
  }
  ASSERT_NE(second_pause, nullptr);
  for (int r = 1; r <= 30; ++r) {
    EXPECT_EQ(second_pause->trimmed_row(r).find("** 1 **"), std::string::npos) << r;
  }
}

// --- menu and corrections ----------------------------------------------------------

struct menu_case {
  const char* keys;
  const char* second_record;  // first report line of the second pass
};

class menu_correction : public in_temp_dir, public ::testing::WithParamInterface<menu_case> {};

TEST_P(menu_correction, starts_the_next_pass_from_the_corrected_lc) {
  const run_result run = in_temp_dir::run(GetParam().keys);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.keys_left, 0u);
  const auto lines = run.report_lines();
  ASSERT_GE(lines.size(), 21u);
  EXPECT_EQ(lines[20], GetParam().second_record);
}

INSTANTIATE_TEST_SUITE_P(
    keys, menu_correction,
    ::testing::Values(
        // "1": lc := k + l = 10 + 489.996, inside the green range.
        menu_case{"600\r 110\r1\r q ", "      l=  489.996  lc=  499.996"},
        // "2": lc := k + lc = 10 + 600.
        menu_case{"600\r 210\r q ", "l=  491.688  lc=  610"},
        // Another key: k has no effect; the pass starts again from lc, the
        // longer wavelength, whose partner is 449.988 rather than 450.
        menu_case{"450\r x99\r q ", "l=  449.988  lc=  571.2089999999999"},
        // "1" after an end pass with l still 0: lc := 480.
        menu_case{"520\r1\r 1480\r q ", "l=  480  lc=  580.393"}));

TEST_F(dialogue_run, menu_is_shown_on_the_cleared_screen) {
  const run_result run = dialogue_run::run("600\r q ");
  const auto* menu = run.first_showing("Beenden des Programmes");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->trimmed_row(1), "");
  EXPECT_EQ(menu->trimmed_row(2), "");
  EXPECT_EQ(menu->trimmed_row(3), "   für die Änderung von lc drücke 1"_cp437);
  EXPECT_EQ(menu->trimmed_row(4), "   für die Änderung von le drücke 2"_cp437);
  EXPECT_EQ(menu->trimmed_row(5), "   für das Beenden des Programmes drücke q"_cp437);
  EXPECT_EQ(menu->trimmed_row(6), "");
  EXPECT_EQ(menu->cursor_row, 7);
}

TEST_F(dialogue_run, correction_prompt_follows_a_blank_line) {
  const run_result run = dialogue_run::run("600\r 2");
  const auto& last = run.snapshots.back();
  EXPECT_EQ(last.trimmed_row(7), "");
  EXPECT_EQ(last.trimmed_row(8), " Korrekturbetrag für le oder lc: k="_cp437);
}

TEST_F(dialogue_run, q_and_Q_end_only_after_one_more_key) {
  for (const char* quit : {"q", "Q"}) {
    run_result run = dialogue_run::run(std::string("600\r ") + quit);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.report, joined(report_of_600)) << "complete passes only";

    run = dialogue_run::run(std::string("600\r ") + quit + "x600\r");
    EXPECT_EQ(run.keys_left, 4u) << "the key after " << quit << " ends the program";
    EXPECT_EQ(run.report, joined(report_of_600));
  }
}

TEST_F(dialogue_run, page_down_at_the_pause_ends_the_program) {
  // Page Down is 255 'Q': the pause takes 255, the menu gets "Q" at once.
  const run_result run = dialogue_run::run("600\r\xFFQ ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.keys_left, 0u);
  EXPECT_EQ(run.report, joined(report_of_600));
  EXPECT_NE(run.first_showing("Beenden des Programmes"), nullptr);
}

TEST_F(dialogue_run, special_key_at_the_menu_leads_to_the_correction_prompt) {
  // Left at the menu: 255 is no menu key; its second byte "K" is taken by
  // the next pause, which does not wait.
  const run_result run = dialogue_run::run("600\r \xFFK5\rq ");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.keys_left, 0u);
  EXPECT_EQ(run.report, joined(report_of_600) + joined(report_of_600));
}

TEST_F(dialogue_run, report_that_cannot_be_created_changes_nothing_on_screen) {
  const run_result normal = dialogue_run::run("600\r 2-10\r q ");
  std::filesystem::remove("vollfarb.txt");
  std::filesystem::create_directory("vollfarb.txt");  // blocks the file
  const run_result blocked = dialogue_run::run("600\r 2-10\r q ");
  EXPECT_EQ(blocked.status, 0);
  ASSERT_EQ(blocked.snapshots.size(), normal.snapshots.size());
  for (std::size_t i = 0; i < normal.snapshots.size(); ++i) {
    EXPECT_EQ(blocked.snapshots[i].rows, normal.snapshots[i].rows) << "snapshot " << i;
  }
  ASSERT_TRUE(blocked.report_problem.has_value());
  EXPECT_NE(blocked.report_problem->find("vollfarb.txt"), std::string::npos);
  EXPECT_FALSE(normal.report_problem.has_value());
}

}  // namespace
