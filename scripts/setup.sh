# Sourced by the other scripts: installs what a fresh Debian 12 machine lacks.
# shellcheck shell=bash

ASRKIT_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libcli11-dev nlohmann-json3-dev
  qt6-base-dev libgl-dev
  libsquish-dev libsndfile1-dev libpng-dev
  fonts-wine fonts-dejavu-core
  xvfb xauth
)

# Tools the tests compare our decoding and our files with.
ASRKIT_TEST_PACKAGES=(imagemagick sox clang libclang-rt-14-dev python3)

asrkit_install_missing() {
  local missing=()
  local pkg
  for pkg in "${ASRKIT_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

asrkit_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}
