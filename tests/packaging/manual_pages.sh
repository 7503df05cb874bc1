#!/usr/bin/env bash
# Every manual page in a folder renders with groff at all warnings without a word on stderr, and
# says in its NAME section which command it is for (the file's own name).
#   manual_pages.sh FOLDER
set -u
status=0
pages=("$1"/*.[1-8])
[ -e "${pages[0]}" ] || { echo "FAIL no manual pages in $1"; exit 1; }
for page in "${pages[@]}"; do
  name=$(basename "$page")
  command=${name%.*}
  problems=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
  text=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -P-c -P-b -P-u "$page" 2>/dev/null)
  if [ -n "$problems" ]; then
    echo "FAIL $name: $problems"
    status=1
  elif ! grep -A1 '^NAME' <<<"$text" | grep -q "^ *$command - "; then
    echo "FAIL $name: its NAME section is not for $command"
    status=1
  else
    echo "ok $name"
  fi
done
exit $status
