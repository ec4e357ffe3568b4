#!/usr/bin/env bash
# The plot command as a user calls it: well-formed SVG with the locus, E and
# the construction for 600 nm, several wavelengths with a legend entry each,
# the colour fill, -o FILE.svg/.png/.pdf (PNG size and resolution, the PDF's
# page size and a rendering of it), status 2 for a bad size, --dpi without
# PNG, an unknown file ending or a terminal on stdout, and labels without
# room named on stderr.
set -u
vollfarbe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$vollfarbe" plot >"$work/plain.svg" || fail "plot status"
"$vollfarbe" plot --wavelength 600 --ring -o "$work/600.svg" >"$work/stdout" || fail "plot -o status"
[ ! -s "$work/stdout" ] || fail "plot -o wrote to stdout"
"$vollfarbe" plot --wavelength 520 >"$work/520.svg" || fail "plot 520 status"
"$vollfarbe" plot --wavelength 720 >"$work/720.svg" || fail "plot 720 status"
"$vollfarbe" plot --wavelength 450 --wavelength 600 --fill --title "Two passes" >"$work/two.svg" ||
  fail "plot two wavelengths status"
"$vollfarbe" plot --wavelength 450,600 --fill --title "Two passes" >"$work/list.svg" || fail "list status"
cmp -s "$work/two.svg" "$work/list.svg" || fail "--wavelength 450,600 differs from repeating it"

for svg in plain 600 520 720 two; do
  if command -v xmllint >/dev/null; then
    xmllint --noout "$work/$svg.svg" || fail "$svg.svg is not well-formed"
  fi
  grep -q 'id="spectrum-locus"' "$work/$svg.svg" || fail "$svg.svg: no locus"
  grep -q '>E</text>' "$work/$svg.svg" || fail "$svg.svg: no white point E"
  ! sed 's/base64,[^"]*//' "$work/$svg.svg" | grep -qi 'nan' || fail "$svg.svg: NaN in the drawing"
done
for label in '"var">l</tspan> = 489.996<' '"var">l</tspan><tspan class="sub" dy="3.33">c</tspan><tspan dy="-3.33"> = 600<' \
             '>1</tspan><tspan dy="-3.33"> = 556.84<' '"var">M</tspan> = 77.95<' '>middle pigment<'; do
  grep -qF "$label" "$work/600.svg" || fail "600.svg: no label '$label'"
done
grep -q 'id="full-colour-ring"' "$work/600.svg" || fail "600.svg: no ring"
for part in 'id="dialogue-pass-1"' 'id="dialogue-pass-2"' '> = 450 nm<' '> = 600 nm<' \
            'middle pigment (450 nm)' 'id="colour-fill"' 'data:image/png;base64,' '>Two passes<'; do
  grep -qF "$part" "$work/two.svg" || fail "two.svg: no '$part'"
done

# PNG: pixels from the width and --dpi, the resolution recorded in the file.
png_facts() {  # width height dots-per-inch
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n"
w, h = struct.unpack(">II", data[16:24])
i = data.find(b"pHYs")
ppm = struct.unpack(">I", data[i + 4:i + 8])[0] if i > 0 else 0
print(w, h, round(ppm * 0.0254))
PY
}
"$vollfarbe" plot --wavelength 600 --size column -o "$work/column.png" || fail "PNG status"
read -r w h dpi < <(png_facts "$work/column.png")
[ "$w" = 1004 ] && [ "$dpi" = 300 ] || fail "column PNG at 300 dpi: ${w}x$h at $dpi dpi"
"$vollfarbe" plot --size 800px -o "$work/screen.PNG" --dpi 192 || fail "PNG --dpi status"
read -r w h dpi < <(png_facts "$work/screen.PNG")
[ "$w" = 1600 ] && [ "$dpi" = 192 ] || fail "800px at 192 dpi: ${w}x$h at $dpi dpi"

# PDF: one page of the figure's size, and it renders.
"$vollfarbe" plot --wavelength 600 --fill --size column --title "Vollfarben" -o "$work/figure.pdf" ||
  fail "PDF status"
