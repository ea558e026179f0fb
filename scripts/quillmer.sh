#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillmer, builds it and then runs it or its tests.
#   scripts/quillmer.sh run    install what is missing, build, start Quillmer
#   scripts/quillmer.sh test   install what is missing, build, run every test
#   scripts/quillmer.sh sanitize [program...]
#                              build the tests with AddressSanitizer and UndefinedBehaviorSanitizer
#                              in build-asan and run them (or the named test programs); the first
#                              fault or leak stops a program and fails the run. GTEST_FILTER narrows.
# Both may be repeated: packages are installed only when missing, builds are incremental.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev libpugixml-dev libcurl4-openssl-dev libpng-dev libjpeg-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
  libzip-dev libfreexl-dev mdbtools-dev
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

# A Debug build of its own: sanitized objects must not mix with the normal build's.
sanitize() {
  local sbuild="$here/build-asan"
  local programs=("$@")
  [ ${#programs[@]} -gt 0 ] || programs=(platform_tests zvsupport_tests zvcontrols_tests quillmer_core_tests quillmer_tables_tests quillmer_app_tests)
  cmake -S "$here" -B "$sbuild" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMER_SANITIZE=address,undefined >/dev/null
  cmake --build "$sbuild" --parallel "${JOBS:-$(nproc)}" --target "${programs[@]}"
  # Settings given by the caller come last and win.
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:strict_init_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
  # Leaks inside Qt or fontconfig that are none of ours would go in scripts/lsan.supp, each
  # with the reason; none has been needed so far. Our own code is never suppressed.
  if [ -f "$here/scripts/lsan.supp" ]; then
    export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
  fi
  export QT_QPA_PLATFORM=offscreen
  local failed=()
  for p in "${programs[@]}"; do
    echo "== $p"
    "$sbuild/tests/$p" --gtest_brief=1 || failed+=("$p")
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed under the sanitizers: ${failed[*]}" >&2
    return 1
  fi
  echo "All clean under the sanitizers: ${programs[*]}"
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build
    exec "$build/bin/quillmer"
    ;;
  test)
    # The print tests read the PDFs they write back through poppler's tools.
    packages+=(poppler-utils)
    # The workbook tests check what they write, and write what they read, through openpyxl.
    packages+=(python3-openpyxl)
    install_missing
    configure_and_build
    cd "$build"
    ctest --output-on-failure --parallel "$(nproc)" --timeout 300
    ;;
  sanitize)
    install_missing
    shift
    sanitize "$@"
    ;;
  *)
    echo "usage: $0 run|test|sanitize [program...]" >&2
    exit 2
    ;;
esac
