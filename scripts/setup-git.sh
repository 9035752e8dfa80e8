#!/usr/bin/env sh
# Makes `git diff` and `git log -p` of this checkout show Shift-JIS logs and
# goldens (see .gitattributes) as UTF-8 text, so that a changed golden can be
# reviewed. Bytes that are not Shift-JIS are left out of the shown text only.
set -eu
cd "$(dirname "$0")/.."
git rev-parse --git-dir >/dev/null 2>&1 || exit 0
git config diff.cp932.textconv 'iconv -c -f CP932 -t UTF-8'
