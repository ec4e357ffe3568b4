#!/usr/bin/env bash
# The program on a real terminal, driven as a user would in tmux at 80x30:
# typed text and umlauts, Escape, Home and End in their common forms, a too
# small window and the way back,
# Ctrl+Z and fg, Ctrl+C and Ctrl+\ (status 130 and 131, terminal sane,
# report written), the end through "q" (status 0) and a hang-up (report
# written).
# Usage: bash terminal_tmux_test.sh path/to/vollfarbe
set -u
TMUX_SOCKET_NAME=vf-test
# shellcheck source=tests/scripts/tmux_harness.sh
source "$(dirname "$0")/tmux_harness.sh"
wait_for_file() {
  for ((i = 0; i < 50; i++)); do [ -s "$1" ] && return 0; sleep 0.1; done
  fail "timed out waiting for $1"
  return 1
}
# run_program NAME: starts the program from the shell in the session as a
# job of its own, so that Ctrl+Z and fg work on it as on any program.
# (capture-pane drops trailing blanks, so prompts are matched without them.)
run_program() {
  t send-keys -t vf "clear; cd '$work/$1' && '$program'" Enter
}
# run_to_first_result NAME: a run in $work/NAME up to the first pass's result
# for 600 nm.
run_to_first_result() {
  mkdir -p "$work/$1"
  run_program "$1"
  wait_for " Eingabe der Grenzwellenlänge:?"
  t send-keys -t vf -l "600"
  t send-keys -t vf Enter
  wait_for "l2 =-556.84"
}
# program_ended NAME: once the shell has the terminal again, its status goes
# to NAME.status and the terminal settings to NAME.stty.
program_ended() {
  for ((i = 0; i < 50; i++)); do
    [ "$(t display -p -t vf '#{pane_current_command}')" = bash ] && break
    sleep 0.1
  done
  t send-keys -t vf "echo \$? >'$work/$1.status'; stty -g >'$work/$1.stty'" Enter
  wait_for_file "$work/$1.status"
  wait_for_file "$work/$1.stty"
}

t new-session -d -s vf -x 80 -y 30 -c "$work" "env -i HOME='$work' PATH='$PATH' LANG=C.UTF-8 TERM=screen PS1='$ ' bash --norc --noprofile"
t set-option -t vf window-size manual >/dev/null 2>&1
sleep 0.3
t send-keys -t vf "stty -g >'$work/before.stty'" Enter
wait_for_file "$work/before.stty"

# --- First run: entry, resize, Ctrl+Z, Ctrl+C ---
mkdir -p "$work/first"
run_program first
wait_for "   Berechnung einer Vollfarbe und ihrer farbtongleichen Wellenlänge"
wait_for " Eingabe der Grenzwellenlänge:?"
t send-keys -t vf -l "123"
wait_for " Eingabe der Grenzwellenlänge:? 123"
t send-keys -t vf Escape
t send-keys -t vf -l "60"
wait_for " Eingabe der Grenzwellenlänge:? 60"
pane | grep -qF "? 12360" && fail "Escape did not erase the entry at once"
t send-keys -t vf -l "0"
t send-keys -t vf Enter
wait_for "   Die Grenzwellenlänge ist l = 489.996"

t resize-window -t vf -x 60 -y 20
wait_for "Terminal 60x20 < 80x30: enlarge it"
t resize-window -t vf -x 80 -y 30
wait_for "   Die Grenzwellenlänge ist l = 489.996"
pane | grep -qF "< 80x30" && fail "notice left on the screen after the resize"

t send-keys -t vf C-z
wait_for "Stopped"
t send-keys -t vf "fg" Enter
wait_for "   Die Grenzwellenlänge ist l = 489.996"

t send-keys -t vf C-c
program_ended first
[ "$(cat "$work/first.status" 2>/dev/null)" = 130 ] ||
  fail "Ctrl+C: exit status $(cat "$work/first.status" 2>/dev/null)"
cmp -s "$work/before.stty" "$work/first.stty" || fail "Ctrl+C: terminal settings not restored"
first_line=$(head -c 23 "$work/first/vollfarb.txt" 2>/dev/null | od -An -c | tr -s ' ')
expected=$(printf 'l=  489.996  lc=  600\r\n' | od -An -c | tr -s ' ')
[ "$first_line" = "$expected" ] || fail "Ctrl+C: report not written out:$first_line"

# --- Second run: the regular end through the menu ---
run_to_first_result second
t send-keys -t vf -l " "
wait_for "drücke q"
t send-keys -t vf -l "q"
press_until_ended
program_ended second
[ "$(cat "$work/second.status" 2>/dev/null)" = 0 ] ||
  fail "q: exit status $(cat "$work/second.status" 2>/dev/null)"
cmp -s "$work/before.stty" "$work/second.stty" || fail "q: terminal settings not restored"
cmp -s "$work/first/vollfarb.txt" "$work/second/vollfarb.txt" || fail "q: report differs from the first run"

# --- Ctrl+\ (SIGQUIT) ends the program like Ctrl+C: report, terminal ---
run_to_first_result quit
t send-keys -t vf 'C-\'
program_ended quit
[ "$(cat "$work/quit.status" 2>/dev/null)" = 131 ] ||
  fail "Ctrl+\\: exit status $(cat "$work/quit.status" 2>/dev/null)"
cmp -s "$work/before.stty" "$work/quit.stty" || fail "Ctrl+\\: terminal settings not restored"
cmp -s "$work/first/vollfarb.txt" "$work/quit/vollfarb.txt" || fail "Ctrl+\\: report not written out"
pane | grep -qF "l2 =-556.84" && fail "Ctrl+\\: the screen was not given back"

# --- Home and End in every common form, where the terminal description
# (xterm-256color: ESC O H / ESC O F) names another: "0" Home "6" End "0"
# must read 600 ---
mkdir -p "$work/keys"
t send-keys -t vf "clear; cd '$work/keys' && TERM=xterm-256color '$program'" Enter
wait_for " Eingabe der Grenzwellenlänge:?"
for pair in "1b 5b 31 7e|1b 5b 34 7e" "1b 5b 37 7e|1b 5b 38 7e" "1b 5b 48|1b 5b 46" \
            "1b 4f 48|1b 4f 46"; do
  t send-keys -t vf -l "0"
  t send-keys -t vf -H ${pair%|*}
  t send-keys -t vf -l "6"
  t send-keys -t vf -H ${pair#*|}
  t send-keys -t vf -l "0"
  wait_for " Eingabe der Grenzwellenlänge:? 600" || echo "(Home|End sent as $pair)"
  t send-keys -t vf Escape
  sleep 0.1
done
t send-keys -t vf C-c
program_ended keys

# --- Third run: the terminal goes away (SIGHUP) while the program waits ---
run_to_first_result third
t kill-server
for ((i = 0; i < 50; i++)); do [ -s "$work/third/vollfarb.txt" ] && break; sleep 0.1; done
cmp -s "$work/first/vollfarb.txt" "$work/third/vollfarb.txt" || fail "hang-up: report not written out"

[ "$failures" = 0 ] && echo "terminal in tmux: all checks passed"
[ "$failures" = 0 ]
