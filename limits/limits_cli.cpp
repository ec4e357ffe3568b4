#include "limits/limits_cli.h"

#include <CLI/CLI.hpp>

namespace limits {

void add_limits_options(CLI::App& command, limits_options& o) {
  command.add_option("--Y", o.Y,
                     "Luminance factors 0 < Y < 100: a list (10,20,...,90); with --inside --xy "
                     "the colour's Y");
  command.add_option("--hues", o.hues, "N hue angles 360/N degrees apart (default 360)");
  command.add_option("--hue", o.hue, "Hue angles in degrees: a list (0,90,...,270)");
  command.add_flag("--inside", o.inside,
                   "Where colours stand: limit ratio, inside or not, full-colour content");
  command.add_option("--xy", o.xy, "With --inside: the colour's chromaticity x y (and --Y)")
      ->expected(2);
  command.add_option("--XYZ", o.XYZ, "With --inside: the colour's tristimulus values X Y Z")
      ->expected(3);
  command.add_option("stdin", o.rest, "With --inside, - reads one colour a line: X Y Z");
  command.add_flag("--xyY", o.xyY_lines, "With --inside -: the lines are x y Y");
  command.add_option("--format", o.format, "csv (default), tsv, json or jsonl");
  command.footer(
      "\nThe MacAdam limit at Y and hue angle h = atan2(y - yw, x - xw): the point of\n"
      "the optimal-colour solid's boundary with that Y whose chromaticity lies on the\n"
      "ray from the white point at that angle. Colour-matching functions are needed\n"
      "(not legacy).\n"
      "Examples:\n"
      "  vollfarbe limits --observer cie1931 --illuminant D65 --Y 10,20,...,90\n"
      "  vollfarbe limits --observer cie1931 --illuminant C --Y 50 --hue 0,90,180,270\n"
      "  vollfarbe limits --inside --illuminant D65 --xy 0.5 0.4 --Y 20\n"
      "  printf '41.2 21.3 1.9\\n' | vollfarbe limits --inside --illuminant D65 -");
}

}  // namespace limits
