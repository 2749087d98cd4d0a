#!/usr/bin/env bash
# The check page in a real browser: headless Chromium renders a sample's page to a picture and
# prints it to PDF. The picture must show the bars in their colour and the probed points in
# theirs, a drawing with a bar counted twice its orange and its vermillion rings; the PDF must be
# A3 landscape with the picture's page and the tables' page after it. The project page of the
# samples must print with every drawing, its link and the project's mass total.
# Usage: check-page-browser.sh KOLVO-TALLY SAMPLES-DIR TEST-DATA-DIR
set -euo pipefail
tally=$1 samples=$2 data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shoot() { bash "$(dirname "$0")/../../scripts/headless-chromium.sh" "$@"; }
# The pixels of `colour` (within a few per cent) in a picture: marked in magenta, which the page
# never uses, then counted as the white of a mask.
pixels() {
  convert "$1" -alpha off -fuzz 6% -fill '#FF00FF' -opaque "$2" -fuzz 0 -fill black \
    +opaque '#FF00FF' -fill white -opaque '#FF00FF' -precision 15 -format '%[fx:round(mean*w*h)]' info:
}
fail=0
check() { # what, count, least
  if [ "$2" -ge "$3" ]; then echo "ok: $1 ($2)"; else echo "FAILED: $1: $2, wanted at least $3"; fail=1; fi
}

"$tally" --weights "$work/beam.mass.csv" --check "$work/beam.html" "$samples/beam-g1.dxf" "$work/beam" >/dev/null
"$tally" --check "$work/outcomes.html" "$data/check/check-outcomes.dxf" "$work/outcomes" >/dev/null 2>&1
shoot screenshot "$work/beam.png" "$work/beam.html"
shoot screenshot "$work/outcomes.png" "$work/outcomes.html"
shoot pdf "$work/beam.pdf" "$work/beam.html"

check "blue where the bars are" "$(pixels "$work/beam.png" '#0072B2')" 3000
check "green of the probed points" "$(pixels "$work/beam.png" '#009E73')" 300
# The legend shows every colour on every page: a double and the rings are counted beyond what
# the page of a drawing without either shows.
legend_orange=$(pixels "$work/beam.png" '#E69F00')
legend_vermillion=$(pixels "$work/beam.png" '#D55E00')
check "orange of the bar counted twice" "$(pixels "$work/outcomes.png" '#E69F00')" $((legend_orange + 50))
check "vermillion of the rings that need a look" "$(pixels "$work/outcomes.png" '#D55E00')" \
  $((legend_vermillion + 150))

pages=$(pdfinfo "$work/beam.pdf" | awk '/^Pages:/ { print $2 }')
size=$(pdfinfo "$work/beam.pdf" | awk '/^Page size:/ { print $3 "x" $5 }')
check "pages of the PDF" "$pages" 2
if [ "$size" = "1191.12x841.92" ]; then echo "ok: A3 landscape ($size pt)"; else echo "FAILED: page size $size"; fail=1; fi
"$tally" --project "$work/project" "$samples" >/dev/null 2>&1
shoot pdf "$work/project.pdf" "$work/project/project.html"
pdftotext -layout "$work/project.pdf" "$work/project.txt"
for text in beam-g1 footing-f1 slab-s1 合計 324.83; do
  if grep -q -- "$text" "$work/project.txt"; then echo "ok: the project page prints $text"
  else echo "FAILED: the project page's PDF lacks $text"; fail=1; fi
done
# The links lead to the pages beside it.
links=$(grep -o 'href="[^"]*"' "$work/project/project.html" | sed 's/href="\(.*\)"/\1/')
for link in $links; do
  if [ -f "$work/project/$link" ]; then echo "ok: link $link"; else echo "FAILED: link $link"; fail=1; fi
done
exit $fail
