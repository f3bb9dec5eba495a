#!/usr/bin/env bash
# Runs the libFuzzer targets: tools/fuzz.sh TARGET|all MINUTES
#   TARGET: fuzz_evaluation_run, fuzz_stored_text or fuzz_numeral.
# Builds them with clang (AddressSanitizer, UBSan) in build-fuzz/, then runs
# each for MINUTES minutes from its seed corpus (tests/fuzz/corpus/<target>/,
# never written to) with the dictionary of the expression language. New corpus
# files go to build-fuzz/work/<target>/corpus, crashes and slow inputs to
# build-fuzz/work/<target>/findings; the end prints executions and findings.
set -euo pipefail

usage() { echo "usage: tools/fuzz.sh fuzz_evaluation_run|fuzz_stored_text|fuzz_numeral|all MINUTES" >&2; exit 2; }
[ $# -eq 2 ] || usage
all_targets=(fuzz_evaluation_run fuzz_stored_text fuzz_numeral)
if [ "$1" = all ]; then targets=("${all_targets[@]}"); else targets=("$1"); fi
for t in "${targets[@]}"; do [[ " ${all_targets[*]} " == *" $t "* ]] || usage; done
[[ "$2" =~ ^[0-9]+$ ]] && [ "$2" -gt 0 ] || usage
seconds=$(( $2 * 60 ))

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/install_packages.sh
install_missing "${build_packages[@]}" "${fuzz_packages[@]}"

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUORRA_FUZZ=ON \
      -DQUORRA_BUILD_TESTS=OFF -DQUORRA_BUILD_BENCH=OFF -DQUORRA_BUILD_APP=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

for t in "${targets[@]}"; do
    work=$build/work/$t
    mkdir -p "$work/corpus" "$work/findings"
    log=$work/fuzz.log
    echo "== $t: $2 minute(s), log in $log"
    # The stored-text parser reads whole files, the others short texts; the
    # caps keep each execution fast. The timeout is generous because on a
    # busy machine an input of a few milliseconds was seen to stall for 14 s
    # (freeing memory under ASan). Exit 1 with findings is reported below.
    max_len=512
    [ "$t" = fuzz_numeral ] && max_len=4096
    [ "$t" = fuzz_stored_text ] && max_len=1024
    (cd "$build/bin" && "./$t" -max_total_time="$seconds" -max_len="$max_len" -timeout=60 -rss_limit_mb=2048 \
        -dict="$root/tests/fuzz/expression.dict" -artifact_prefix="$root/$work/findings/" -print_final_stats=1 \
        "$root/$work/corpus" "$root/tests/fuzz/corpus/$t") >"$log" 2>&1 || true
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^#[0-9]+ +DONE' "$log" || tail -n 3 "$log"
    grep -E 'cov: [0-9]+' -o "$log" | tail -n 1 | sed 's/^/coverage (edges) /' || true
    echo "corpus files: $(find "$work/corpus" -type f | wc -l)"
    findings=$(find "$work/findings" -type f | wc -l)
    echo "findings: $findings"
    find "$work/findings" -type f -printf '  %p\n'
done
