#!/usr/bin/env bash
# The window host under a real X server (Xvfb, started here on a free display
# and stopped at the end), driven with xdotool as a user would: the entry
# 600, a key, the menu, a correction, the close button, q and a key. At each
# step the window's pixels must equal the picture that the rasteriser makes
# of the cell model after the same keys (the wait is for that picture, not a
# fixed time). The report must be byte for byte the one of the terminal and
# of the pipe for the same keys. Also: --window without a display and with a
# missing font (status 2, no window), the window chosen by itself with no
# terminal, its title, whole-multiple scaling, SIGTERM, and the display
# going away.
# Usage: bash window_xvfb_test.sh path/to/vollfarbe
# (EXPECTED_WINDOW_PICTURE and SEND_CLOSE_REQUEST name the two helpers.)
set -u
program=$(realpath "$1")
for tool in Xvfb xdotool import compare convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 0; }
done
: "${EXPECTED_WINDOW_PICTURE:?}" "${SEND_CLOSE_REQUEST:?}"
work=$(mktemp -d)
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# Built with AddressSanitizer: memory errors and undefined behaviour are
# checked as everywhere, but not leaks. The X, Mesa and D-Bus libraries that
# SDL loads keep a few small blocks to the end, allocated in code without
# frame pointers, so no suppression can name them.
if ldd "$program" 2>/dev/null | grep -q libasan; then
  echo "note: AddressSanitizer build: leak detection is off for the window runs"
  export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
fi

