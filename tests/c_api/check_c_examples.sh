#!/usr/bin/env bash
# Runs the three example C programs of examples/c/ and checks what they give: the numbers
# printed, the triangle picture's pixels, and a lesson's last picture, which must equal the
# program's own --screenshot of the same lesson.
# Usage: check_c_examples.sh EXAMPLES-BIN-DIR VEKORA PNG_CHECK SOURCE-DIR WORK-DIR
set -euo pipefail
bin=$1 vekora=$2 png_check=$3 source=$4 work=$5
expected=$source/tests/c_api
mkdir -p "$work"

fail() { echo "check_c_examples: $*" >&2; exit 1; }

"$bin/circumcircle" > "$work/circumcircle.txt"
diff -u "$expected/circumcircle.expected" "$work/circumcircle.txt" || fail "circumcircle printed other numbers"

"$bin/triangle_png" "$work/triangle.png" > "$work/triangle.txt"
diff -u "$expected/triangle_png.expected" "$work/triangle.txt" || fail "triangle_png printed other numbers"
# White page corners (the whole image was filled), the sides in black, the incircle in red
# where it touches the lowest side and at its left and right, its centre marked, nothing
# drawn outside the triangle's box.
"$png_check" pixel "$work/triangle.png" 0 0 FFFFFF
"$png_check" pixel "$work/triangle.png" 319 239 FFFFFF
"$png_check" pixel "$work/triangle.png" 165 205 000000 2
"$png_check" pixel "$work/triangle.png" 80 115 000000 2
"$png_check" pixel "$work/triangle.png" 137 204 C00000 2
"$png_check" pixel "$work/triangle.png" 75 141 C00000 2
"$png_check" pixel "$work/triangle.png" 201 141 C00000 2
"$png_check" pixel "$work/triangle.png" 138 141 C00000
"$png_check" pixel "$work/triangle.png" 120 100 FFFFFF
"$png_check" only "$work/triangle.png" FFFFFF 35 25 295 215

"$vekora" --headless --no-logo --screenshot "$work/reference.png" "$source/examples/circumcircle.vek"
"$bin/run_lesson" "$source/examples/circumcircle.vek" "$work/lesson.png" "$work/lesson.gif" > "$work/lesson.txt"
grep -qx "result 255" "$work/lesson.txt" || fail "run_lesson: $(cat "$work/lesson.txt")"
"$png_check" same "$work/reference.png" "$work/lesson.png"
[ "$(head -c 6 "$work/lesson.gif")" = GIF89a ] || fail "run_lesson wrote no GIF"
echo "the three example programs gave their checked results"
