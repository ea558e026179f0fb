#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillmer, builds it and then runs it or its tests.
#   scripts/quillmer.sh run    install what is missing, build, start Quillmer
#   scripts/quillmer.sh test   install what is missing, build, run every test
# Both may be repeated: packages are installed only when missing, builds are incremental.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev libpugixml-dev libcurl4-openssl-dev libpng-dev libjpeg-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --parallel "$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build
    exec "$build/bin/quillmer"
    ;;
  test)
    install_missing
    configure_and_build
    cd "$build"
    ctest --output-on-failure --parallel "$(nproc)" --timeout 300
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
