#!/usr/bin/env bash
# Runs the suites of the build trees given, side by side, each with its own
# Wine slots (test-session.sh). Each suite's output is kept in its tree's
# suite.log and shown whole once every suite has ended, then the wall time
# of each suite and of the whole. Fails when any suite fails.
set -u
here=$(dirname "$0")
start=$(date +%s)
pids=()
for tree in "$@"; do
    (
        began=$(date +%s)
        bash "$here/test-session.sh" "$tree"
        rc=$?
        echo "$rc $(( $(date +%s) - began ))" >"$tree/suite.result"
        exit $rc
    ) >"$tree/suite.log" 2>&1 </dev/null &
    pids+=($!)
    echo "The suite of $tree runs; its output goes to $tree/suite.log."
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
summary=()
for tree in "$@"; do
    echo
    cat "$tree/suite.log"
    read -r rc seconds <"$tree/suite.result" || { rc=1 seconds=?; }
    way=$(head -n 1 "$tree/suite.log")
    summary+=("${way%.}: $([ "$rc" = 0 ] && echo passed || echo FAILED) in $seconds s.")
done
echo
printf '%s\n' "${summary[@]}"
echo "All suites, side by side: $(( $(date +%s) - start )) s."
exit $status
