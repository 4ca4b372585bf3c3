#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: once on the normal build and
# once on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# KELVRA_QUICK=1 skips the sanitizer build; ctest arguments pass through (e.g. -LE slow).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

run_suite() {
  local dir=$1
  shift
  "$root/scripts/build.sh" "$dir" "$@"
  # One virtual X display for the tests that need real X11; the rest run offscreen.
  (cd "$root/$dir" && xvfb-run -a -s "-screen 0 1280x1024x24" \
      ctest --output-on-failure --timeout 300 -j2 "${ctest_args[@]}")
}

ctest_args=("$@")
echo "== normal build"
run_suite build
if [ "${KELVRA_QUICK:-0}" != 1 ]; then
  echo "== sanitizer build"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
  run_suite build-asan -DKELVRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
fi
