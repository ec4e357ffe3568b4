# The README's Python example: the compensative wavelength and the middle
# pigment from 380 to 700 nm in a pandas DataFrame, and the full-colour ring
# drawn with matplotlib.
#   PYTHONPATH=build/python python3 docs/python_example.py docs/python-ring.png
import sys

import matplotlib

matplotlib.use("Agg")  # no display needed: the figure goes to a PNG file
import matplotlib.pyplot as plt
import numpy as np
import pandas as pd

import vollfarbe

table = pd.DataFrame(vollfarbe.compute(np.arange(380, 701)))
middle = table[table.path == "middle"]
print(middle[["wavelength", "l", "lc", "first_X", "first_Y", "first_Z", "first_moment"]]
      .iloc[::40].to_string(index=False))

# The full-colour ring: both optimal colours of every pass (in the green
# range the short-end and long-end pigments), in order of their hue angle
# around the white point E.
x = np.concatenate([table.first_x, table.second_x])
y = np.concatenate([table.first_y, table.second_y])
order = np.argsort(np.arctan2(y - 1 / 3, x - 1 / 3))
ring_x, ring_y = np.append(x[order], x[order][0]), np.append(y[order], y[order][0])

# The spectrum locus as the chromaticity of 1 nm wide bands.
w = np.arange(380, 701)
locus_x, locus_y = vollfarbe.chromaticity(*vollfarbe.optimal_colour(w - 0.5, w + 0.5))

figure, axes = plt.subplots(figsize=(6, 6.4), dpi=100)
axes.plot(locus_x, locus_y, color="0.4", linewidth=1, label="spectrum locus (1 nm bands)")
axes.plot(locus_x[[0, -1]], locus_y[[0, -1]], color="0.4", linewidth=1, linestyle="--")
axes.plot(ring_x, ring_y, color="black", linewidth=1.2, label="full-colour ring")
points = axes.scatter(x, y, c=np.concatenate([table.wavelength, table.wavelength]), s=9,
                      cmap="turbo", zorder=3)
axes.plot(1 / 3, 1 / 3, "k+", markersize=10, label="white point E")
figure.colorbar(points, ax=axes, shrink=0.7, label="entered wavelength (nm)")
axes.set(xlabel="x", ylabel="y", xlim=(0, 0.8), ylim=(0, 0.9), aspect="equal",
         title="Optimal colours of the first pass, 380 to 700 nm")
axes.legend(loc="upper right", fontsize="small")
figure.savefig(sys.argv[1] if len(sys.argv) > 1 else "python-ring.png", bbox_inches="tight")
