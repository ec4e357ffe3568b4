// The arithmetic the colour model's exact results are defined in: x87
// intermediates with the full 64-bit significand, every rounding to nearest
// (ties to even), and SSE doubles with subnormals kept (no flush to zero).
//
// A process may have changed any of these: a Python extension, a GUI toolkit,
// a library built with fast-math (which sets flush-to-zero at load time), or a
// test. `exact_arithmetic` sets them for its lifetime and gives the caller's
// settings back when it ends. Every entry into the model holds one (the pass,
// the batch of passes, the dialogue, the table, the plot); nested scopes are
// fine. It costs two register reads when the settings already hold.
//
//   _FPU_SETCW(0x027f);                     // 53-bit x87 precision
//   {
//     colour::exact_arithmetic scope;       // 64-bit significand from here...
//     colour::compute_pass(600, 0);         // ...so l = 489.996 exactly
//   }                                       // 53-bit precision again
#pragma once

#include <cstdint>

#if !(defined(__x86_64__) || defined(__i386__))
#error "the colour model's exact results need the x87 extended type of x86"
#endif

#include <fpu_control.h>
#include <xmmintrin.h>

namespace colour {

class exact_arithmetic {
 public:
  exact_arithmetic() noexcept {
    _FPU_GETCW(saved_x87_);
    const fpu_control_t wanted = static_cast<fpu_control_t>(
        (saved_x87_ & ~(x87_precision_bits | x87_rounding_bits)) | _FPU_EXTENDED | _FPU_RC_NEAREST);
    if (wanted != saved_x87_) {
      _FPU_SETCW(wanted);
      x87_changed_ = true;
    }
    saved_mxcsr_ = _mm_getcsr();
    const unsigned wanted_mxcsr = saved_mxcsr_ & ~(sse_rounding_bits | sse_flush_to_zero | sse_denormals_are_zero);
    if (wanted_mxcsr != saved_mxcsr_) {
      _mm_setcsr(wanted_mxcsr);
      mxcsr_changed_ = true;
    }
  }

  ~exact_arithmetic() {
    if (x87_changed_) _FPU_SETCW(saved_x87_);
    if (mxcsr_changed_) _mm_setcsr(saved_mxcsr_);
  }

  exact_arithmetic(const exact_arithmetic&) = delete;
  exact_arithmetic& operator=(const exact_arithmetic&) = delete;

 private:
  static constexpr fpu_control_t x87_precision_bits = 0x300;  // PC: 11 = 64-bit significand
  static constexpr fpu_control_t x87_rounding_bits = 0xc00;   // RC: 00 = to nearest
  static constexpr unsigned sse_rounding_bits = 0x6000;        // RC: 00 = to nearest
  static constexpr unsigned sse_flush_to_zero = 0x8000;        // FZ
  static constexpr unsigned sse_denormals_are_zero = 0x0040;   // DAZ

  fpu_control_t saved_x87_ = 0;
  unsigned saved_mxcsr_ = 0;
  bool x87_changed_ = false;
  bool mxcsr_changed_ = false;
};

}  // namespace colour
