#!/usr/bin/env bash
# Builds the fuzz programs (preset "fuzz": clang, libFuzzer, address and
# undefined-behaviour checks) in build-fuzz/ and runs each one for a bounded
# time on its seed corpus. A find fails with the path of the input that
# reproduces it (in build-fuzz/finds/); make it a fixture of the model tests.
#   ZOV_FUZZ_SECONDS  seconds per program (default 60)
#   ZOV_FUZZ_ONLY     run only the program of that name
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
seconds="${ZOV_FUZZ_SECONDS:-60}"
bash "$here/scripts/install-deps.sh"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${ZOV_JOBS:-$(nproc)}"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Qt keeps caches (fonts, glyphs) for the life of the process: not leaks of ours.
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
finds="$here/build-fuzz/finds"
mkdir -p "$finds"
list="$here/build-fuzz/tests/fuzz/fuzz_targets.txt"
status=0
while read -r name corpus; do
  [[ -z "$name" ]] && continue
  [[ -n "${ZOV_FUZZ_ONLY:-}" && "$name" != "$ZOV_FUZZ_ONLY" ]] && continue
  # New inputs go to a scratch folder; the committed seeds stay as they are.
  scratch="$(mktemp -d)"
  echo "fuzz: $name for ${seconds} s"
  rm -f "$finds/$name-"*
  log="$here/build-fuzz/$name.log"
  # A token dictionary beside the program (tests/fuzz/page_reader.dict for fuzz_page_reader).
  dict=()
  [[ -f "$here/tests/fuzz/${name#fuzz_}.dict" ]] && dict=(-dict="$here/tests/fuzz/${name#fuzz_}.dict")
  if "$here/build-fuzz/tests/fuzz/$name" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 \
       -detect_leaks=0 -print_final_stats=1 "${dict[@]}" -artifact_prefix="$finds/$name-" "$scratch" "$corpus" >"$log" 2>&1; then
    grep -E "^(Done|stat::number_of_executed_units|stat::new_units_added)" "$log" || true
  else
    # The fault and its stack, without the fuzzer's progress lines.
    grep -vE "^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|RELOAD)" "$log" | tail -n 80
    for found in "$finds/$name-"*; do
      [[ -e "$found" ]] && echo "fuzz: $name found a fault; reproduce with: build-fuzz/tests/fuzz/$name $found"
    done
    status=1
  fi
  rm -rf "$scratch"
done < "$list"
exit "$status"
