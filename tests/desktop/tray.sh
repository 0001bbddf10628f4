#!/usr/bin/env bash
# The tray on a virtual X display. Without a tray host "-auto" says that the icon cannot be set and shows the
# window. With one (trayer) "-auto" starts hidden with its icon docked; a term that another program copies
# brings the window back and takes the icon away; the tray commands restore the window and, from the tray,
# end the program.
# Usage: tray.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

cat >"$work/none.script" <<SCRIPT
report
quit
SCRIPT
start_lexaro none "$work/none.script" -auto
wait_exit "$started" 20 || fail "the program without a tray did not finish"
grep -qxF "prompt Unable to set tray icon!" "$work/none.script.log" || fail "no message about the missing tray"
grep -qxF "state visible=1 in-tray=0 icon=0 term=" "$work/none.script.log" ||
    fail "without a tray the window must stay visible"

for tool in trayer xclip xwininfo; do
    if ! command -v $tool >/dev/null; then
        echo "SKIPPED (tray part): $tool is not installed (scripts/install-deps installs it)"
        exit 0
    fi
done
trayer --edge bottom >"$work/trayer.out" 2>&1 &
pids+=($!)
# trayer shows its panel once its tray has taken the display's tray selection.
panel=""
for ((i = 0; i < 50; i++)); do
    sleep 0.1
    panel=$(xwininfo -root -children 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ {print $1}')
    [[ -n "$panel" ]] && xwininfo -id "$panel" | grep -q 'Map State: IsViewable' && break
done
[[ -n "$panel" ]] || fail "trayer did not show its panel"
# The number of Lexaro windows docked in the panel: the tray icon.
docked() { xwininfo -tree -id "$panel" 2>/dev/null | grep -cF '("lexaro" "Lexaro")'; }
# wait_docked N: waits until N icons are docked.
wait_docked() {
    for ((i = 0; i < 50; i++)); do
        (($(docked) == $1)) && return 0
        sleep 0.1
    done
    return 1
}

"$CLI" add "$work/words.lxd" house "Haus" >/dev/null || fail "cannot create the dictionary"
cat >"$work/tray.script" <<SCRIPT
report
trigger ID_MENTRAY_ACTIVATE
touch $work/hidden
wait-pane Haus
report
trigger ID_MEN_HIDE
report
trigger ID_MENTRAY_RESTORE
report
trigger ID_MEN_HIDE
trigger ID_MENTRAY_EXIT
SCRIPT
# "-auto" takes no file: the dictionary comes from the settings.
write_settings tray "  <StartDictionary>$work/words.lxd</StartDictionary>"
start_lexaro tray "$work/tray.script" -auto
program=$started
log="$work/tray.script.log"
wait_for "done touch $work/hidden" "$log" 20 || fail "the program did not start"
grep -qxF "state visible=0 in-tray=1 icon=1 term=" "$log" || fail "-auto must start hidden in the tray"
wait_docked 1 || fail "the icon did not appear in the tray"

printf 'house' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
pids+=($!)
wait_exit "$program" 20 || fail "the program did not come back for the copied term, or Exit did not end it"
grep -q FAIL "$log" && fail "a script step failed"
[[ $(grep -c '^state' "$log") == 4 ]] || fail "expected four states"
[[ $(grep '^state' "$log" | sed -n 2p) == "state visible=1 in-tray=0 icon=0 term=house" ]] ||
    fail "a found term must bring the window back from the tray"
[[ $(grep '^state' "$log" | sed -n 3p) == "state visible=0 in-tray=1 icon=1 term=house" ]] ||
    fail "Hide in tray must hide the window"
[[ $(grep '^state' "$log" | sed -n 4p) == "state visible=1 in-tray=0 icon=0 term=house" ]] ||
    fail "Restore must show the window"
wait_docked 0 || fail "the icon stayed in the tray after Exit"
echo "PASS"
