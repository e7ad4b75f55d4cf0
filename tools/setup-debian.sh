#!/usr/bin/env bash
# Installs the Debian packages SfxTal needs to build, test and run, and only those that are
# missing. Safe to run again; runs apt-get update once, and only when it must install.
# With --fuzz: only what `make fuzz` needs besides (clang and its libFuzzer runtime).
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  desktop-file-utils
  python3 python3-openpyxl python3-dbfread hyperfine
)
fuzz_packages=(
  clang clang-14 libclang-rt-14-dev
)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages=("${fuzz_packages[@]}")
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
