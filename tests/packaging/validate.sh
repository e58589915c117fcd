#!/usr/bin/env bash
# Runs the platform's own validator on one of the installed data files and
# fails on any complaint, hints and warnings included.
# validate.sh desktop|metainfo|manual FILE
set -uo pipefail
kind=$1 file=$2

case $kind in
  desktop) out=$(desktop-file-validate "$file" 2>&1) ;;
  metainfo) out=$(appstreamcli validate --no-net --strict --explain "$file" 2>&1) ;;
  # -ww: every groff warning; the page is UTF-8 and rendered as such.
  manual) out=$(LC_ALL=C.UTF-8 man --warnings=w -l "$file" 2>&1 >/dev/null) ;;
  *) echo "unknown kind: $kind" >&2; exit 2 ;;
esac
status=$?

# appstreamcli reports its verdict even when there is nothing to say.
[ "$kind" = metainfo ] && out=$(grep -v '^✔ Validation was successful' <<<"$out")
if [ $status -ne 0 ] || [ -n "$out" ]; then
  printf '%s\n' "$out"
  echo "FAIL: $kind $file (status $status)" >&2
  exit 1
fi
