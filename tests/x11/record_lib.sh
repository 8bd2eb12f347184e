# Starting and ending dxplay record for the end-to-end tests and the
# benchmark (sourced after x11_lib.sh; DXPLAY names the program). It runs on
# a pseudo-terminal of its own (script(1)), where it says when the
# recording has begun.

# Returns once the recording has begun, with dxplay's pid in $recorder.
start_recording() {  # args...
  local command
  command=$(printf '%q ' exec env --default-signal=INT,TERM "$DXPLAY" record "$@")
  start "$work/recorder.out" script -qfec "$command" /dev/null
  recorder_terminal=$last_pid
  wait_for 20 grep -q '^recording: ' "$work/recorder.out" ||
    fail "dxplay record did not start: $(cat "$work/recorder.out")"
  recorder=$(pgrep -P "$recorder_terminal" | head -1)
  [ -n "$recorder" ] || fail "dxplay record ended at once: $(cat "$work/recorder.out")"
}

# Its exit status in $status, what it printed in $work/err.
finish_recording() {  # what
  wait_for 10 gone "$recorder_terminal" || fail "$1: dxplay record did not end"
  status=0
  wait "$recorder_terminal" || status=$?
  tr -d '\r' <"$work/recorder.out" >"$work/err"
}
