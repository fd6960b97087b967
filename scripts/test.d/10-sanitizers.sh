# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitizers_stage() {
  local flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  cmake -S . -B build/sanitizers -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
  cmake --build build/sanitizers -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitizers --output-on-failure -j "$jobs"
}

stage "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
run sanitizers sanitizers_stage
