// Puts the x87 unit into 53-bit precision for a scope, as a host process (a
// Python interpreter, a GUI toolkit) may have left it, and restores it after.
#pragma once

#include <fpu_control.h>

namespace test_support {

class double_precision_x87 {
 public:
  double_precision_x87() {
    _FPU_GETCW(saved_);
    const fpu_control_t reduced = static_cast<fpu_control_t>((saved_ & ~_FPU_EXTENDED) | _FPU_DOUBLE);
    _FPU_SETCW(reduced);
  }
  ~double_precision_x87() { _FPU_SETCW(saved_); }
  double_precision_x87(const double_precision_x87&) = delete;
  double_precision_x87& operator=(const double_precision_x87&) = delete;

  static fpu_control_t current() {
    fpu_control_t cw = 0;
    _FPU_GETCW(cw);
    return cw;
  }

 private:
  fpu_control_t saved_ = 0;
};

}  // namespace test_support
