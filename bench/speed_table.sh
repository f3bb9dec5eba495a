#!/usr/bin/env bash
# The speed table: sin(1), exp(1.5), ln(2), atan(0.5), asin(0.5), 2^0.5 and
# cuberoot(2) at 1,000 and 10,000 digits, each a fresh process (tables read,
# value computed and printed), side by side in one hyperfine run per cell:
#   before  - a build of an earlier version (BEFORE=path/to/quorra-cli)
#   after   - this build (BUILD=dir, default build/)
#   calc    - GNU calc
#   gp      - PARI/GP
#   mpfr    - a small MPFR program computing the same value
# Prints mean milliseconds and the ratios that the comparisons need. The
# machine may be shared and noisy: read the ratios of one row, which were
# measured together. Needs hyperfine, calc, pari-gp, libmpfr-dev, cc, python3.
# RUNS1K / RUNS10K set the runs per command (default 10 / 5).
set -euo pipefail
cd "$(dirname "$0")/.."
after=${BUILD:-build}/bin/quorra-cli
before=${BEFORE:-}
[ -x "$after" ] || { echo "$after is missing: build first" >&2; exit 1; }
for tool in hyperfine calc gp cc; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cat > "$tmp/mpfr_value.c" <<'C'
#include <stdio.h>
#include <mpfr.h>
#include <stdlib.h>
#include <string.h>
/* mpfr_value TASK DIGITS: prints the value to DIGITS significant digits. */
int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const long digits = atol(argv[2]);
    mpfr_t x, r;
    mpfr_inits2((mpfr_prec_t)(digits * 3.3219280948873623) + 16, x, r, (mpfr_ptr)0);
    const char* t = argv[1];
    if (!strcmp(t, "sin")) { mpfr_set_ui(x, 1, MPFR_RNDN); mpfr_sin(r, x, MPFR_RNDN); }
    else if (!strcmp(t, "exp")) { mpfr_set_d(x, 1.5, MPFR_RNDN); mpfr_exp(r, x, MPFR_RNDN); }
    else if (!strcmp(t, "ln")) { mpfr_set_ui(x, 2, MPFR_RNDN); mpfr_log(r, x, MPFR_RNDN); }
    else if (!strcmp(t, "atan")) { mpfr_set_d(x, 0.5, MPFR_RNDN); mpfr_atan(r, x, MPFR_RNDN); }
    else if (!strcmp(t, "asin")) { mpfr_set_d(x, 0.5, MPFR_RNDN); mpfr_asin(r, x, MPFR_RNDN); }
    else if (!strcmp(t, "pow")) { mpfr_set_ui(x, 2, MPFR_RNDN); mpfr_set_d(r, 0.5, MPFR_RNDN); mpfr_pow(r, x, r, MPFR_RNDN); }
    else if (!strcmp(t, "cbrt")) { mpfr_set_ui(x, 2, MPFR_RNDN); mpfr_cbrt(r, x, MPFR_RNDN); }
    else return 2;
    mpfr_out_str(stdout, 10, (size_t)digits, r, MPFR_RNDN);
    return 0;
}
C
cc -O2 "$tmp/mpfr_value.c" -o "$tmp/mpfr_value" -lmpfr -lgmp

# quorra | calc (EPS: the accuracy asked of calc) | gp | mpfr task
cases=(
    "sin(1)|sin(1,EPS)|sin(1)|sin"
    "exp(1.5)|exp(1.5,EPS)|exp(1.5)|exp"
    "ln(2)|ln(2,EPS)|log(2)|ln"
    "atan(0.5)|atan(0.5,EPS)|atan(0.5)|atan"
    "asin(0.5)|asin(0.5,EPS)|asin(0.5)|asin"
    "2^0.5|power(2,0.5,EPS)|2^0.5|pow"
    "cuberoot(2)|root(2,3,EPS)|sqrtn(2,3)|cbrt"
)

mean_ms() { # csv file, row (1-based command index); commands may hold commas
    python3 -c 'import csv, sys; rows = list(csv.DictReader(open(sys.argv[1])))
print("%.1f" % (1000 * float(rows[int(sys.argv[2]) - 1]["mean"])))' "$1" "$2"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b == 0) print "-"; else printf "%.2f", a / b }'; }

printf '%-12s %6s %9s %9s %9s %9s %9s  %11s %9s %8s\n' task digits before after calc gp mpfr \
    before/after after/calc after/gp
for digits in 1000 10000; do
    runs=$([ "$digits" = 1000 ] && echo "${RUNS1K:-10}" || echo "${RUNS10K:-5}")
    for c in "${cases[@]}"; do
        IFS='|' read -r ours calcExpr gpExpr mpfrTask <<< "$c"
        calcExpr=${calcExpr//EPS/1e-$digits}
        printf '\\p %s\nprint(%s);\nquit\n' "$digits" "$gpExpr" > "$tmp/task.gp"
        commands=()
        [ -n "$before" ] && commands+=("$before -p $digits $ours")
        commands+=("$after -p $digits $ours"
                   "calc -p 'config(\"display\",$digits),; $calcExpr'"
                   "gp -q -f $tmp/task.gp"
                   "$tmp/mpfr_value $mpfrTask $digits")
        hyperfine -N --warmup 1 --runs "$runs" --export-csv "$tmp/cell.csv" "${commands[@]}" > /dev/null 2>&1
        i=1
        b=""
        if [ -n "$before" ]; then b=$(mean_ms "$tmp/cell.csv" 1); i=2; fi
        a=$(mean_ms "$tmp/cell.csv" $i)
        k=$(mean_ms "$tmp/cell.csv" $((i + 1)))
        g=$(mean_ms "$tmp/cell.csv" $((i + 2)))
        m=$(mean_ms "$tmp/cell.csv" $((i + 3)))
        printf '%-12s %6s %9s %9s %9s %9s %9s  %11s %9s %8s\n' "$ours" "$digits" "${b:--}" "$a" "$k" "$g" "$m" \
            "$(ratio "$b" "$a")" "$(ratio "$a" "$k")" "$(ratio "$a" "$g")"
    done
done
