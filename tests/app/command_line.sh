#!/usr/bin/env bash
# The program's command line as a shell sees it: every refused case ends with status 2, its
# message on stderr and the usage after it, nothing on stdout and nothing in the temporary
# folder, before any display is looked for; --help and --version answer on stdout with status 0,
# and the manual page explains every option --help lists.
#   command_line.sh PROGRAM VERSION MANUAL_PAGE
set -u
program=$1
version=$2
manual=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# run ARGUMENTS...: the program without a display, its status in $status, its output in files.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY TMPDIR="$scratch/tmp" ORBEK42_NO_DIALOGS=1 \
    "$program" "$@" >"$scratch/out" 2>"$scratch/err" || status=$?
}

mkdir "$scratch/tmp"
# ARGUMENTS | the first line on stderr
while IFS='|' read -r arguments message; do
  read -r -a words <<<"$arguments"
  run "${words[@]}"
  first=$(head -n 1 "$scratch/err")
  if [ $status -ne 2 ]; then
    fail "$arguments: status $status, not 2"
  elif [ "$first" != "orbek42: $message" ]; then
    fail "$arguments: stderr says \"$first\""
  elif ! grep -q '^usage: orbek42 ' "$scratch/err"; then
    fail "$arguments: no usage after the message"
  elif [ -s "$scratch/out" ] || [ -n "$(ls -A "$scratch/tmp")" ]; then
    fail "$arguments: wrote to stdout or into the temporary folder"
  else
    echo "ok $arguments: status 2, $message"
  fi
done <<'EOF_CASES'
--bogus|unknown argument --bogus
--fullscreen --bogus|unknown argument --bogus
--size|--size needs a value
--size 1920x1081|--size takes WIDTHxHEIGHT in even numbers from 32 to 8192, e.g. 1920x1080
--supersample 8|--supersample takes 1, 2, 3 or 4
--hold-frame x|--hold-frame takes a frame number, counted from 0
--windowed --fullscreen|--fullscreen and --windowed: give one of them
--fullscreen --size 1280x960|--size is for a window; --fullscreen takes the desktop's own size
EOF_CASES

run --help
[ $status -eq 0 ] && head -n 1 "$scratch/out" | grep -q '^usage: orbek42 ' && [ ! -s "$scratch/err" ] ||
  fail "--help: status $status, stdout \"$(head -n 1 "$scratch/out")\""
for option in --fullscreen --windowed --size --supersample --hold-frame --version; do
  grep -q -- "^  $option " "$scratch/out" || fail "--help does not explain $option"
done
page=$(LC_ALL=C.UTF-8 MANWIDTH=100 man -l "$manual" 2>/dev/null)
for option in $(sed -n 's/^  \(--[a-z-]*\).*/\1/p' "$scratch/out"); do
  grep -q -- "^ *$option\b" <<<"$page" || fail "the manual page does not explain $option"
done
run --version
[ $status -eq 0 ] && [ "$(cat "$scratch/out")" = "orbek42 $version" ] ||
  fail "--version: status $status, says \"$(cat "$scratch/out")\", not \"orbek42 $version\""
[ $failures -eq 0 ] && echo "ok --help and --version"
exit $((failures > 0))
