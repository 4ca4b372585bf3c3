#!/bin/sh
# Usage: check_install_tree.sh CMAKE BUILD_DIR VERSION
# Installs BUILD_DIR into a temporary prefix and checks what a desktop and a package rely on.
# Every check runs; the exit status is 1 when any failed. Validators that are not installed are skipped.
set -u
cmake=$1 build=$2 version=$3
app_id=io.github.kelvra.Kelvra
failures=0
# The recorder is a widget program even for --version; no display is needed for that.
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; }
have() { command -v "$1" >/dev/null 2>&1; }

prefix=$(mktemp -d "${TMPDIR:-/tmp}/kelvra-install.XXXXXX") || exit 1
trap 'rm -rf "$prefix"' EXIT

if ! log=$("$cmake" --install "$build" --prefix "$prefix" 2>&1); then
    echo "$log"
    echo "FAIL: cmake --install into $prefix"
    exit 1
fi
# Nothing may land outside the prefix, whatever the build's own prefix is.
outside=$(echo "$log" | grep -E '^-- (Installing|Up-to-date): ' | grep -v -F -- ": $prefix/")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
svg=$prefix/share/icons/hicolor/scalable/apps/kelvra.svg
png=$prefix/share/icons/hicolor/64x64/apps/kelvra.png
for file in "$prefix/bin/kelvra" "$prefix/bin/kelvra-board-sim" "$desktop" "$metainfo" "$svg" "$png" \
            "$prefix/bin/kelvra-helicorder" "$prefix/share/man/man1/kelvra.1" \
            "$prefix/share/man/man1/kelvra-board-sim.1" "$prefix/share/man/man1/kelvra-helicorder.1" \
            "$prefix/bin/kelvra-events" "$prefix/share/man/man1/kelvra-events.1" \
            "$prefix/bin/kelvra-stationxml" "$prefix/share/man/man1/kelvra-stationxml.1" \
            "$prefix/lib/udev/rules.d/60-kelvra-ftdi-latency.rules"; do
    [ -f "$file" ] || fail "missing ${file#"$prefix"/}"
done

# The installed programs start: no build-tree paths or missing libraries behind them.
if ! out=$("$prefix/bin/kelvra" --version 2>&1); then
    fail "kelvra --version failed: $out"
elif ! echo "$out" | grep -q -F -- "$version"; then
    fail "kelvra --version does not show $version: $out"
fi
kelvra_help=$("$prefix/bin/kelvra" --help 2>&1) || fail "kelvra --help exited with $?"
sim_help=$("$prefix/bin/kelvra-board-sim" --help 2>&1) || fail "kelvra-board-sim --help exited with $?"
echo "$sim_help" | grep -q '^Usage: kelvra-board-sim' || fail "kelvra-board-sim --help shows no usage: $sim_help"
helicorder_help=$("$prefix/bin/kelvra-helicorder" --help 2>&1) || fail "kelvra-helicorder --help exited with $?"
events_help=$("$prefix/bin/kelvra-events" --help 2>&1) || fail "kelvra-events --help exited with $?"
stationxml_help=$("$prefix/bin/kelvra-stationxml" --help 2>&1) || fail "kelvra-stationxml --help exited with $?"

# Every option a program lists in --help is described in its manual page.
check_options() {
    page=$prefix/share/man/man1/$1.1
    [ -f "$page" ] || return
    options=$(echo "$2" | grep -E '^ +(-[^ ,]+, )*--' | sed -E 's/^ +(-[^ ,]+, )*(--[a-z-]+).*/\2/')
    [ -n "$options" ] || fail "$1 --help lists no options"
    for option in $options; do
        sed 's/\\-/-/g' "$page" | grep -q -F -- "$option" || fail "$1.1 does not describe $option"
    done
}
check_options kelvra "$kelvra_help"
check_options kelvra-board-sim "$sim_help"
check_options kelvra-helicorder "$helicorder_help"
check_options kelvra-events "$events_help"
check_options kelvra-stationxml "$stationxml_help"

if have groff; then
    for page in kelvra kelvra-board-sim kelvra-helicorder kelvra-events kelvra-stationxml; do
        file=$prefix/share/man/man1/$page.1
        [ -f "$file" ] || continue
        warnings=$(groff -man -Tutf8 -ww -z "$file" 2>&1) || fail "groff cannot format $page.1"
        [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
    done
else
    skip "groff not installed: manual pages not formatted"
fi

if [ -f "$desktop" ]; then
    if have desktop-file-validate; then
        # Hints are allowed: Science and Education are both main categories on purpose.
        report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
        echo "$report" | grep -E ': (error|warning): ' && fail "desktop-file-validate reports problems"
    else
        skip "desktop-file-validate not installed"
    fi
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ "$icon_name" = kelvra ] || fail "Icon=$icon_name does not name the installed icon"
fi

if [ -f "$metainfo" ]; then
    if have appstreamcli; then
        # validate-tree also checks that the metainfo's launchable and the desktop entry match.
        report=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree: $report"
        grep -q -F "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
    else
        skip "appstreamcli not installed"
    fi
fi

if [ -f "$png" ]; then
    # PNG signature and the IHDR width and height, both 64.
    header=$(od -An -tu1 -N24 "$png" | tr -s ' \n' ' ')
    [ "$header" = " 137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 0 64 0 0 0 64 " ] \
        || fail "kelvra.png is not a 64x64 PNG"
fi
[ ! -f "$svg" ] || grep -q '<svg ' "$svg" || fail "kelvra.svg holds no <svg> element"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "installed tree in order"
