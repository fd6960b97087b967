# Each libFuzzer target for a short, fixed time; any finding fails.
stage "fuzzing (${BOOTSPAN_FUZZ_SECONDS:-30} s a target)"
if ! missing fuzzing clang++; then
  run fuzzing scripts/fuzz "${BOOTSPAN_FUZZ_SECONDS:-30}"
fi
