#!/usr/bin/env bash
# Checks the shape of src/ that the build alone cannot: which folders may
# include which, that the portable core includes no Windows header, and that
# no source file grows past 450 lines.
#
#   src/shared       nothing but itself
#   src/main         src/shared
#   src/saver        src/shared
#   src/win32        src/shared (what both programs use)
#   src/win32/main   src/win32, src/main, src/shared
#   src/win32/saver  src/win32, src/saver, src/shared
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

# forbid FOLDER PATTERN WHY: fails for every include line of the folder's own
# files (not its sub-folders) that matches.
forbid() {
  local folder="$1" pattern="$2" why="$3"
  [ -d "$folder" ] || return 0
  local hits
  hits=$(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
         xargs -0 -r grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)")
  if [ -n "$hits" ]; then
    echo "$why:"
    echo "$hits" | sed 's/^/  /'
    status=1
  fi
}

forbid src/shared "main/|saver/|win32/|windows\.h" "src/shared includes another layer or Windows"
forbid src/main "saver/|win32/|windows\.h" "src/main includes the screen saver or Windows"
forbid src/saver "main/|win32/|windows\.h" "src/saver includes the main program or Windows"
forbid src/win32/kit "main/|saver/|win32/[A-Za-z0-9_]+\\.h|win32/main/|win32/saver/" "the window kit includes something outside it"
forbid src/win32 "main/|saver/|win32/main/|win32/saver/" "src/win32 (shared by both programs) includes one program's code"
forbid src/win32/main "saver/|win32/saver/" "src/win32/main includes the screen saver's code"
forbid src/win32/saver "main/|win32/main/" "src/win32/saver includes the main program's code"

long=$(find src -type f \( -name '*.h' -o -name '*.cpp' \) -exec wc -l {} + | awk '$2 != "total" && $1 > 450')
if [ -n "$long" ]; then
  echo "files above 450 lines (split them by concern):"
  echo "$long" | sed 's/^/  /'
  status=1
fi
exit $status
