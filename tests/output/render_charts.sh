#!/usr/bin/env bash
# Opens a page of the chart tests (DIR/chart_store_count.html) in headless
# Chromium at device scale 1 and 1.5, side by side, and checks that each
# gives a picture that is not blank and that the page logged no console
# message. The pictures stay in DIR (page_x1.png, page_x1.5.png). Without
# Chromium the check is skipped (status 77); scripts/install-deps.sh
# installs it.
set -euo pipefail
dir=$(cd "${1:?usage: render_charts.sh DIR}" && pwd)
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "chromium is not installed: the browser check is skipped (scripts/install-deps.sh installs it)"
  exit 77
fi
page=$dir/chart_store_count.html
[ -f "$page" ] || { echo "$page is missing: run charts_test first" >&2; exit 1; }

render() {  # scale
  local scale=$1 profile
  profile=$(mktemp -d)
  # A run as root needs --no-sandbox.
  timeout 45 "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --disable-extensions --no-default-browser-check --hide-scrollbars \
    --user-data-dir="$profile" --force-device-scale-factor="$scale" \
    --enable-logging=stderr --v=0 --window-size=1200,2000 \
    --screenshot="$dir/page_x$scale.png" "file://$page" >"$dir/page_x$scale.log" 2>&1 || true
  rm -rf "$profile"
}
rm -f "$dir"/page_x*.png
render 1 &
render 1.5 &
wait

status=0
for scale in 1 1.5; do
  if grep -q "CONSOLE" "$dir/page_x$scale.log"; then
    echo "the page logged console messages at scale $scale:" >&2
    grep "CONSOLE" "$dir/page_x$scale.log" >&2
    status=1
  fi
  /usr/bin/python3 - "$dir/page_x$scale.png" <<'PY' || status=1
import struct, sys, zlib
path = sys.argv[1]
try:
    data = open(path, "rb").read()
except OSError:
    sys.exit(f"{path}: no picture was made")
if data[:8] != b"\x89PNG\r\n\x1a\n":
    sys.exit(f"{path}: not a PNG")
width, height = struct.unpack(">II", data[16:24])
chunks, at = [], 8
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    if kind == b"IDAT":
        chunks.append(data[at + 8:at + 8 + length])
    at += 12 + length
pixels = zlib.decompress(b"".join(chunks))
# A blank picture is one colour throughout: its rows, filtered, hold a
# handful of byte values. Text, bars and shades give many.
if len(set(pixels)) < 32:
    sys.exit(f"{path}: the picture is blank")
print(f"{path}: {width} x {height}")
PY
done
exit $status
