#!/usr/bin/env bash
# Every name docs/ARCHITECTURE.md gives in backticks is one the code has: an identifier, a file
# or folder, an environment variable, or a file's extension. Prints the ones it cannot find and
# fails; reads only, writes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
# Outside a clone (a source archive) there is nothing to search: skipped.
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || exit 77
doc=docs/ARCHITECTURE.md
missing=0
while IFS= read -r name; do
  case "$name" in
    \$*|*/*|.*) continue ;; # paths, environment variables, extensions: not identifiers
  esac
  # Foo::Bar and Bar() name Bar; input-latency and other bench figures are words of its output.
  word=${name##*::}
  word=${word%%(*}
  word=${word%% *}
  if [[ "$word" =~ ^[A-Za-z_][A-Za-z0-9_]*$ ]]; then
    git grep -qw -- "$word" -- '*.cpp' '*.h' '*CMakeLists.txt' && continue
  else
    git grep -qF -- "$word" -- '*.cpp' '*.h' 'bench/*' && continue
  fi
  echo "docs/ARCHITECTURE.md names \`$name\`, which the code does not have"
  missing=1
done < <(grep -o '`[^`]*`' "$doc" | tr -d '`' | sort -u)
exit $missing
