#!/usr/bin/env bash
# Whole-process timings of sin(1), atan(0.5) and asin(0.5) at 1,000 and
# 10,000 digits as a user runs them, side by side with GNU calc computing the
# same value to the same number of digits (calc's second argument is the
# error bound, config("display") the digits it prints).
# Needs hyperfine and calc (apt-get install hyperfine calc) and a build:
#   bench/trig_cli_vs_calc.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build}/bin/quorra-cli"
[ -x "$cli" ] || { echo "$cli is missing: build first" >&2; exit 1; }
for tool in hyperfine calc; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install $tool" >&2; exit 1; }
done

runs="${RUNS:-20}"
for digits in 1000 10000; do
    for f in "sin(1)" "atan(0.5)" "asin(0.5)"; do
        name="${f%%(*}"
        arg="${f#*(}"
        arg="${arg%)}"
        hyperfine -N --warmup 2 --runs "$runs" \
            "$cli -p $digits $f" \
            "calc -p 'config(\"display\",$digits),; $name($arg,1e-$digits)'"
    done
done
