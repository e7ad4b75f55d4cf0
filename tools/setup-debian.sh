#!/usr/bin/env bash
# Installs the Debian packages SfxTal needs to build, test and run, and only those that are
# missing. Safe to run again; runs apt-get update once, and only when it must install.
# With --fuzz: only what `make fuzz` needs besides (clang and its libFuzzer runtime).
# With --windows: only what the Windows build and its tests under Wine need besides (MinGW-w64
# and its zlib, Wine, the Japanese locale's sources, apt-get source's unpacker, and Xvfb, xdotool
# and ImageMagick for driving and looking at Windows windows).
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-translations-l10n libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  desktop-file-utils
  python3 python3-openpyxl python3-dbfread python3-xlsxwriter hyperfine
)
fuzz_packages=(
  clang clang-14 libclang-rt-14-dev
)
windows_packages=(
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 locales dpkg-dev patch
  xvfb xdotool imagemagick
)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages=("${fuzz_packages[@]}")
elif [[ "${1:-}" == "--windows" ]]; then
  packages=("${windows_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
