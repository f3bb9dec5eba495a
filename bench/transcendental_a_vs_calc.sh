#!/usr/bin/env bash
# Whole-process timings as a user runs them, side by side with GNU calc:
# exp(1.5), ln(2), cuberoot(2) and sinh(1) at 1,000 and 10,000 digits, each
# a fresh process (tables read, constants built, value printed).
# Needs hyperfine and calc (apt-get install hyperfine calc) and a build in
# build/ (./run.sh or ./test.sh makes one); BUILD=dir picks another.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${BUILD:-build}/bin/quorra-cli
[ -x "$cli" ] || { echo "$cli is missing: build first" >&2; exit 1; }
for tool in hyperfine calc; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install $tool" >&2; exit 1; }
done

# quorra expression | calc expression (EPS stands for the accuracy asked of calc)
cases=(
    "exp(1.5)|exp(1.5,EPS)"
    "ln(2)|ln(2,EPS)"
    "cuberoot(2)|root(2,3,EPS)"
    "sinh(1)|sinh(1,EPS)"
)
for digits in 1000 10000; do
    for c in "${cases[@]}"; do
        ours=${c%%|*}
        theirs=${c#*|}
        theirs=${theirs//EPS/1e-$digits}
        hyperfine -N --warmup 2 --runs "${RUNS:-10}" \
            "$cli -p $digits $ours" \
            "calc -p 'config(\"display\",$digits),; $theirs'"
    done
done
