#!/usr/bin/env bash
# Draws the pictures of the manual with the program itself.
#
# Every example of the manual whose block opens with "```vek NAME.png" or "```vek NAME.gif"
# is played headless and its picture written to docs/pictures/NAME.png (the screen as the run
# left it) or docs/pictures/NAME.gif (the whole run, 10 frames a second); a NAME ending in
# "-handout" is the first sheet of the lesson's --handout, as pdftoppm shows it at 60 dpi. A block opened with
# "```events NAME" in the same page feeds that run its mouse and keyboard (an event file).
# The English pages are the source of the pictures; the Spanish pages hold the same examples
# with their comments translated.
#
#   tools/render-docs.sh            draw every picture again
#   tools/render-docs.sh NAME...    draw only these
#   tools/render-docs.sh --check    say which pictures are missing or out of date, and which
#                                   Spanish examples no longer compile to what the English ones do;
#                                   exit 1 when any is
#
# VEKORA names the program (default: build/vekora).
set -euo pipefail
shopt -s nullglob

root=$(cd "$(dirname "$0")/.." && pwd)
vekora=${VEKORA:-$root/build/vekora}
pictures=$root/docs/pictures
fps=10

if [[ ! -x $vekora ]]; then
    echo "render-docs: $vekora not found; build it first (cmake --build build --target vekora)" >&2
    exit 2
fi

check=0
only=()
for argument in "$@"; do
    case $argument in
        --check) check=1 ;;
        -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) only+=("$argument") ;;
    esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes every block of the pages given whose info string is "KIND NAME..." as DIR/NAME
# (NAME with its extension: circle.png, drag.events).
extract() {  # kind dir pages...
    local kind=$1 dir=$2
    shift 2
    mkdir -p "$dir"
    awk -v kind="$kind" -v dir="$dir" '
        !inside && $0 ~ "^```" kind " " {
            name = $2; inside = 1; file = dir "/" name (kind == "events" ? ".events" : "")
            printf "" > file; next
        }
        inside && /^```/ { inside = 0; close(file); next }
        inside { print >> file }
    ' "$@"
}

english_pages=("$root"/docs/*.md "$root"/docs/reference/*.md)
spanish_pages=("$root"/docs/es/*.md "$root"/docs/es/reference/*.md)

# One picture, one example: a name used twice would draw one example over the other.
twice=$(grep -h '^```vek ' "${english_pages[@]}" | awk '{print $2}' | sort | uniq -d)
if [[ -n $twice ]]; then
    echo "render-docs: more than one example draws $twice" >&2
    exit 1
fi
extract vek "$work/scripts" "${english_pages[@]}"
extract events "$work/events" "${english_pages[@]}"

# Plays one example into OUT (a .png or .gif path).
render() {  # script out
    local script=$1 out=$2 name
    name=$(basename "$script")
    name=${name%.*}
    # The pictures show the program's own Spanish bar, whatever language the machine speaks.
    local options=(--headless --no-logo --lang C)
    [[ -f $work/events/$name.events ]] && options+=(--events "$work/events/$name.events")
    case $out in
        *-handout.png) options=(--no-logo --handout "$work/handout.pdf") ;;
        *.png) options+=(--screenshot "$out") ;;
        *.gif) options+=(--record "$out" --fps "$fps") ;;
    esac
    if ! "$vekora" "${options[@]}" "$script" > "$work/run.log" 2>&1 < /dev/null; then
        echo "render-docs: $name failed:" >&2
        cat "$work/run.log" >&2
        return 1
    fi
    if [[ $out == *-handout.png ]] && ! pdftoppm -r 60 -png -singlefile "$work/handout.pdf" "${out%.png}" 2>> "$work/run.log"; then
        echo "render-docs: $name: pdftoppm (poppler-utils) could not show the handout:" >&2
        cat "$work/run.log" >&2
        return 1
    fi
    if [[ ! -s $out ]]; then
        echo "render-docs: $name drew no picture:" >&2
        cat "$work/run.log" >&2
        return 1
    fi
}

status=0
mkdir -p "$pictures" "$work/fresh"
for script in "$work"/scripts/*; do
    picture=$(basename "$script")
    name=${picture%.*}
    if ((${#only[@]})) && [[ " ${only[*]} " != *" $name "* ]]; then continue; fi
    if ((check)); then
        render "$script" "$work/fresh/$picture" || { status=1; continue; }
        if [[ ! -f $pictures/$picture ]]; then
            echo "missing: docs/pictures/$picture"
            status=1
        elif ! cmp -s "$work/fresh/$picture" "$pictures/$picture"; then
            echo "out of date: docs/pictures/$picture"
            status=1
        fi
    else
        if render "$script" "$pictures/$picture"; then
            echo "drew docs/pictures/$picture"
        else
            status=1
        fi
    fi
done

# The Spanish examples must be the English ones: the same table once compiled. A picture
# that no example draws any more is left over.
if ((check)); then
    for picture in "$pictures"/*; do
        if [[ ! -f $work/scripts/$(basename "$picture") ]]; then
            echo "drawn by no example: docs/pictures/$(basename "$picture")"
            status=1
        fi
    done
    extract vek "$work/spanish" "${spanish_pages[@]}"
    for script in "$work"/scripts/*; do
        picture=$(basename "$script")
        if [[ ! -f $work/spanish/$picture ]]; then
            echo "no Spanish example: $picture"
            status=1
        elif ! cmp -s <("$vekora" --dump-table "$script" 2>&1) <("$vekora" --dump-table "$work/spanish/$picture" 2>&1); then
            echo "Spanish example differs: $picture"
            status=1
        fi
    done
fi
exit $status
