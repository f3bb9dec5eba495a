#!/bin/sh
# quorra-cli under a virtual-memory limit: a numeral whose reading would pass
# the limit ends with a message and exit status 1, never with an abort.
#   memory_limit_check.sh QUORRA_CLI
# The numerals go through stdin: an argument list cannot hold them.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

numeral() { head -c "$1" /dev/zero | tr '\0' '7'; echo; }

# expect DIGITS LIMIT_KB MESSAGE
expect() {
    numeral "$1" > "$work/in"
    sh -c "ulimit -v $2 && exec \"\$0\" -p 10" "$cli" < "$work/in" > "$work/out" 2> "$work/err"
    status=$?
    if [ "$status" -ne 1 ] || ! grep -q "$3" "$work/err"; then
        echo "FAIL: $1 digits under $2 KB: exit status $status (wanted 1), messages:"
        head -c 400 "$work/err"; echo
        failed=1
    fi
}

# The limit leaves room for the program itself.
echo '1+1' | sh -c "ulimit -v 120000 && exec \"\$0\"" "$cli" > "$work/out" || failed=1
grep -q '^2\.0$' "$work/out" || { echo "FAIL: 1+1 under 120000 KB"; failed=1; }
# Beyond the bound on the text's length: refused before it is read.
expect 50000000 700000 '表达式太长'
# Within the bound, but the reading needs more than the limit: the failed
# allocation is caught.
expect 9000000 120000 '内存不足，无法完成计算'
exit $failed
