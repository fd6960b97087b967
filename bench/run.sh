#!/usr/bin/env bash
# Times whole runs of bootspan side by side with `uptime -s` and the floor
# (a minimal C program that reads btime and prints one line), and prints
# the means, the ratios and the peak resident memory.
#   bench/run.sh           a full measurement
#   bench/run.sh --quick   a few runs, only to see that everything works
set -euo pipefail
cd "$(dirname "$0")/.."
runs=(--warmup 50 --min-runs 500)
[ "${1:-}" = --quick ] && runs=(--warmup 1 --runs 3)

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBOOTSPAN_TESTS=OFF \
  -DBOOTSPAN_BENCHMARKS=ON >/dev/null
cmake --build build/bench >/dev/null
bootspan=build/bench/bootspan floor=build/bench/bench/bench_floor
export LC_ALL=C

hyperfine -N "${runs[@]}" --style none --export-json build/bench/runs.json \
  -n bootspan "$bootspan" \
  -n "bootspan /a" "$bootspan /a" \
  -n "bootspan /f" "$bootspan /f '%D %H:%M:%S'" \
  -n "uptime -s" "uptime -s" \
  -n floor "$floor" >/dev/null

python3 - "$bootspan" "$floor" build/bench/bench/bench_peak_rss <<'PY'
import json, subprocess, sys

runs = {r["command"]: r for r in json.load(open("build/bench/runs.json"))["results"]}
for name, r in runs.items():
    print(f"{name:12s} mean {r['mean'] * 1e6:8.1f} us  (sd {r['stddev'] * 1e6:.1f} us, {len(r['times'])} runs)")
b, f, u = runs["bootspan"]["mean"], runs["floor"]["mean"], runs["uptime -s"]["mean"]
print(f"bootspan/floor  {b / f:.3f}")
print(f"bootspan/uptime {b / u:.3f}")

def peak_kib(*argv):
    out = subprocess.run([sys.argv[3], *argv], capture_output=True, text=True)
    return int(out.stdout)

print(f"peak memory: bootspan {peak_kib(sys.argv[1])} KiB, "
      f"uptime -s {peak_kib('uptime', '-s')} KiB, floor {peak_kib(sys.argv[2])} KiB")
PY

# Instructions executed, start-up included: the same for every run of the
# same binary, unlike times.
if command -v valgrind >/dev/null; then
  count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      sed -n 's/.*Collected : *\([0-9]*\).*/\1/p'
  }
  b=$(count "$bootspan") f=$(count "$floor") u=$(count uptime -s)
  echo "instructions: bootspan $b, floor $f, uptime -s $u" \
       "(bootspan/floor $(python3 -c "print(f'{$b/$f:.3f}')"))"
fi
