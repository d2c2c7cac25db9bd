#!/usr/bin/env bash
# make package as a distribution would take it: lintian finds nothing at error or warning level,
# the running window's class and the icon sizes agree with the desktop entry, the manual points to
# the other two programs. Skipped (77) where lintian is not installed (tools/install-deps.sh has it).
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian is not installed: skipped"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

cpack --config "$ZOZ_BINARY_DIR/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$(echo "$work"/*.deb)"
[ -f "$deb" ] || fail "no .deb in $work"
lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian reports errors or warnings"

dpkg-deb -x "$deb" "$work/root"
share="$work/root/usr/share"
entry="$(basename "$share"/applications/*.desktop .desktop)"
grep -qx "StartupWMClass=$entry" "$share/applications/$entry.desktop" ||
    fail "StartupWMClass is not $entry"
for png in "$share"/icons/hicolor/*x*/apps/"$entry".png; do
    size="$(basename "$(dirname "$(dirname "$png")")")"
    file "$png" | grep -q "${size/x/ x }," || fail "$png is not $size"
done
ls "$share"/icons/hicolor/16x16/apps/"$entry".png >/dev/null || fail "no 16 pixel icon"
zcat "$share/man/man1/zozedud.1.gz" | grep -q 'zozedud\\-cli (1)' || fail "zozedud(1) lacks zozedud-cli(1)"
grep -q '<binary>zozedud-cli</binary>' "$share/metainfo/$entry.metainfo.xml" ||
    fail "metainfo does not provide zozedud-cli"
echo "package_test: $(basename "$deb") clean"
