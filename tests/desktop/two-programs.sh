#!/usr/bin/env bash
# Two programs on one X display: an entry copied in one is pasted into the other, and a text that another
# X client copies is looked up by a program that watches the clipboard.
# Usage: two-programs.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

"$CLI" add "$work/first.lxd" house "Haus" >/dev/null || fail "cannot create the first dictionary"
"$CLI" add "$work/first.lxd" tree "Baum" >/dev/null || fail "cannot add to the first dictionary"
"$CLI" add "$work/second.lxd" HOUSE "already there" >/dev/null || fail "cannot create the second dictionary"

# The copying program serves the clipboard, so it runs until the other one has pasted.
cat >"$work/first.script" <<SCRIPT
search house
trigger ID_MEN_COPYENTRY
touch $work/copied
wait-file $work/pasted
quit
SCRIPT
cat >"$work/second.script" <<SCRIPT
wait-file $work/copied
wait-clipboard CLIP_LEXARO
trigger ID_MEN_PASTEENTRY
trigger ID_MEN_SAVE
touch $work/pasted
quit
SCRIPT
start_lexaro first "$work/first.script" "$work/first.lxd"
first=$started
start_lexaro second "$work/second.script" "$work/second.lxd"
second=$started
wait_exit "$second" 20 || fail "the pasting program did not finish"
wait_exit "$first" 5 || fail "the copying program did not finish"
grep -q FAIL "$work"/*.script.log && fail "a script step failed"

explanation=$("$CLI" lookup "$work/second.lxd" "house (1)" --no-substring --no-vice-versa) ||
    fail "the pasted entry is not in the saved dictionary"
[[ "$explanation" == *"Haus"* ]] || fail "the pasted entry lost its explanation: $explanation"
"$CLI" lookup "$work/first.lxd" house --no-substring >/dev/null || fail "copying removed the entry"

# Clipboard watching: another X client copies a term, the watching program shows its explanation.
if ! command -v xclip >/dev/null; then
    echo "SKIPPED (watching part only): xclip is not installed (scripts/install-deps installs it)"
    exit 0
fi
cat >"$work/watch.script" <<SCRIPT
trigger ID_MENTRAY_ACTIVATE
touch $work/watching
wait-pane Baum
report
quit
SCRIPT
start_lexaro watch "$work/watch.script" "$work/first.lxd"
watcher=$started
wait_for "done touch $work/watching" "$work/watch.script.log" 10 || fail "the watching program did not start"
printf 'tree' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
pids+=($!)
wait_exit "$watcher" 20 || fail "the watching program did not look the copied text up"
grep -q FAIL "$work/watch.script.log" && fail "the watching script failed"
grep -qxF "state visible=1 in-tray=0 icon=0 term=tree" "$work/watch.script.log" ||
    fail "the term box does not show the copied text"
echo "PASS"
