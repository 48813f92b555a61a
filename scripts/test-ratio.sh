#!/usr/bin/env bash
# Prints how many lines of tests there are for each line of code: non-blank lines that are not only a
# comment, in .cpp, .h, .sh and .py files; the fuzz target counts as a test, the tools, bench and scripts as code. A line starting with "#" counts as
# a comment in every language, so include and preprocessor lines count on neither side. The project keeps
# tests at a quarter to a third of the code.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' \) -print0 |
        xargs -0 cat | grep -Ev '^[[:space:]]*(//.*|#.*)?$' | wc -l
}

tests=$(count tests fuzz)
code=$(count src tools bench scripts)
echo "tests $tests lines, code $code lines: $((100 * tests / code)) %"
