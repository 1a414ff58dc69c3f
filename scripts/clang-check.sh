#!/usr/bin/env bash
# Compiles every program source a second time with clang, for the same MinGW
# target and with the flags the build uses (defines, -Wall -Wextra -Werror),
# syntax only: a second compiler catches what one misses. Reads the compile
# commands of a configured build folder (BUILD_DIR, default build/).
#   MM_CLANG_JOBS  parallel compiles (default 2)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
commands="$build/compile_commands.json"
if [ ! -f "$commands" ]; then
    echo "clang-check: $commands not found; configure the build first (scripts/build.sh)" >&2
    exit 1
fi

# clang has no C++ library or Windows headers of its own for this target: it
# gets the ones MinGW g++ compiles with, in g++'s order, minus g++'s private
# headers (clang brings its own).
headers=()
while read -r dir; do
    dir="$(realpath -m "$dir")"
    [[ "$dir" =~ /lib/gcc/[^/]+/[^/]+/include(-fixed)?$ ]] && continue
    headers+=("$dir")
done < <(x86_64-w64-mingw32-g++-posix -v -E -x c++ /dev/null 2>&1 |
         sed -n '/#include <...> search starts here:/,/End of search list\./{/^ /p}')

python3 - "$commands" "$root" "${MM_CLANG_JOBS:-2}" "${headers[@]}" <<'EOF'
import json, os, shlex, subprocess, sys
from concurrent.futures import ThreadPoolExecutor

commands, root, jobs, headers = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
program_dirs = ('app', 'bench', 'device', 'dialog', 'environment', 'framework', 'library', 'skin', 'utils')

def clang_command(entry):
    args = shlex.split(entry['command'])[1:]
    kept, skip = [], False
    for arg in args:
        if skip:
            skip = False
        elif arg == '-o':
            skip = True
        elif arg not in ('-c', entry['file']):
            kept.append(arg)
    isystem = [flag for dir in headers for flag in ('-isystem', dir)]
    return (['clang++', '--target=x86_64-w64-mingw32', '-fsyntax-only', '-nostdinc++', '-nostdlibinc']
            + isystem + kept + [entry['file']])

entries = [e for e in json.load(open(commands))
           if os.path.relpath(e['file'], root).split(os.sep)[0] in program_dirs]
if not entries:
    sys.exit('clang-check: no program sources in ' + commands)

def check(entry):
    result = subprocess.run(clang_command(entry), cwd=entry['directory'], capture_output=True, text=True)
    return result.returncode, result.stdout + result.stderr

failed = 0
with ThreadPoolExecutor(jobs) as pool:
    for entry, (code, output) in zip(entries, pool.map(check, entries)):
        if code != 0 or output:
            failed += 1
            sys.stderr.write(output)
print(f'clang-check: {len(entries)} sources, {failed} with diagnostics')
sys.exit(1 if failed else 0)
EOF
