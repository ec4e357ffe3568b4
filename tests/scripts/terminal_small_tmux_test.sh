#!/usr/bin/env bash
# The program in a terminal smaller than its 80x30 screen, as most terminals
# open (80x24): the rows around the cursor and a notice on the last row;
# entry, a whole pass, the menu and a correction work as usual, and
# enlarging the terminal to 80x30 mid-run shows the whole screen at once.
# Usage: bash terminal_small_tmux_test.sh path/to/vollfarbe
set -u
TMUX_SOCKET_NAME=vf-small
# shellcheck source=tests/scripts/tmux_harness.sh
source "$(dirname "$0")/tmux_harness.sh"
notice="Terminal 80x24 < 80x30: enlarge it or run vollfarbe --window to see it all"
# The notice belongs on the terminal's last row, and nowhere else.
notice_on_last_row() {
  [ "$(pane | sed -n 24p)" = "$notice" ] || fail "$1: no notice on row 24"
  [ "$(pane | grep -cF -- "< 80x30")" = 1 ] || fail "$1: notice not on exactly one row"
}

t new-session -d -s vf -x 80 -y 24 -c "$work" \
  "env -i HOME='$work' PATH='$PATH' LANG=C.UTF-8 TERM=screen sh -c '\"$program\"; echo \"status \$?\"; sleep 30'"
t set-option -t vf window-size manual >/dev/null 2>&1

wait_for " Eingabe der Grenzwellenlänge:?"
notice_on_last_row "entry"
pane | head -1 | grep -qF "Berechnung einer Vollfarbe" || fail "entry: title not on the first row"
t send-keys -t vf -l "600"
wait_for " Eingabe der Grenzwellenlänge:? 600"
t send-keys -t vf Enter
wait_for "Die fartongleiche Wellenlänge ist l2 =-556.84"
notice_on_last_row "pass"
pane | grep -qF "Ergebnis Mittelpigment" || fail "pass: rows above the cursor not shown"

t send-keys -t vf -l " "
wait_for "für das Beenden des Programmes drücke q"
notice_on_last_row "menu"
t send-keys -t vf -l "2"
wait_for " Korrekturbetrag für le oder lc: k="
t send-keys -t vf -l "10"
wait_for " Korrekturbetrag für le oder lc: k= 10"
t send-keys -t vf Enter
wait_for "Die fartongleiche Wellenlänge ist l1 = 562.023"
notice_on_last_row "correction"

t resize-window -t vf -x 80 -y 30
wait_for "   Die kompensative Wellenlänge ist lc = 610"
pane | grep -qF "< 80x30" && fail "80x30: notice still shown"
[ "$(pane | wc -l)" -ge 29 ] || fail "80x30: not the whole screen"

t send-keys -t vf -l " "
wait_for "für das Beenden des Programmes drücke q"
t send-keys -t vf -l "q"
press_until_ended "status 0"
second=$(sed -n 21p "$work/vollfarb.txt" 2>/dev/null | tr -d '\r')
[ "$second" = "l=  491.688  lc=  610" ] || fail "report: second pass starts with '$second'"

[ "$failures" = 0 ] && echo "small terminal in tmux: all checks passed"
[ "$failures" = 0 ]
