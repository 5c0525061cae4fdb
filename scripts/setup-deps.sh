#!/usr/bin/env bash
# Installs what the build and tests need, once. A second run finds everything
# in place and returns in seconds.
set -euo pipefail
shopt -s inherit_errexit

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
CACHE="${KZ8_DEPS_CACHE:-$ROOT/.deps}"

PACKAGES=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-apps
  x11-utils xdotool imagemagick ffmpeg sox lame mpg123 libjpeg-turbo-progs nasm
  cmake ninja-build libjpeg62-turbo-dev libmpg123-dev clang llvm cups-daemon
  cups-client ghostscript gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-libav python3-aiosmtpd googletest libgtest-dev dpkg-dev
  libclang-rt-14-dev alsa-utils fonts-wine
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# Source-package entries mirror the machine's own binary entries (the same
# URIs, suites, components and keys), so the project names no host itself.
derived_deb_src() {
  python3 - /etc/apt/sources.list.d/*.sources /etc/apt/sources.list <<'PY'
import sys, os
out = []
for path in sys.argv[1:]:
    if not os.path.isfile(path):
        continue
    text = open(path).read()
    if path.endswith('.sources'):
        for stanza in text.split('\n\n'):
            fields = {}
            for line in stanza.splitlines():
                if ':' in line and not line.startswith(('#', ' ')):
                    key, value = line.split(':', 1)
                    fields[key.strip()] = value.strip()
            if 'deb' in fields.get('Types', '').split() and fields.get('Enabled', 'yes') != 'no':
                fields['Types'] = 'deb-src'
                out.append('\n'.join(f'{k}: {v}' for k, v in fields.items()))
    else:
        for line in text.splitlines():
            if line.split()[:1] == ['deb']:
                out.append('deb-src' + line.strip()[3:])
print('\n\n'.join(out))
PY
}

ensure_deb_src() {
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && \
     ! grep -qs '^deb-src' /etc/apt/sources.list 2>/dev/null; then
    local entries; entries="$(derived_deb_src)"
    [ -n "$entries" ] || { echo "setup: no apt source entry to derive a deb-src entry from" >&2; exit 1; }
    echo "setup: adding deb-src entries beside the machine's deb entries"
    as_root tee /etc/apt/sources.list.d/kz8-deb-src.sources >/dev/null <<<"$entries"
    return 0
  fi
  return 1
}

install_packages() {
  # wine32 cannot run on these machines and breaks /usr/bin/wine once present.
  if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q "install ok installed"; then
    echo "setup: removing wine32 (32-bit execution is off here)"
    as_root apt-get remove -y wine32 || true
  fi
  local need_update=0
  ensure_deb_src && need_update=1
  local missing
  missing="$(missing_packages)"
  if [ -n "$missing" ]; then
    echo "setup: installing $(echo $missing | tr '\n' ' ')"
    need_update=1
  fi
  if [ "$need_update" = 1 ]; then
    as_root apt-get update -qq
  fi
  if [ -n "$missing" ]; then
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing wine32- >/dev/null
  fi
}

# Cross builds of the libraries we link statically, one folder per target and
# version; a folder that has its stamp file is complete and is not rebuilt.
SOURCES="$CACHE/src"
TRIPLETS=(x86_64-w64-mingw32 i686-w64-mingw32)

source_dir() {  # package version -> unpacked Debian source tree
  local pkg="$1" version="$2" dir="$SOURCES/$1-${2//:/_}" work="$SOURCES/work-$1"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir" "$work" && mkdir -p "$work"
    # apt-get may fail on a missing upstream signature after downloading every
    # part that matters, so unpack what arrived ourselves.
    (cd "$work" && apt-get source -qq --download-only "$pkg=$version" >/dev/null 2>&1 || true)
    local dsc; dsc="$(find "$work" -maxdepth 1 -name '*.dsc' | head -1)"
    [ -n "$dsc" ] || { echo "setup: could not download the source of $pkg $version" >&2; exit 1; }
    (cd "$work" && dpkg-source --no-check -x "$dsc" unpacked >/dev/null)
    mv "$work/unpacked" "$dir"
    rm -rf "$work"
    touch "$dir/.unpacked"
  fi
  echo "$dir"
}

debian_version() { apt-cache showsrc "$1" | awk '/^Version:/ {print $2; exit}'; }

toolchain_file() { echo "$ROOT/cmake/toolchain-$1.cmake"; }

build_libjpeg() {  # triplet
  local version; version="$(debian_version libjpeg-turbo)"
  local prefix="$CACHE/$1/libjpeg-turbo-${version//:/_}"
  [ -f "$prefix/.done" ] && { echo "$prefix"; return; }
  local src; src="$(source_dir libjpeg-turbo "$version")"
  echo "setup: building libjpeg-turbo $version for $1" >&2
  rm -rf "$prefix.build" "$prefix"
  cmake -S "$src" -B "$prefix.build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$1")" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
    -DCMAKE_POLICY_DEFAULT_CMP0091=NEW >"$prefix.log" 2>&1
  cmake --build "$prefix.build" --target install >>"$prefix.log" 2>&1
  rm -rf "$prefix.build"
  touch "$prefix/.done"
  echo "$prefix"
}

build_mpg123() {  # triplet
  local version; version="$(debian_version mpg123)"
  local prefix="$CACHE/$1/mpg123-${version//:/_}"
  [ -f "$prefix/.done" ] && { echo "$prefix"; return; }
  local src; src="$(source_dir mpg123 "$version")"
  echo "setup: building libmpg123 $version for $1" >&2
  rm -rf "$prefix.build" "$prefix" && mkdir -p "$prefix.build"
  (cd "$prefix.build" && "$src/configure" --host="$1" --prefix="$prefix" \
     --enable-static --disable-shared --disable-modules --with-audio=dummy \
     --disable-components --enable-libmpg123 >"$prefix.log" 2>&1 &&
   make -j"$(nproc)" >>"$prefix.log" 2>&1 && make install >>"$prefix.log" 2>&1)
  rm -rf "$prefix.build"
  touch "$prefix/.done"
  echo "$prefix"
}

build_googletest() {  # triplet
  local version; version="$(dpkg-query -W -f='${Version}' googletest)"
  local prefix="$CACHE/$1/googletest-${version//:/_}"
  [ -f "$prefix/.done" ] && { echo "$prefix"; return; }
  echo "setup: building GoogleTest $version for $1" >&2
  rm -rf "$prefix.build" "$prefix"
  cmake -S /usr/src/googletest -B "$prefix.build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$1")" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -Dgtest_disable_pthreads=OFF >"$prefix.log" 2>&1
  cmake --build "$prefix.build" --target install >>"$prefix.log" 2>&1
  rm -rf "$prefix.build"
  touch "$prefix/.done"
  echo "$prefix"
}

# Tells CMake where the cached builds of one target are.
write_deps_file() {  # triplet jpeg mpg123 gtest
  local file="$CACHE/$1/deps.cmake"
  cat >"$file.tmp" <<CM
set(KZ8_LIBJPEG_PREFIX "$2")
set(KZ8_MPG123_PREFIX "$3")
set(KZ8_GTEST_PREFIX "$4")
CM
  mv "$file.tmp" "$file"
}

build_cross_dependencies() {
  mkdir -p "$SOURCES"
  local triplet jpeg mpg gtest
  for triplet in "${TRIPLETS[@]}"; do
    mkdir -p "$CACHE/$triplet"
    jpeg="$(build_libjpeg "$triplet")"
    mpg="$(build_mpg123 "$triplet")"
    gtest="$(build_googletest "$triplet")"
    write_deps_file "$triplet" "$jpeg" "$mpg" "$gtest"
  done
}

install_packages
build_cross_dependencies
echo "setup: dependencies ready in $CACHE"
