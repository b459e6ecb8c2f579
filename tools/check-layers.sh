#!/usr/bin/env bash
# Fails when a file under src/core includes a Qt widget header or anything
# under src/ui. Usage: check-layers.sh <source dir> <QtWidgets include dir>
set -euo pipefail
src="$1/src/core"
widgets="$2"
[ -d "$widgets" ] || { echo "no QtWidgets headers at $widgets"; exit 2; }
bad=0
while IFS=: read -r file line text; do
  header="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")"
  case "$header" in
    ui/*) ;;
    QtWidgets/*) ;;
    *) [ -e "$widgets/$header" ] && [ "${header#*/}" = "$header" ] || continue ;;
  esac
  echo "$file:$line: core includes $header"
  bad=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$src" --include='*.h' --include='*.cpp')
exit $bad
