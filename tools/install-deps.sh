#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, `make run` and `make format` need (plus any
# named as arguments); does nothing when all are there. One line per step; the full output of
# apt-get goes to a log file, named when a step fails. desktop-file-utils and appstream validate the
# installed desktop entry and metainfo; dpkg-dev and file let `make package` find the .deb's
# library dependencies; lintian checks the .deb (tests/tools/package_test.sh); strace kills a
# test's child at the settings file's rename; ser2net stands in for a device server;
# at-spi2-core, python3-pyatspi and dbus let a test read the editor as a screen reader does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
packages=(cmake ninja-build g++ make pkg-config libgtest-dev libgmock-dev clang-format
          qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
          xvfb x11vnc openbox xdotool x11-utils ccache desktop-file-utils appstream dpkg-dev file poppler-utils lintian
          strace ser2net
          at-spi2-core python3-pyatspi dbus "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

log=${ZOZ_DEPS_LOG:-$root/build/install-deps.log}
mkdir -p "$(dirname "$log")"
: >"$log"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# step <text> <command...>: runs the command with its output in the log; one line either way.
step() {
    local text=$1
    shift
    printf 'install-deps: %s ... ' "$text"
    if "$@" >>"$log" 2>&1; then
        echo ok
    else
        echo "failed; the full output is in $log"
        exit 1
    fi
}
step "updating the package lists" $sudo apt-get update
step "installing ${missing[*]}" $sudo apt-get install -y --no-install-recommends "${missing[@]}"
