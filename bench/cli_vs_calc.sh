#!/usr/bin/env bash
# Whole-process timings as a user runs them, side by side with GNU calc:
#   - quorra-cli '1+1' (tables read, constants built) against calc '1+1';
#   - quorra-cli -p 10000 on the sum of two 10,000-digit numerals.
# Needs hyperfine and calc (apt-get install hyperfine calc) and a build in
# build/ (./run.sh or ./test.sh makes one).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${QUORRA_BUILD:-build}/bin/quorra-cli
[ -x "$cli" ] || { echo "the quorra-cli build is missing: build first" >&2; exit 1; }
for tool in hyperfine calc; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install $tool" >&2; exit 1; }
done

digits() { (set +o pipefail; tr -dc '0-9' < /dev/urandom | head -c "$1"); }
a="7$(digits 9999)"
b="3$(digits 9999)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '%s+%s\n' "$a" "$b" > "$tmp/sum.txt"

hyperfine -N --warmup 3 --runs 30 \
    "$cli 1+1" \
    "calc 1+1"

hyperfine --warmup 2 --runs 20 \
    "$cli -p 10000 < $tmp/sum.txt" \
    "calc -p 'config(\"display\",10000),; $a+$b'"
