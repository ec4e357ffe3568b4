// `vollfarbe limits`: the MacAdam limits of a CIE model, and where colours
// stand in its optimal-colour solid.
//
// Limits: one row per luminance factor and hue angle,
//   Y,h,x,y,X,Y_limit,Z,transitions,first,second,wavelengths,kind
//   10,0,0.683...,0.316...,21.6...,10,0.0051...,8,588.56...,590.55...,588.56... 590.55... ...,optimal
// (Y_limit is the limit's own Y, equal to Y within 1e-9 of it; wavelengths
// holds every transition, blanks between them, as one text field). kind:
// "optimal" (one reflectance of 0 and 1), "face" (the mix of two on a flat
// face of the solid: no transitions), "red_tail" (transitions in the red
// tail, whose place and number are not fixed there: the count is empty).
//
// Inside (--inside): one row per colour,
//   x,y,Y,ratio,inside,h,full_colour,pigment,l,lc,c,w,s
// ratio: the limit ratio (empty where no surface colour is); inside: yes
// or no; full_colour: found, achromatic, outside or no pair; pigment: band
// (l .. lc) or band-stop (all but l .. lc).
//
// The built-in tables have no colour-matching functions and no solid: the
// command refuses them with a usage error.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "colour/colour_model.h"

namespace limits {

struct limits_options {
  std::string Y;                  // --Y: a list (limits) or one number (--inside --xy)
  std::string hues;               // --hues N: N hues, 360/N degrees apart
  std::string hue;                // --hue H,...: these hues
  bool inside = false;            // --inside: where colours stand
  std::vector<std::string> xy;    // --xy x y (with --Y)
  std::vector<std::string> XYZ;   // --XYZ X Y Z
  std::vector<std::string> rest;  // "-": colours on stdin
  bool xyY_lines = false;         // --xyY: stdin lines are x y Y, not X Y Z
  std::string format = "csv";
};

// Checks everything before the first row (cli::usage_error, nothing
// written), then writes the rows, a locus or a stdin line at a time.
// Returns 0, or 1 when the output could not be written.
int run_limits(const limits_options& options, const colour::model& model, std::FILE* in,
               std::FILE* out);

}  // namespace limits
