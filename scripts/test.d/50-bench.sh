# The benchmarks, each run once and briefly so that they keep working; no
# time is judged here.
bench_stage() {
  bench/run.sh --quick 2>/dev/null
  build/bench/bench/bench_boot_event --benchmark_min_time=0.01
}

stage "benchmarks (a brief run, no judgement)"
if ! missing benchmarks hyperfine; then
  run benchmarks bench_stage
fi
