#!/usr/bin/env bash
# Fails when a file under src/ includes a header from a folder its own folder does not
# declare in src/CMakeLists.txt (directly or through the folders it uses), or when the
# declarations themselves form a cycle. The page's pieces in web/FOLDER/ join src/FOLDER's
# library (web/web.cmake) and are held to the same rules. Usage: layering_check.sh [SOURCE_DIR]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
declare -A uses

while read -r line; do
    line=${line#tarvel_folder(}
    name=${line%% *}
    name=${name%)}  # a folder that uses nothing: "tarvel_folder(name)"
    deps=""
    if [[ $line == *USES* ]]; then
        deps=${line#*USES }
        deps=${deps%%LINKS*}
        deps=${deps%)*}
    fi
    uses[$name]=$deps
done < <(tr '\n' ' ' < "$root/src/CMakeLists.txt" | grep -o 'tarvel_folder([a-z]*[^)]*)' |
         grep -v 'tarvel_folder(name')

# The folders a folder may reach, itself included; a folder met again on the way down is a
# cycle.
reach() {
    local folder=$1 path=$2 dep
    if [[ " $path " == *" $folder "* ]]; then
        echo "cycle in the declared folders: $path $folder" >&2
        exit 1
    fi
    echo "$folder"
    for dep in ${uses[$folder]:-}; do
        reach "$dep" "$path $folder"
    done
}

status=0
for folder in "${!uses[@]}"; do
    allowed=" $(reach "$folder" "" | sort -u | tr '\n' ' ') "
    while IFS=: read -r file line include; do
        target=${include#*\"}
        target=${target%%/*}
        if [[ $target == *.h* ]]; then
            continue  # a header of the same folder, named without its folder
        fi
        if [[ $allowed != *" $target "* ]]; then
            echo "${file#"$root"/}:$line includes \"${include#*\"} from a folder that $folder/ may not use" >&2
            status=1
        fi
    done < <(grep -rn '^#include "' "$root/src/$folder" "$root/web/$folder" --include='*.h' \
                 --include='*.cpp' 2>/dev/null || true)
done
for file in "$root"/src/*/ "$root"/web/*/; do
    folder=$(basename "$file")
    if [[ $file == "$root"/web/* ]] && ! compgen -G "$file*.cpp" >/dev/null; then
        continue  # not a library's pieces (the toolchain's compatibility header)
    fi
    if [[ -z ${uses[$folder]+declared} ]]; then
        echo "${file#"$root"/} is not declared in src/CMakeLists.txt" >&2
        status=1
    fi
done
if [[ $status == 0 ]]; then
    echo "layering: ${#uses[@]} folders, every include runs downward"
fi
exit $status