xvfb_pid=
program_pids=()
cleanup() {
  for pid in "${program_pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "${tmux_socket:-}" ] && tmux -L "$tmux_socket" kill-server 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY

# expect NAME KEYS: the picture after KEYS as $work/NAME.ppm.
expect() {
  mkdir -p "$work/expected"
  (cd "$work/expected" && "$EXPECTED_WINDOW_PICTURE" "$2" "$work/$1.ppm") || fail "no picture for $1"
}
# shows WINDOW NAME [SECONDS]: waits until the window's pixels equal NAME.ppm.
shows() {
  local tries=$((${3:-30} * 10)) differing=
  for ((i = 0; i < tries; i++)); do
    # A screenshot can hang when the X server is starved; never wait for one for long.
    if timeout 10 import -window "$1" "$work/shot.ppm" 2>/dev/null; then
      differing=$(compare -metric AE "$work/shot.ppm" "$work/$2.ppm" null: 2>&1)
      [ "$differing" = 0 ] && return 0
    fi
    sleep 0.1
  done
  fail "the window does not show $2: $differing pixels differ"
  cp "$work/shot.ppm" "/tmp/window_xvfb_$2.ppm" 2>/dev/null && echo "  (its pixels: /tmp/window_xvfb_$2.ppm)"
  return 1
}
# window_named TITLE: the id of the window with that title, waiting for it.
window_named() { timeout 20 xdotool search --sync --name "^$1\$" 2>/dev/null | head -n1; }
# start_window NAME TITLE COMMAND...: runs COMMAND in $work/NAME as a launcher
# would (no terminal, no keys on stdin) and waits for its window; sets $pid,
# and $id (empty, and a failure, when no window with that title came).
start_window() {
  local name=$1 title=$2
  shift 2
  mkdir -p "$work/$name"
  (cd "$work/$name" && exec "$@" </dev/null >out 2>err) &
  pid=$!
  program_pids+=("$pid")
  id=$(window_named "$title")
  [ -n "$id" ] || fail "$name: no window titled $title: $(cat "$work/$name/err")"
}
# await_end PID: waits (at most 30 s) for the program to end; its exit
# status goes to $status.
await_end() {
  status="still running"
  for ((i = 0; i < 300; i++)); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && return
  wait "$1"
  status=$?
}
# scaled NAME SCALE WIDTH HEIGHT: NAME.ppm scaled and centred in a window of that size.
scaled() {
  convert "$work/$1.ppm" -filter point -resize "$((100 * $2))%" -background '#101830' \
    -gravity center -extent "$3x$4" "$work/$1-$3x$4.ppm"
}
type_keys() { xdotool type --delay 15 -- "$1"; }

# --- No display, no font: clear messages, status 2, no window, no report ---
mkdir -p "$work/nodisplay"
(cd "$work/nodisplay" && env -u DISPLAY -u WAYLAND_DISPLAY "$program" --window >out 2>err; echo $? >status)
[ "$(cat "$work/nodisplay/status")" = 2 ] || fail "no display: status $(cat "$work/nodisplay/status")"
grep -q "^vollfarbe: --window needs a graphical display" "$work/nodisplay/err" ||
  fail "no display: message: $(cat "$work/nodisplay/err")"
mkdir -p "$work/nofont"
(cd "$work/nofont" && VOLLFARBE_FONT="$work/missing.hex" "$program" --window >out 2>err; echo $? >status)
[ "$(cat "$work/nofont/status")" = 2 ] || fail "no font: status $(cat "$work/nofont/status")"
grep -qF "vollfarbe: the window's font: cannot read $work/missing.hex: No such file or directory" \
  "$work/nofont/err" || fail "no font: message: $(cat "$work/nofont/err")"
[ -e "$work/nofont/vollfarb.txt" ] && fail "no font: a report file was created"
xdotool search --name '^vollfarbe$' >/dev/null 2>&1 && fail "no font: a window opened"

# --- The dialogue in the window ---
keys_pass1=$'600\r'
keys_menu="$keys_pass1 "
keys_prompt="${keys_menu}2"
keys_pass2="${keys_prompt}5"$'\r'
keys_closed="$keys_pass2"$'\377k'
keys_pass3="$keys_closed"$'0\r'
keys_all="$keys_pass3 q "
expect start ""
expect pass1 "$keys_pass1"
expect menu "$keys_menu"
expect prompt "$keys_prompt"
expect pass2 "$keys_pass2"
expect closed "$keys_closed"
expect pass3 "$keys_pass3"

# A display as small as a laptop's (the usable area SDL sees): 1x.
start_window window vollfarbe env SDL_DISPLAY_USABLE_BOUNDS=0,0,1366,704 "$program" --window
window_pid=$pid
if [ -n "$id" ]; then
  geometry=$(xdotool getwindowgeometry "$id" | grep Geometry)
  [ "$geometry" = "  Geometry: 640x480" ] || fail "window size:$geometry"
  shows "$id" start
  xdotool windowfocus --sync "$id"
  # Alt+X and Ctrl+C between the digits are keys the entry ignores (255 45
  # and 3): neither may leave an "x" or a "c" in it.
  type_keys "6"; xdotool key alt+x ctrl+c; type_keys "00"; xdotool key Return
  shows "$id" pass1 && [ -n "${VOLLFARBE_WINDOW_SHOT:-}" ] && convert "$work/shot.ppm" "$VOLLFARBE_WINDOW_SHOT"
  xdotool key space
  shows "$id" menu
  type_keys "2"
  shows "$id" prompt
  type_keys "5"; xdotool key Return
  shows "$id" pass2
  # The close button is a key (255 "k": any key at the pause, then a menu
  # key that asks for a correction); the window stays.
  "$SEND_CLOSE_REQUEST" "$id" || fail "close request not sent"
  shows "$id" closed
  xdotool search --name '^vollfarbe$' >/dev/null || fail "the close button closed the window"
  kill -0 "$window_pid" 2>/dev/null || fail "the close button ended the program"
  type_keys "0"; xdotool key Return
  shows "$id" pass3
  xdotool key space; type_keys "q"
  # After q the program waits for a key pressed after q was taken; one typed
  # before that does not count, so a key is pressed until it ends.
  for ((i = 0; i < 60; i++)); do
    kill -0 "$window_pid" 2>/dev/null || break
    xdotool key space 2>/dev/null
    sleep 0.5
  done
fi
await_end "$window_pid"
[ "$status" = 0 ] || fail "window: exit status $status; $(cat "$work/window/err")"
[ -s "$work/window/err" ] && fail "window: unexpected stderr: $(cat "$work/window/err")"
xdotool search --name '^vollfarbe$' >/dev/null 2>&1 && fail "window still open after the end"

# The same keys through a pipe: the same report, byte for byte.
mkdir -p "$work/piped"
(cd "$work/piped" && printf '%s' "$keys_all" | timeout 20 "$program" >out 2>err)
cmp "$work/window/vollfarb.txt" "$work/piped/vollfarb.txt" || fail "report differs from the piped run"

# ... and on a terminal (tmux), where the close button's two keys are typed.
if command -v tmux >/dev/null; then
  tmux_socket="vf-window-test-$$"
  t() { tmux -u -L "$tmux_socket" -f /dev/null "$@"; }
  pane_has() {
    for ((i = 0; i < 100; i++)); do
      t capture-pane -p -t vf 2>/dev/null | grep -qF -- "$1" && return 0
      sleep 0.1
    done
    fail "terminal: timed out waiting for: $1"
    return 1
  }
  mkdir -p "$work/terminal"
  t new-session -d -s vf -x 80 -y 30 -c "$work/terminal" \
    "env TERM=screen '$program'; echo \$? >'$work/terminal.status'; sleep 30"
  pane_has "Grenzwellenlänge:?"
  t send-keys -t vf -l "600"; t send-keys -t vf Enter
  pane_has "l2 =-556.84"
  t send-keys -t vf -l " "; pane_has "drücke q"
  t send-keys -t vf -l "2"; pane_has "k="
  t send-keys -t vf -l "5"; t send-keys -t vf Enter
  pane_has "lc = 605"
  t send-keys -t vf -l " "; pane_has "drücke q"
  t send-keys -t vf -l "k"; pane_has "k="
  t send-keys -t vf -l "0"; t send-keys -t vf Enter
  pane_has "lc = 605"
  t send-keys -t vf -l " "; pane_has "drücke q"
  t send-keys -t vf -l "q"
  # As in the window: keys until the one after q counts.
  for ((i = 0; i < 60; i++)); do
    [ -s "$work/terminal.status" ] && break
    t send-keys -t vf -l " "
    sleep 0.5
  done
  [ "$(cat "$work/terminal.status" 2>/dev/null)" = 0 ] || fail "terminal: exit status"
  cmp "$work/window/vollfarb.txt" "$work/terminal/vollfarb.txt" || fail "report differs from the terminal's"
else
  echo "note: tmux not installed, the report is compared with the piped run only"
fi

# --- Chosen by itself: no terminal and no keys on stdin, a display. Titled
# after the executable's name; 2x on this large display, whole multiples
# and centred when resized; SIGTERM ends it with 143 and the report written ---
mkdir -p "$work/bin"
ln -s "$program" "$work/bin/farbrechner.run"
start_window auto farbrechner "$work/bin/farbrechner.run"
auto_pid=$pid
if [ -n "$id" ]; then
  geometry=$(xdotool getwindowgeometry "$id" | grep Geometry)
  [ "$geometry" = "  Geometry: 1280x960" ] || fail "large display: window size:$geometry"
  xdotool windowmove --sync "$id" 0 0
  xdotool windowfocus --sync "$id"
  type_keys "600"; xdotool key Return
  scaled pass1 2 1280 960
  shows "$id" pass1-1280x960
  xdotool windowsize "$id" 1400 1000
  scaled pass1 2 1400 1000
  shows "$id" pass1-1400x1000
  xdotool windowsize "$id" 700 500
  scaled pass1 1 700 500
  shows "$id" pass1-700x500
  kill -TERM "$auto_pid"
fi
await_end "$auto_pid"
[ "$status" = 143 ] || fail "SIGTERM: exit status $status"
mkdir -p "$work/piped1"
(cd "$work/piped1" && printf '%s' "$keys_pass1" | timeout 20 "$program" >out 2>err)
cmp "$work/auto/vollfarb.txt" "$work/piped1/vollfarb.txt" || fail "SIGTERM: report not written out"

# --- The display goes away (the X server ends) after a pass: the report is
# written and the program ends as on a hang-up (129). Last: it ends Xvfb ---
start_window lost vollfarbe env SDL_DISPLAY_USABLE_BOUNDS=0,0,1366,704 "$program" --window
lost_pid=$pid
if [ -n "$id" ]; then
  xdotool windowfocus --sync "$id"
  type_keys "600"; xdotool key Return
  shows "$id" pass1
  kill "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
fi
await_end "$lost_pid"
[ "$status" = 129 ] || fail "display lost: exit status $status"
cmp "$work/lost/vollfarb.txt" "$work/piped1/vollfarb.txt" || fail "display lost: report not written out"
grep -qF "vollfarbe: the connection to the display was lost" "$work/lost/err" ||
  fail "display lost: message: $(cat "$work/lost/err")"

[ "$failures" = 0 ] && echo "window under Xvfb: all checks passed"
[ "$failures" = 0 ]
