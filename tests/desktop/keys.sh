#!/usr/bin/env bash
# Keys pressed in the real program: after a search the focus is in the term box, and from there the menu's
# accelerators still run their commands (Shift+Del clears the history but keeps the term, Ctrl+Del empties
# the pane, Ctrl+K writes a backup, Ctrl+E opens the mass data editor, Ctrl+G clears all), while keys that
# are no accelerator edit the term.
# Usage: keys.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
if ! command -v xdotool >/dev/null; then
    echo "SKIPPED: xdotool is not installed (scripts/install-deps installs it)"
    exit $SKIP
fi
start_display

words="$work/words.lxd"
"$CLI" add "$words" house "Haus" >/dev/null || fail "cannot create the dictionary"

# Each key waits for the state it leads to before the next one is pressed.
cat >"$work/keys.script" <<SCRIPT
search house
touch $work/searched
wait-fields focus=m_CBBTerm term=house history=1 pane-empty=0
wait-fields focus=m_CBBTerm term=house history=0 pane-empty=0
wait-fields focus=m_CBBTerm term=house history=0 pane-empty=1
wait-file $work/backup-seen
wait-modal CMassDataDlg
close-modal
wait-fields focus=m_CBBTerm term= history=0 pane-empty=1
wait-fields focus=m_CBBTerm term=ab history=0 pane-empty=1
quit
SCRIPT
start_lexaro keys "$work/keys.script" "$words"
log="$work/keys.script.log"

# press KEY STEP: presses KEY in the focused window once the program waits in STEP, then sees STEP done.
press() {
    xdotool key --clearmodifiers "$1" || fail "xdotool could not press $1"
    wait_for "done $2" "$log" 15 || fail "after $1 the program did not reach: $2"
}

for ((i = 0; i < 200; i++)); do
    [[ -e "$work/searched" ]] && break
    sleep 0.1
done
[[ -e "$work/searched" ]] || fail "the program did not search"
window=$(xdotool search --sync --onlyvisible --name '^Lexaro - words.lxd' | head -1)
[[ -n "$window" ]] || fail "no main window found"
xdotool windowfocus --sync "$window" || fail "cannot focus the main window"
wait_for "done wait-fields focus=m_CBBTerm term=house history=1 pane-empty=0" "$log" 15 ||
    fail "the search did not leave the focus in the term box"

press shift+Delete "wait-fields focus=m_CBBTerm term=house history=0 pane-empty=0"
press ctrl+Delete "wait-fields focus=m_CBBTerm term=house history=0 pane-empty=1"
xdotool key --clearmodifiers ctrl+k
for ((i = 0; i < 50; i++)); do
    compgen -G "$work/words_*.lxd" >/dev/null && break
    sleep 0.1
done
compgen -G "$work/words_*.lxd" >/dev/null || fail "Ctrl+K in the term box wrote no backup"
touch "$work/backup-seen"
press ctrl+e "wait-modal CMassDataDlg"
wait_for "done close-modal" "$log" 10 || fail "the mass data editor was not closed"
xdotool windowfocus --sync "$window" || fail "cannot focus the main window again"
press ctrl+g "wait-fields focus=m_CBBTerm term= history=0 pane-empty=1"
xdotool type --delay 20 "abc"
press BackSpace "wait-fields focus=m_CBBTerm term=ab history=0 pane-empty=1"

wait_exit "$started" 20 || fail "the program did not finish"
grep -q FAIL "$log" && fail "a script step failed"
cmp -s "$words" "$(compgen -G "$work/words_*.lxd" | head -1)" || fail "the backup differs from the dictionary"
echo "PASS"
