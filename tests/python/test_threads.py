# compute spreads large arrays over threads: the same bits for any count.
import numpy as np
import pytest

import vollfarbe


def test_one_and_two_threads_give_the_same_bits():
    # Long enough for both threads to take blocks; edges of the green range,
    # purples, extrapolated and odd entries among them.
    rng = np.random.default_rng(15)
    w = np.concatenate([np.arange(38000, 77001) / 100, rng.uniform(300, 900, 5000),
                        [493.884, 493.885, 569.672, 569.673, np.nan, np.inf, -0.0]])
    partner = np.where(rng.random(w.size) < 0.5, 0.0, rng.uniform(380, 780, w.size))
    one = vollfarbe.compute(w, partner, threads=1)
    two = vollfarbe.compute(w, partner, threads=2)
    every_core = vollfarbe.compute(w, partner)
    assert np.array_equal(one["path"], two["path"])
    for name, column in one.items():
        if name != "path":
            assert np.array_equal(column.view(np.uint64), two[name].view(np.uint64)), name
            assert np.array_equal(column.view(np.uint64), every_core[name].view(np.uint64)), name


@pytest.mark.parametrize("threads, error", [
    (0, ValueError), (-1, ValueError), (2.0, TypeError), (True, TypeError), ("2", TypeError),
    (2**63, ValueError), (-2**70, ValueError)])
def test_thread_count_must_be_a_positive_int(threads, error):
    with pytest.raises(error, match="threads: "):
        vollfarbe.compute(600, threads=threads)
