#!/usr/bin/env bash
# Times a whole `tobrel-cli count --tables dmhwiz` run against `wc -l` on the
# same log, in the same run, best of ROUNDS, as elapsed and as processor
# (user + system) seconds, with the peak memory of the run:
#   scripts/read-speed.sh BUILD_DIR LOG [ROUNDS]
# The target is a ratio of at most 6. Run tobrel-read-bench first to have a
# generated log in the temporary folder.
set -euo pipefail
build=$1
log=$2
rounds=${3:-5}
cli=$build/cli/tobrel-cli
best() { sort -g | head -1; }
wc_wall=() wc_cpu=() cli_wall=() cli_cpu=() cli_kb=()
for ((i = 0; i < rounds; i++)); do
  read -r w c < <(/usr/bin/time -f "%e %U %S" wc -l "$log" 2>&1 >/dev/null | awk '{print $1, $2 + $3}')
  wc_wall+=("$w") wc_cpu+=("$c")
  read -r w c k < <(/usr/bin/time -f "%e %U %S %M" "$cli" count --tables dmhwiz --today 2026/12/10 \
    "$log" 2>&1 >/dev/null | tail -1 | awk '{print $1, $2 + $3, $4}')
  cli_wall+=("$w") cli_cpu+=("$c") cli_kb+=("$k")
done
ww=$(printf '%s\n' "${wc_wall[@]}" | best)
wcpu=$(printf '%s\n' "${wc_cpu[@]}" | best)
cw=$(printf '%s\n' "${cli_wall[@]}" | best)
ccpu=$(printf '%s\n' "${cli_cpu[@]}" | best)
kb=$(printf '%s\n' "${cli_kb[@]}" | best)
size=$(stat -c %s "$log")
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "wc -l                 ${ww} s elapsed, ${wcpu} s processor"
echo "tobrel-cli count      ${cw} s elapsed, ${ccpu} s processor, peak $((kb / 1024)) MB"
awk -v a="$cw" -v b="$ww" -v c="$ccpu" -v d="$wcpu" -v k="$kb" -v s="$size" 'BEGIN {
  printf "time ratio            %.2f elapsed, %.2f processor  (target <= 6)\n", a / b, c / (d > 0.01 ? d : 0.01)
  printf "peak memory           %.2f x file size\n", k * 1024 / s }'
