#!/usr/bin/env bash
# The desktop entry as a desktop reads it: valid for desktop-file-validate,
# in one main category of the menu, with an icon that exists, is an SVG of
# the icon theme's scalable kind and renders.
set -u
source_dir=${VOLLFARBE_SOURCE_DIR:?the source folder, set by ctest}
build=${VOLLFARBE_BUILD_DIR:?the build folder, set by ctest}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

entry=$(compgen -G "$source_dir/*/vollfarbe.desktop" | head -1)
[ -n "$entry" ] || { echo "FAIL: no vollfarbe.desktop"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
  report=$(desktop-file-validate "$entry" 2>&1)
  [ -z "$report" ] || fail "desktop-file-validate: $report"
else
  echo "SKIP: desktop-file-validate (desktop-file-utils; make test installs it)"
fi

# One main category: the entry shows once in the application menu.
main_categories="AudioVideo Audio Video Development Education Game Graphics Network Office Science Settings System Utility"
categories=$(sed -n 's/^Categories=//p' "$entry" | tr ';' ' ')
count=0
for category in $categories; do
  [[ " $main_categories " == *" $category "* ]] && count=$((count + 1))
done
[ "$count" = 1 ] || fail "$count main categories in '$categories'"

# The icon: named by the entry, drawn at build time, a square SVG that renders.
[ "$(sed -n 's/^Icon=//p' "$entry")" = vollfarbe ] || fail "the entry names no icon 'vollfarbe'"
icon=$build/icon/vollfarbe.svg
[ -s "$icon" ] || fail "no icon drawn at $icon"
xmllint --noout "$icon" 2>"$work/err" || fail "the icon is no well-formed XML: $(cat "$work/err")"
grep -q 'viewBox="0 0 48 48"' "$icon" || fail "the icon is not a 48x48 square"
if command -v rsvg-convert >/dev/null; then
  rsvg-convert -w 48 -h 48 "$icon" -o "$work/icon.png" 2>"$work/err" && [ -s "$work/icon.png" ] ||
    fail "the icon does not render: $(cat "$work/err")"
fi

[ "$failures" = 0 ] && echo "desktop entry: all checks passed"
[ "$failures" = 0 ]
