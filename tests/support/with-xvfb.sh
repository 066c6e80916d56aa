#!/usr/bin/env bash
# Runs a command on a private X server. The server picks its own free display
# number (-displayfd), so tests that run at the same time never race for one
# the way `xvfb-run -a` can.
#   with-xvfb.sh [-s "SERVER ARGS"] COMMAND ARGS...
set -uo pipefail
server_args="-screen 0 1440x900x24"
if [[ ${1:-} == -s ]]; then server_args=$2; shift 2; fi
command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is missing (apt-get install xvfb)" >&2; exit 1; }
dir=$(mktemp -d)
mkfifo "$dir/fd"
# shellcheck disable=SC2086
Xvfb -displayfd 3 $server_args -nolisten tcp 3>"$dir/fd" >"$dir/log" 2>&1 &
server=$!
number=""
read -r -t 20 number <"$dir/fd"
if [[ -z $number ]]; then
  echo "with-xvfb: Xvfb did not start" >&2; cat "$dir/log" >&2
  kill "$server" 2>/dev/null; rm -rf "$dir"; exit 1
fi
export DISPLAY=":$number"
"$@"; rc=$?
kill "$server" 2>/dev/null; wait "$server" 2>/dev/null
rm -rf "$dir"
exit $rc
