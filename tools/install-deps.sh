#!/usr/bin/env bash
# Puts in what a fresh Debian machine lacks to build and test Tarnivo.
# Does nothing (and needs no network) when everything is already there.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd cmake || need+=(cmake)
have_cmd ninja || need+=(ninja-build)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have_cmd Xvfb || need+=(xvfb)
have_cmd xdotool || need+=(xdotool)
have_cmd xdpyinfo || need+=(x11-utils)
have_cmd import || need+=(imagemagick)
have_cmd clang++ || need+=(clang)
[ -d /usr/src/googletest ] || need+=(googletest)
have_pkg libgtest-dev || need+=(libgtest-dev)
have_pkg libbenchmark-dev || need+=(libbenchmark-dev)
have_pkg libclang-rt-14-dev || need+=(libclang-rt-14-dev)
have_cmd wine || need+=(wine)
have_pkg wine32:i386 || need+=(wine32:i386)
# Wine's own faces ("MS Sans Serif", Tahoma) and faces with Arial's metrics:
# the windows' labels are sized for those (tools/wine-run.sh maps Arial).
have_pkg fonts-wine || need+=(fonts-wine)
have_pkg fonts-liberation || need+=(fonts-liberation)
# Glyphs for names in Japanese (and, from Liberation Sans, in Greek): Wine's
# Tahoma lacks both, and tools/wine-run.sh links it to these faces, which it
# finds with fc-list.
have_pkg fonts-ipafont-gothic || need+=(fonts-ipafont-gothic)
have_cmd fc-list || need+=(fontconfig)

if [ ${#need[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
