// An illuminant on the observer's grid. Between the illuminant's own nodes
// its power is interpolated linearly; outside its range the first and last
// values continue unchanged (colord's E starts at 380 nm and stays 1 down to
// 360 nm; C ends at 780 nm and keeps its 780 nm value up to 830 nm).
//   values at 380, 385 (nm) = 1, 3; grid 375..390 by 5 -> 1, 1, 3, 3
//   values at 380, 390 = 1, 3; grid 380..390 by 5 -> 1, 2, 3
#pragma once

#include <vector>

#include "colour/cgats_reader.h"

namespace colour {

// The first set of `illuminant` at the grid's nodes.
std::vector<double> resample_illuminant(const spectral_table& illuminant,
                                        const spectral_table& grid);

}  // namespace colour
