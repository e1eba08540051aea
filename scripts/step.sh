#!/usr/bin/env bash
# One step of a run that a newcomer watches: prints "<label>… done", with
# the step's output kept in log file $2 (appended); when the step fails, the
# end of that output is shown and the run stops with the step's status.
#   step.sh <label> <log> <command> [arguments...]
set -u
label=$1
log=$2
shift 2
mkdir -p "$(dirname "$log")"
printf '%s… ' "$label"
start=$(date +%s)
"$@" >>"$log" 2>&1
rc=$?
if [ $rc -eq 0 ]; then
    echo "done ($(( $(date +%s) - start )) s)"
    exit 0
fi
echo "failed"
echo "--- the end of $log:"
tail -n 40 "$log"
exit $rc
