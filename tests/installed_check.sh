#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed
# calculator as a user would meet it:
#   - quorra-cli through its link in bin/: 2^0.5 to 1000 digits gives the
#     build's answer, --help and --version;
#   - the window from the installed program folder, made unwritable for the
#     user running it, with an empty temporary home: memory store and recall,
#     auto save and the remembered placement land in the user's folders and
#     nothing is written beside the executable; the installed quorra starts;
#   - the desktop entry and the AppStream file pass desktop-file-validate and
#     appstreamcli validate (when those are installed);
#   - cpack -G DEB builds the package, which depends on the libraries the
#     programs link (when dpkg-shlibdeps is installed).
# Root may write anywhere, so when run as root the window runs as the user
# "nobody" (setpriv): then the folder is unwritable by the kernel's own rule,
# the one the program asks through access(2).
#
# usage: installed_check.sh BUILD_DIR VERSION [WINDOW_CHECK_PROGRAM]
set -euo pipefail
build=$1 version=$2 window_check=${3:-}

work=$(mktemp -d /tmp/quorra-installed-XXXXXX)
cleanup() { chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
programs=$prefix/lib/quorra
for f in quorra-cli libconvmul.so 反正切表.txt 万位常数.wwcs 阶乘表.jcb; do
    [ -e "$programs/$f" ] || fail "$f not installed in lib/quorra"
done
man_page=$prefix/share/man/man1/quorra-cli.1.gz
if [ -e "$man_page" ]; then
    [[ $(gzip -dc "$man_page") == *".TH QUORRA-CLI 1 "*"quorra $version"* ]] || fail "man page header"
else
    fail "no man page"
fi

# --- quorra-cli through the link ---
cli=$prefix/bin/quorra-cli
[ -L "$cli" ] || fail "bin/quorra-cli is not a link"
expected=$("$build/bin/quorra-cli" -p 1000 '2^0.5')
actual=$(cd / && "$cli" -p 1000 '2^0.5')
[ ${#expected} -gt 1000 ] || fail "the build's quorra-cli gave '$expected'"
[ "$actual" = "$expected" ] || fail "installed 2^0.5 to 1000 digits differs: $actual"
help=$("$cli" --help) || fail "--help exit status $?"
[[ $help == usage:* ]] || fail "--help printed: $help"
[ "$("$cli" --version)" = "quorra-cli $version" ] || fail "--version printed: $("$cli" --version)"

# --- desktop files ---
if [ -e "$prefix/share/applications/quorra.desktop" ]; then
    [ -e "$prefix/share/icons/hicolor/scalable/apps/quorra.svg" ] || fail "no icon"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/quorra.desktop" || fail "desktop-file-validate"
    else
        echo "desktop-file-validate not installed: desktop entry not validated"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
    else
        echo "appstreamcli not installed: metainfo not validated"
    fi
fi

# --- the window, from an unwritable install folder ---
if [ -n "$window_check" ] && [ -x "$prefix/bin/quorra" ]; then
    cp "$window_check" "$programs/installed_window_check"
    # A memory file as a copy run from its own folder leaves it: "7".
    printf '\0\0\0\0\0017' >"$programs/AAA.txt"
    home=$work/home
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    chmod 755 "$work"
    run_as=()
    if [ "$(id -u)" -eq 0 ]; then
        command -v setpriv >/dev/null || { fail "running as root without setpriv"; exit 1; }
        chown -R nobody:nogroup "$home"
        run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    else
        chmod -R a-w "$programs"
    fi
    before=$(cd "$programs" && find . | sort)
    as_user() {
        "${run_as[@]}" env -u QUORRA_DATA_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
            HOME="$home" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen "$@"
    }
    (cd / && as_user "$programs/installed_window_check") || fail "the installed window check"
    # The installed program itself starts and keeps running until stopped.
    status=0
    (cd / && as_user timeout 5 "$prefix/bin/quorra" >/dev/null 2>&1) || status=$?
    [ $status -eq 124 ] || fail "installed quorra ended with status $status before it was stopped"
    after=$(cd "$programs" && find . | sort)
    [ "$before" = "$after" ] || fail "files appeared in the install folder: $(diff <(echo "$before") <(echo "$after") || true)"
fi

# --- the Debian package: built from this build, with its library dependencies ---
if command -v dpkg-shlibdeps >/dev/null && [ -f "$build/CPackConfig.cmake" ]; then
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null) || fail "cpack -G DEB"
    deb=$(ls "$work"/deb/quorra_"$version"_*.deb 2>/dev/null | head -n 1)
    if [ -n "$deb" ]; then
        depends=$(dpkg-deb -f "$deb" Depends)
        needed=(libc6 libgmp10)
        [ -x "$prefix/bin/quorra" ] && needed+=(libqt6widgets6)
        for lib in "${needed[@]}"; do
            [[ $depends == *"$lib "* ]] || fail "the package does not depend on $lib: $depends"
        done
        contents=$(dpkg-deb -c "$deb")
        [[ $contents == *" ./usr/lib/quorra/libconvmul.so"* ]] || fail "libconvmul.so not in the package"
    else
        fail "no package built"
    fi
else
    echo "dpkg-shlibdeps not installed: package not built"
fi

[ $failures -eq 0 ] || exit 1
echo "installed calculator: all checks passed"
