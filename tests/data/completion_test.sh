#!/usr/bin/env bash
# Completes vantrelo-cli command lines with the shipped bash completion over a real data folder.
# Usage: completion_test.sh COMPLETION_FILE CLI_FOLDER
set -euo pipefail
source "$1"
export PATH="$2:$PATH"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export HOME="$data" XDG_CONFIG_HOME="$data/config"
vantrelo-cli --data "$data" keywords add "gh,github" "https://github.com/search?q=\$U\$" >/dev/null

failed=0
# Each case: the expected completions (sorted, joined by blanks), then the words typed so far.
check() {
  local expected=$1
  shift
  COMP_WORDS=(vantrelo-cli "$@")
  COMP_CWORD=$(($# ))
  COMPREPLY=()
  _vantrelo_cli
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
  if [[ $got != "$expected" ]]; then
    echo "FAIL: vantrelo-cli $* -> [$got], expected [$expected]"
    failed=1
  fi
}
check "settings similarity suggest" s
check "--data --help --version" --
check "get list set" settings ""
check "add check export hotkey import list remove" keywords ""
check "--filter" keywords list ""
check "clear list" clipboard ""
check "add show" notes ""
check "keys regex" text ""
check "list" apps ""
check "hotkey" --data "$data" keywords ho
check "g gh github google" --data "$data" keywords remove g
check "hide hidekeywordpanel" --data "$data" settings get hid
check "hotkey hotkeyadd hotkeyhide" --data "$data" settings set hotk
check "1" --data "$data" settings set hide ""
check "off on" autostart ""
check "--dry-run" run ""
[[ $failed -eq 0 ]] && echo "completion: all cases passed"
exit $failed
