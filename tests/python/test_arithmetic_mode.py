# The module holds the model's arithmetic itself: a process running at 53-bit
# x87 precision, rounding upward and flushing subnormals to zero still gets
# every bit, and gets its own mode back after each call.
import ctypes
import ctypes.util

import pytest

import vollfarbe

libm = ctypes.CDLL(ctypes.util.find_library("m"))

# glibc's x86-64 fenv_t: the x87 control word first, the SSE MXCSR at byte 28.
FENV_SIZE, MXCSR_OFFSET = 32, 28
X87_53_BIT_UPWARD = 0x0A7F  # precision 53 bits (PC=10), rounding up (RC=10), all masked
MXCSR_UPWARD_FLUSH = 0x1F80 | 0x4000 | 0x8000 | 0x0040  # masked, round up, FTZ, DAZ


def environment():
    env = ctypes.create_string_buffer(FENV_SIZE)
    assert libm.fegetenv(env) == 0
    return env


def control_words(env):
    """The x87 control word and the MXCSR's mode bits (not its sticky exception flags)."""
    return (int.from_bytes(env.raw[0:2], "little"),
            int.from_bytes(env.raw[MXCSR_OFFSET:MXCSR_OFFSET + 4], "little") & ~0x3F)


@pytest.fixture
def foreign_mode():
    saved = environment()
    env = ctypes.create_string_buffer(saved.raw, FENV_SIZE)
    env[0:2] = X87_53_BIT_UPWARD.to_bytes(2, "little")
    env[MXCSR_OFFSET:MXCSR_OFFSET + 4] = MXCSR_UPWARD_FLUSH.to_bytes(4, "little")
    assert libm.fesetenv(env) == 0
    yield control_words(environment())
    assert libm.fesetenv(saved) == 0


def test_every_bit_in_a_foreign_mode_and_the_mode_given_back(foreign_mode):
    assert foreign_mode == (X87_53_BIT_UPWARD, MXCSR_UPWARD_FLUSH)
    row = vollfarbe.compute(600)
    l, lc = vollfarbe.compensative_wavelength(600)
    X, Y, Z = vollfarbe.optimal_colour(489.996, 600)
    after = control_words(environment())
    assert (float(row["l"]), float(l), float(lc)) == (489.996, 489.996, 600.0)
    assert float(row["first_X"]).hex() == (45.676116509685485).hex()
    assert [float(v).hex() for v in (X, Y, Z)] == [
        (45.676116509685485).hex(), (78.25403911460552).hex(), (7.434159721629669).hex()]
    assert after == foreign_mode
