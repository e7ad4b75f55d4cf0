#!/usr/bin/env bash
# Cross-builds, for the Windows build, the two libraries that Debian has no MinGW package of,
# as static libraries installed into BUILD/deps:
# - libxlsxwriter from Debian's own source package, at the version the Linux build links, so both
#   builds write the same workbooks; patched so that UTF-8 file names reach the wide-character
#   file calls (tools/libxlsxwriter-windows-names.patch);
# - GoogleTest (with GoogleMock) from /usr/src/googletest.
# The source package is fetched with a private sources list and package lists under BUILD, so
# nothing of the machine's own apt set-up changes; each download is tried a few times before the
# script gives up and names what failed.
# Built once per machine: the result is kept in a cache folder (SFXTAL_DEPS_CACHE, else
# ~/.cache/sfxtal/windows-deps) under a key made of everything it is built from (the package
# versions, the compiler, this script, the patch and the toolchain file), and BUILD/deps links to
# it. An empty SFXTAL_DEPS_CACHE builds into BUILD/deps itself, as a clean machine would.
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
wanted="libxlsxwriter $xlsx_version; googletest $(dpkg-query -W -f='${Version}' googletest);"
wanted+=" $(x86_64-w64-mingw32-g++-posix --version | head -n 1);"
wanted+=" $(sha1sum "$0" "$patch_file" "$toolchain" | cut -c1-40 | tr '\n' ' ')"
cache="${SFXTAL_DEPS_CACHE-${XDG_CACHE_HOME:-$HOME/.cache}/sfxtal/windows-deps}"
if [[ -n "$cache" ]]; then
  install_dir="$cache/$(sha1sum <<<"$wanted" | cut -c1-16)"
  # One build at a time per cache, so that two builds never make the same folder at once.
  mkdir -p "$cache"
  exec 9>"$cache/lock"
  flock 9
else
  install_dir="$deps"
fi
# BUILD/deps names the libraries to use; when that changes, BUILD's CMake cache, which remembers
# where it found them, is dropped so that the next configure finds the new ones.
use_install_dir() {
  if [[ "$install_dir" != "$deps" && "$(readlink "$deps" 2>/dev/null)" != "$install_dir" ]]; then
    rm -rf "$deps"
    rm -f "$build/CMakeCache.txt"
    mkdir -p "$build"
    ln -s "$install_dir" "$deps"
  fi
}
stamp="$install_dir/.built"
if [[ -f "$stamp" && "$(cat "$stamp")" == "$wanted" ]]; then
  use_install_dir
  exit 0
fi

# Tries a download up to four times, a little longer apart each time, then names it and fails.
fetch() {
  local what=$1 try
  shift
  for try in 1 2 3 4; do
    if "$@"; then
      return 0
    fi
    echo "build-windows-deps: $what failed (try $try of 4)" >&2
    if ((try < 4)); then
      sleep $((try * 10))
    fi
  done
  echo "build-windows-deps: could not download $what; is the Debian mirror reachable?" >&2
  return 1
}

rm -rf "$deps" "$work" "$install_dir"
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
source_package() {
  rm -rf "$work/src" && mkdir -p "$work/src"
  (cd "$work/src" && apt-get "${apt_options[@]}" source "libxlsxwriter=$xlsx_version" >/dev/null)
}
fetch "the package lists of $mirror ($codename, deb-src)" apt-get "${apt_options[@]}" update
fetch "the source package libxlsxwriter $xlsx_version" source_package
xlsx_src="$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'libxlsxwriter-*' | head -n 1)"
patch -d "$xlsx_src" -p1 --quiet <"$patch_file"

common=(
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$install_dir"
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
use_install_dir
rm -rf "$work"
