#!/usr/bin/env bash
# Checks that every include under src/ runs to the file's own floor or below,
# and prints the number of includes that run upward (it must be 0).
# A file's floor is its folder's; a panel folder's computing files (those
# built into zzcore) stand on the computing floor below the components.
set -euo pipefail
cd "$(dirname "$0")/.."
floor() {
  local f="$1" dir="${1%/*}" stem="${1##*/}"
  stem="${stem%.*}"
  case "$dir" in
    base) echo 0; return ;;
    store) echo 1; return ;;
    views/common) echo 2; return ;;
    ui) echo 3; return ;;
    shell) echo 4; return ;;
    app) [ "$stem" = helptexts ] && echo 2 || echo 7; return ;;
  esac
  # A panel folder (and print/): computing files build into zzcore.
  if grep -qE "target_sources\(zzcore[^)]*\b$stem\.cpp" "src/$dir/CMakeLists.txt" 2>/dev/null \
     || { [ ! -f "src/$dir/$stem.cpp" ] && ! grep -q 'Q_OBJECT\|QWidget' "src/$f"; }; then
    echo 2
  elif [ "$dir" = print ]; then echo 5
  else echo 6
  fi
}
upward=0
total=0
while read -r file; do
  rel="${file#src/}"
  from=$(floor "$rel")
  while read -r inc; do
    [ -f "src/$inc" ] || continue
    total=$((total + 1))
    to=$(floor "$inc")
    if [ "$to" -gt "$from" ]; then
      echo "upward: $rel (floor $from) includes $inc (floor $to)"
      upward=$((upward + 1))
    fi
  done < <(grep -oE '^#include "[^"]+"' "$file" | sed 's/#include "//;s/"$//')
done < <(find src -name '*.h' -o -name '*.cpp' | sort)
echo "includes: $total, upward: $upward"
[ "$upward" -eq 0 ]
