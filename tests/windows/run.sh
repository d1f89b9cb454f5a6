#!/usr/bin/env bash
# Runs the Windows executable under Wine and compares the exact bytes it prints and its
# exit status with the expected ones:
#   - with ordinary arguments, which Wine joins into a command line;
#   - through the launcher, with raw command-line strings, one for each splitting rule.
#
#   run.sh <vintrel.exe> <launch.exe> <web address named in the error line>
#
# Environment: VINTREL_WINE (default wine). A WINEPREFIX that is set is used as it is, and
# its wine server is left to stop by itself a minute after the run; otherwise a temporary
# prefix is made, and its server stopped and the prefix removed at the end.
set -uo pipefail

if [[ $# -ne 3 ]]; then
  echo "usage: $0 <vintrel.exe> <launch.exe> <documentation address>" >&2
  exit 2
fi
exe=$(realpath "$1")
launch=$(realpath "$2")
error_line="error=Invalid Data. Please refer to documentation provided with the plugin vintrel (which can be downloaded from $3)."

wine=${VINTREL_WINE:-wine}
wineserver=wineserver
export WINEDEBUG=-all
# No Mono or Gecko: console programs need neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
own_prefix=false
if [[ -z ${WINEPREFIX:-} ]]; then
  export WINEPREFIX="$work/prefix"
  own_prefix=true
fi
cleanup() {
  if $own_prefix; then
    "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# One wine server for the whole run, started before anything else: without it, every case
# would start and stop its own. It stays up until a minute after the last case (when the
# prefix's server is already running, that one is used). Outputs go to files, never to
# pipes, which Wine's helper processes inherit and hold open.
mkdir -p "$WINEPREFIX"
"$wineserver" --persistent=60 </dev/null >/dev/null 2>&1 || true
echo "windows: preparing the Wine prefix $WINEPREFIX (the first start takes a while)"
if ! "$wine" wineboot --init </dev/null >"$work/wineboot.log" 2>&1; then
  echo "windows: Wine cannot start here:" >&2
  cat "$work/wineboot.log" >&2
  exit 1
fi

# A Windows path for a file of this machine, through Wine's drive Z:, the file system root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

passed=0
failed=0

# compare <label> <expected status> <expected bytes> <status>: judges the last run.
compare() {
  local label=$1 want_status=$2 want=$3 status=$4
  printf '%s' "$want" >"$work/expected"
  if [[ $status -eq $want_status ]] && cmp -s "$work/expected" "$work/out" && [[ ! -s $work/err ]]; then
    passed=$((passed + 1))
    return
  fi
  failed=$((failed + 1))
  echo "FAIL: $label"
  echo "  status: expected $want_status, got $status"
  echo "  expected: $(cat -A "$work/expected")"
  echo "  printed:  $(cat -A "$work/out")"
  if [[ -s $work/err ]]; then
    echo "  standard error: $(cat -A "$work/err")"
  fi
}

# args <expected status> <expected line> [argument...]: runs vintrel.exe with these
# arguments.
args() {
  local want_status=$1 want=$2
  shift 2
  local status=0
  "$wine" "$exe" "$@" </dev/null >"$work/out" 2>"$work/err" || status=$?
  compare "vintrel.exe$(printf ' %q' "$@")" "$want_status" "$want" "$status"
}

# line <expected status> <expected line> <command line>: starts vintrel.exe with exactly
# this command-line string, program name included.
line() {
  local want_status=$1 want=$2 command_line=$3
  printf '%s' "$command_line" >"$work/command-line"
  local status=0
  "$wine" "$launch" "$(windows_path "$exe")" "$(windows_path "$work/command-line")" \
    </dev/null >"$work/out" 2>"$work/err" || status=$?
  compare "command line $(printf '%q' "$command_line")" "$want_status" "$want" "$status"
}

C='&copyright=Brellwin'
TAB=$'\t'
LF=$'\n'

echo "windows: arguments"
args 1 "$error_line"
args 1 "$error_line" round
args 1 "$error_line" --help
args 1 "result=true$C" equals Yes yes
args 1 "bigger=yes$C" gt 10 9.5 bigger yes no
args 0 "smaller=false$C" lt 10 9.5 smaller
args 1 "result=true$C" gt +INF 1e308
args 1 "result=true$C" contains 'Hello World' 'lo W'
args 0 "result=false$C" startswith Hello he
args 0 "total=12$C" + 7 5 total
args 0 "result=-1$C" % -7 3
args 0 "result=-2147483648$C" + 2147483647 1
args 0 "result=0$C" '*' 65536 65536
args 1 "$error_line" / 7 0
args 1 "$error_line" + 7
args 1 "$error_line" frobnicate 1 2
args 0 "n=3$C" round 2.5 n
args 0 "n=3$C" round 2.5 n m
args 0 "result=8$C" roundup 7.5
args 0 "result=-1294967296$C" rounddown 3000000000
args 0 "v=a&b=c$C" assign 'a&b=c' v
args 0 "result=x$C" ASSIGN x
args 0 "result=two  words$C" assign 'two  words'
args 0 "result=$C" assign ''
# A line feed in a value comes out alone: no carriage return is added.
args 0 "result=a${LF}b$LF$C" assign "a${LF}b$LF"
# A line longer than the stack buffer.
long=$(printf 'x%.0s' {1..5000})
args 0 "result=$long$C" assign "$long"

echo "windows: raw command lines"
line 0 "result=abc de$C" 'vintrel assign ab"c d"e'
line 0 "result=$C" 'vintrel assign ""'
line 0 "result=$C" 'vintrel assign "'
line 0 "=x$C" 'vintrel assign x ""'
line 0 "result=x y$C" 'vintrel assign "x y'
line 0 "result=x$C" 'vintrel assign x"'
line 1 "result=true$C" 'vintrel equals a"" a'
line 0 "result=a\"b$C" 'vintrel assign a\"b'
line 0 "result=a\"b c$C" 'vintrel assign "a\"b c"'
line 0 "x=\"$C" 'vintrel assign \" x'
line 0 "c=a\\\"b$C" 'vintrel assign a\\"b c"'
line 0 "result=\\\"$C" 'vintrel assign "\\"'
line 0 "result=a\\b$C" 'vintrel assign a\b'
line 0 "result=a\\\\b$C" 'vintrel assign a\\b'
line 0 "result=C:\\dir\\$C" 'vintrel assign C:\dir\'
line 0 "y=x$C" "vintrel${TAB}assign${TAB}${TAB}x${TAB}y"
line 0 "result=a${TAB}b$C" "vintrel assign \"a${TAB}b\""
line 0 "result=12$C" 'vintrel  +   7    5   '
line 0 "result=12$C" 'vintrel "+" "7" "5"'
line 1 "big one=y es$C" 'vintrel gt "10" 9.5 "big one" "y es" no'
line 0 "result=a${LF}b$C" "vintrel assign a${LF}b"
# No wildcard is expanded.
line 0 "result=*.exe$C" 'vintrel assign *.exe'
line 0 "result=?$C" 'vintrel assign ?'
# The first word names the program and is passed over.
line 0 "result=x$C" " ${TAB} vintrel assign x"
line 0 "result=x$C" '"C:\Program Files\vintrel.exe" assign x'
line 0 "result=x$C" '"vintrel"assign x'
line 0 "result=x$C" '"C:\dir\"assign x'
line 0 "result=x$C" 'C:\odd"name assign x'
line 0 "result=x$C" 'C:\dir\vintrel.exe assign x'
line 1 "$error_line" 'vintrel'
line 1 "$error_line" ''
line 1 "$error_line" '"vintrel assign x'
line 1 "$error_line" 'vintrel round'

echo "windows: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