if command -v pdfinfo >/dev/null; then
  pdfinfo "$work/figure.pdf" >"$work/pdfinfo" || fail "pdfinfo cannot read the PDF"
  grep -q "^Pages: *1$" "$work/pdfinfo" || fail "PDF pages: $(grep Pages "$work/pdfinfo")"
  grep -q "^Title: *Vollfarben$" "$work/pdfinfo" || fail "PDF title: $(grep Title "$work/pdfinfo")"
  grep -q "^Page size: *240\.94[0-9]* x " "$work/pdfinfo" || fail "PDF not 85 mm wide: $(grep 'Page size' "$work/pdfinfo")"
  pdftoppm -r 50 -png -singlefile "$work/figure.pdf" "$work/figure" && [ -s "$work/figure.png" ] ||
    fail "pdftoppm cannot render the PDF"
fi

while IFS= read -r args; do
  # shellcheck disable=SC2086
  "$vollfarbe" plot $args -o "$work/bad.svg" >/dev/null 2>"$work/err"
  [ $? = 2 ] || fail "'plot $args': status not 2"
  [ ! -e "$work/bad.svg" ] || fail "'plot $args': wrote a file"
done <<'CASES'
--size huge
--size 10mm
--size 5000px
--dpi 300
--wavelength 600,abc
--wavelength 379
CASES
# A file name must say what it holds: an unknown ending is a usage error
# naming the endings there are, and nothing is written.
for name in x.jpg x.svg.bak figure; do
  "$vollfarbe" plot -o "$work/$name" 2>"$work/err"
  [ $? = 2 ] && grep -qF "must end in .svg, .png or .pdf" "$work/err" || fail "-o $name: $(cat "$work/err")"
  [ ! -e "$work/$name" ] || fail "-o $name wrote a file"
done

# A terminal on stdout gets a hint instead of the SVG (exit 2), as
# compressors do.
read -r status size hint < <(python3 - "$vollfarbe" <<'PY'
import os, pty, sys
pid, fd = pty.fork()
if pid == 0:
    os.execv(sys.argv[1], [sys.argv[1], "plot", "--wavelength", "600"])
out = b""
while True:
    try:
        data = os.read(fd, 65536)
    except OSError:
        break
    if not data:
        break
    out += data
_, status = os.waitpid(pid, 0)
print(os.WEXITSTATUS(status), len(out), int(b"-o FILE" in out and b"redirect" in out))
PY
)
[ "$status" = 2 ] && [ "$size" -lt 1000 ] && [ "$hint" = 1 ] ||
  fail "plot to a terminal: status $status, $size bytes, hint $hint"

# A label that finds no room on a crowded figure is named, not dropped
# silently; the figure is still written.
"$vollfarbe" plot --size 40mm --wavelength 400,500,560,620 --ring -o "$work/crowded.svg" 2>"$work/err" ||
  fail "crowded figure status"
grep -q '^vollfarbe plot: no room for the label "' "$work/err" || fail "crowded figure: $(cat "$work/err")"
[ -s "$work/crowded.svg" ] || fail "crowded figure not written"

# A slide is 16:9 landscape.
"$vollfarbe" plot --wavelength 600 --size slide -o "$work/slide.png" || fail "slide status"
read -r w h dpi < <(png_facts "$work/slide.png")
[ "$h" = 720 ] && [ "$w" -ge 1280 ] && [ "$w" -le 1281 ] || fail "slide: ${w}x$h"

"$vollfarbe" plot --dpi 5 -o "$work/x.png" 2>"$work/err"
[ $? = 2 ] && grep -q "outside 10 to 2400" "$work/err" || fail "--dpi 5: $(cat "$work/err")"

"$vollfarbe" plot -o "$work/missing/dir/x.svg" 2>"$work/err"
[ $? = 1 ] && grep -q "cannot write $work/missing/dir/x.svg: No such file or directory" "$work/err" ||
  fail "an unwritable -o must fail: $(cat "$work/err")"
"$vollfarbe" plot -o "$work/missing/dir/x.png" 2>"$work/err"
[ $? = 1 ] && grep -q "cannot write $work/missing/dir/x.png: No such file or directory" "$work/err" ||
  fail "an unwritable -o x.png must fail: $(cat "$work/err")"

[ "$failures" = 0 ] && echo "plot command: all checks passed"
exit "$failures"
