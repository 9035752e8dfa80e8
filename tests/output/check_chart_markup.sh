#!/usr/bin/env bash
# Parses every drawing and page that the chart tests kept in DIR: each .svg
# as XML (xmllint), each .html by an HTML5 parser in strict mode (html5lib),
# which refuses any parse error. Fails when DIR holds neither.
set -euo pipefail
dir=${1:?usage: check_chart_markup.sh DIR}
shopt -s nullglob
svgs=("$dir"/*.svg)
pages=("$dir"/*.html)
if ((${#svgs[@]} == 0 || ${#pages[@]} == 0)); then
  echo "no drawings or pages in $dir: run charts_test first" >&2
  exit 1
fi
command -v xmllint >/dev/null || { echo "xmllint is missing (libxml2-utils)" >&2; exit 1; }
xmllint --noout "${svgs[@]}"
# Debian's html5lib belongs to the system's python3.
/usr/bin/python3 - "${pages[@]}" <<'PY'
import sys
try:
    import html5lib
except ImportError:
    sys.exit("html5lib is missing (python3-html5lib)")
failed = False
for path in sys.argv[1:]:
    with open(path, "rb") as page:
        try:
            html5lib.HTMLParser(strict=True).parse(page.read())
        except Exception as error:
            print(f"{path}: {error}", file=sys.stderr)
            failed = True
sys.exit(1 if failed else 0)
PY
echo "parsed ${#svgs[@]} drawings and ${#pages[@]} pages"
