#!/usr/bin/env bash
# Cross-builds, for the Windows build, the two libraries that Debian has no MinGW package of,
# as static libraries installed into BUILD/deps:
# - libxlsxwriter from Debian's own source package, at the version the Linux build links, so both
#   builds write the same workbooks; patched so that UTF-8 file names reach the wide-character
#   file calls (tools/libxlsxwriter-windows-names.patch);
# - GoogleTest (with GoogleMock) from /usr/src/googletest.
# The source package is fetched with a private sources list and package lists under BUILD, so
# nothing of the machine's own apt set-up changes. Built once per build folder.
#   build-windows-deps.sh BUILD
set -euo pipefail

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:?usage: build-windows-deps.sh BUILD}")"
deps="$build/deps"
work="$build/deps-work"
toolchain="$source_dir/cmake/mingw-w64-x86_64.cmake"
patch_file="$source_dir/tools/libxlsxwriter-windows-names.patch"
jobs="${JOBS:-2}"

xlsx_version="$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev)"
stamp="$deps/.built"
wanted="libxlsxwriter $xlsx_version; $(sha1sum "$0" "$patch_file" "$toolchain" | cut -c1-40 | tr '\n' ' ')"
if [[ -f "$stamp" && "$(cat "$stamp")" == "$wanted" ]]; then
  exit 0
fi
rm -rf "$deps" "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src"

# A deb-src line for the mirror that the machine's apt sources use for its own release.
codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
mirror="$(
  {
    grep -hE '^\s*deb\s' /etc/apt/sources.list 2>/dev/null | awk -v c="$codename" '$3 == c { print $2 }'
    # deb822 stanzas: the URIs of a stanza whose Suites name the release.
    awk -v c="$codename" '
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == c) print uri }
      /^$/ { uri = "" }' /etc/apt/sources.list.d/*.sources 2>/dev/null
  } | head -n 1
)"
if [[ -z "$mirror" ]]; then
  echo "build-windows-deps: no apt source for $codename found" >&2
  exit 1
fi
echo "deb-src $mirror $codename main" >"$work/apt/sources.list"
apt_options=(
  -o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=$work/apt/none"
  -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
  -o "Dir::State::status=/var/lib/dpkg/status" -o APT::Sandbox::User="$(id -un)"
  -o Debug::NoLocking=1 -qq
)
apt-get "${apt_options[@]}" update
(cd "$work/src" && apt-get "${apt_options[@]}" source "libxlsxwriter=$xlsx_version" >/dev/null)
xlsx_src="$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'libxlsxwriter-*' | head -n 1)"
patch -d "$xlsx_src" -p1 --quiet <"$patch_file"

common=(
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps"
  -DBUILD_SHARED_LIBS=OFF
)
# MinGW's own printf, so that numbers in the workbooks are formatted as glibc formats them.
cmake -S "$xlsx_src" -B "$work/xlsxwriter" "${common[@]}" \
  -DCMAKE_C_FLAGS="-D__USE_MINGW_ANSI_STDIO=1" \
  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
  >/dev/null
cmake --build "$work/xlsxwriter" -j "$jobs" >/dev/null
cmake --install "$work/xlsxwriter" >/dev/null

cmake -S /usr/src/googletest -B "$work/googletest" "${common[@]}" >/dev/null
cmake --build "$work/googletest" -j "$jobs" >/dev/null
cmake --install "$work/googletest" >/dev/null

echo "$wanted" >"$stamp"
