#!/usr/bin/env bash
# Fails, listing the files, when a source file differs from its clang-format form.
set -u
formatter=$1
bad=0
while IFS= read -r file; do
    if ! "$formatter" --dry-run --Werror "$file" > /dev/null 2>&1; then
        echo "not formatted: $file"
        bad=1
    fi
done < <(git ls-files '*.cpp' '*.h' '*.c' 2>/dev/null || find app game world render hud assets tests bench tools fuzz -name '*.cpp' -o -name '*.h' -o -name '*.c')
exit $bad
