# Sourced by the tests that drive the program in tmux: a private tmux server
# with its own socket, a scratch directory, failure counting and waiting for
# text on the pane. Expects $1 to be the program and TMUX_SOCKET_NAME set.
program=$(realpath "$1")
command -v tmux >/dev/null || { echo "SKIP: tmux not installed"; exit 0; }
work=$(mktemp -d)
export LANG=C.UTF-8 LC_ALL=C.UTF-8
tmux_cmd=(tmux -u -L "$TMUX_SOCKET_NAME-$$" -f /dev/null)
cleanup() { "${tmux_cmd[@]}" kill-server 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
t() { "${tmux_cmd[@]}" "$@"; }
pane() { t capture-pane -p -t vf; }

# wait_for TEXT [SECONDS]: until the pane shows TEXT, at most SECONDS (5).
wait_for() {
  local tries=$((${2:-5} * 10))
  for ((i = 0; i < tries; i++)); do
    pane | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "timed out waiting for: $1"
  echo "---- pane ----"; pane; echo "--------------"
  return 1
}

# press_until_ended [TEXT]: after q the program waits for a key pressed after
# q was taken (one typed before that does not count), so a key is pressed
# until the pane shows TEXT or, without TEXT, until the program is no longer
# the pane's command (a shell with job control in front of it).
press_until_ended() {
  local name
  name=$(basename "$program")
  for ((i = 0; i < 50; i++)); do
    if [ -n "${1:-}" ]; then
      pane | grep -qF -- "$1" && return 0
    else
      [ "$(t display -p -t vf '#{pane_current_command}')" != "$name" ] && return 0
    fi
    t send-keys -t vf -l " "
    sleep 0.1
  done
  fail "the program did not end after q"
}
