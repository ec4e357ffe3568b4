// The blocks of lines a pass writes to the screen and the report file.
#pragma once

#include "colour/colour_model.h"
#include "textio/services.h"

namespace dialogue {

class result_blocks {
 public:
  explicit result_blocks(textio::services& io) : io_(io) {}

  void title();
  void limit_lines(double l, double lc, bool middle_path);  // screen and record
  void middle_pigment(const colour::pigment& p);
  void middle_gap_pigment(const colour::pigment& p);
  void short_end_pigment(const colour::pigment& p);
  void long_end_pigment(const colour::pigment& p);
  void choice_prompt();
  void hue_equal(const colour::hue_equal_pair& wavelengths);
  void menu();

 private:
  struct pigment_labels;
  void tristimulus_lines(textio::target to, const pigment_labels& labels,
                         const colour::pigment& p);
  void chromaticity_lines(textio::target to, const pigment_labels& labels,
                          const colour::pigment& p);
  void labelled(textio::target to, std::string_view label, double value);
  void line(textio::target to, std::string_view text);
  void blank_line();
  void closing_line();

  textio::services& io_;
};

}  // namespace dialogue
