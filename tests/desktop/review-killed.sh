#!/usr/bin/env bash
# A review session in the real program killed in the middle: every rating the window had confirmed is in the
# review log after a restart, the log reads without a skipped line, and the restarted program counts from it.
# Usage: review-killed.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

dict="$work/words.lxd"
for entry in "water Wasser" "house Haus" "horse Pferd" "tree Baum"; do
    "$CLI" add "$dict" $entry >/dev/null || fail "cannot create the dictionary"
done

# Rates Good, Again, Easy, Hard, then waits for a file that never comes: the test kills it there.
cat >"$work/review.script" <<SCRIPT
trigger-later ID_MEN_REVIEW
wait-modal CReviewDlg
press m_BTNShow
press m_BTNGood
press m_BTNShow
press m_BTNAgain
press m_BTNShow
press m_BTNEasy
press m_BTNShow
press m_BTNHard
wait-file $work/never
SCRIPT
start_lexaro review "$work/review.script" "$dict"
wait_for "done press m_BTNHard" "$work/review.script.log" 30 || fail "the ratings were not made"
kill -KILL "$started"
wait "$started" 2>/dev/null
confirmed=$(grep -c '^done press m_BTN\(Again\|Hard\|Good\|Easy\)$' "$work/review.script.log")
[[ $confirmed == 4 ]] || fail "expected 4 confirmed ratings, saw $confirmed"

"$CLI" due "$dict" --all >"$work/due.out" 2>"$work/due.err" || fail "lexaro-cli due lists nothing"
[[ -s "$work/due.err" ]] && fail "the log has unreadable lines: $(cat "$work/due.err")"
reviews=$(awk -F'\t' '{ sum += $7 } END { print sum }' "$work/due.out")
[[ $reviews == "$confirmed" ]] || fail "the log holds $reviews ratings, $confirmed were confirmed"
# The card rated Again is due today again.
due_today=$("$CLI" due "$dict" | wc -l)
[[ $due_today == 1 ]] || fail "expected the card rated Again to be due, $due_today are"

cat >"$work/restart.script" <<SCRIPT
report-review
quit
SCRIPT
run_lexaro restart "$work/restart.script" 20 "$dict"
grep -q '^prompt' "$log" && fail "the restarted program reported: $(grep '^prompt' "$log")"
grep -qxF "review Review (1 due)" "$log" || fail "the restarted program counts otherwise: $(grep '^review' "$log")"
echo "PASS"
