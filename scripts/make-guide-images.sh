#!/usr/bin/env bash
# Draws the pictures of the Japanese guide into docs/images/ again, so that they follow the
# program when it changes:
#   - dialog.png, the dialog as Wine shows it (scripts/screenshot-dialog.sh);
#   - conv-*.png, the drawing conventions: each is a small drawing written here as a DXF file,
#     tallied with kolvo-tally and drawn from that file, the bars that the tally counted in red
#     and the summary it wrote underneath. What the pictures claim is what the program does.
#   - check-page.png, the check page of samples/beam-g1.dxf as headless Chromium shows it.
# Usage: make-guide-images.sh [--no-dialog]
# Needs the native build's kolvo-tally (built when missing), ImageMagick and Chromium.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
images=$root/docs/images
work=$root/build/guide-images
font=$(fc-match -f '%{file}' 'IPAGothic:lang=ja')
tally=$root/build/native/tools/kolvo-tally/kolvo-tally
if [ ! -x "$tally" ]; then
  cmake --preset native -S "$root" >/dev/null
  cmake --build "$root/build/native" --target kolvo-tally
fi
rm -rf "$work"
mkdir -p "$work" "$images"

# A drawing in a few words, one entity a line (drawing units, y upwards):
#   bar X1 Y1 X2 Y2          LINE on layer 鉄筋
#   leader X1 Y1 X2 Y2 ...   LINEs from point to point on layer 引出線
#   circle X Y R             CIRCLE
#   text X Y H TEXT          TEXT, insertion point at its baseline's left end
#   arrow X Y FROMX FROMY L  two strokes of length L at the tip X Y, opening towards FROM
#   vmark X Y TOX TOY L      three-vertex LWPOLYLINE, middle vertex at X Y, arms towards TO
#   note X Y TEXT            an explanation for the picture only: a TEXT on layer 説明, outside
#                            every circle, so the analysis passes over it
# written as the ENTITIES section of an ASCII DXF in CP932, as the CAD host exports it.
to_dxf() {
  awk '
    function pair(code, value) { printf "%3d\r\n%s\r\n", code, value }
    function line(x1, y1, x2, y2, layer) {
      pair(0, "LINE"); pair(8, layer)
      pair(10, x1); pair(20, y1); pair(30, 0); pair(11, x2); pair(21, y2); pair(31, 0)
    }
    function text(x, y, h, s, layer) {
      pair(0, "TEXT"); pair(8, layer); pair(10, x); pair(20, y); pair(30, 0); pair(40, h)
      pair(1, s)
    }
    function rest(from,   s, i) { s = $from; for (i = from + 1; i <= NF; i++) s = s " " $i; return s }
    BEGIN { pi = atan2(0, -1); pair(0, "SECTION"); pair(2, "ENTITIES") }
    $1 == "bar" { line($2, $3, $4, $5, "鉄筋") }
    $1 == "leader" { for (i = 2; i + 3 <= NF; i += 2) line($i, $(i + 1), $(i + 2), $(i + 3), "引出線") }
    $1 == "circle" { pair(0, "CIRCLE"); pair(8, "符号"); pair(10, $2); pair(20, $3); pair(30, 0); pair(40, $4) }
    $1 == "text" { text($2, $3, $4, rest(5), "符号") }
    $1 == "note" { text($2, $3, 60, rest(4), "説明") }
    $1 == "arrow" || $1 == "vmark" {
      a = atan2($5 - $3, $4 - $2); spread = ($1 == "arrow" ? 15 : 45) * pi / 180
      ax = $2 + $6 * cos(a + spread); ay = $3 + $6 * sin(a + spread)
      bx = $2 + $6 * cos(a - spread); by = $3 + $6 * sin(a - spread)
      if ($1 == "arrow") {
        line($2, $3, ax, ay, "引出線"); line($2, $3, bx, by, "引出線")
      } else {
        pair(0, "LWPOLYLINE"); pair(8, "引出線"); pair(90, 3); pair(70, 0)
        pair(10, ax); pair(20, ay); pair(10, $2); pair(20, $3); pair(10, bx); pair(20, by)
      }
    }
    END { pair(0, "ENDSEC"); pair(0, "EOF") }
  ' | iconv -f UTF-8 -t CP932
}

# The DXF file and the detail report drawn as ImageMagick vector graphics: the drawing scaled to
# the picture's width, the bars of the detail report over it in red, the summary below.
to_mvg() {
  local dxf=$1 detail=$2 summary=$3
  {
    iconv -f CP932 -t UTF-8 "$dxf" | tr -d '\r' | awk '{ printf "%s%s", (NR % 2 ? "" : "\t"), $0; if (NR % 2 == 0) print "" }'
    echo "DETAIL"
    iconv -f CP932 -t UTF-8 "$detail" | tr -d '\r'
    echo "SUMMARY"
    if [ -s "$summary" ]; then iconv -f CP932 -t UTF-8 "$summary" | tr -d '\r'; else echo "(空)"; fi
  } | awk -F'\t' -v font="$font" '
    function grow(x, y) {
      if (x < minx) minx = x; if (x > maxx) maxx = x; if (y < miny) miny = y; if (y > maxy) maxy = y
    }
    function flush() {
      if (kind == "LINE") { n++; k[n] = "line"; a[n] = g[10]; b[n] = g[20]; c[n] = g[11]; d[n] = g[21]; l[n] = g[8]; grow(g[10], g[20]); grow(g[11], g[21]) }
      if (kind == "CIRCLE") { n++; k[n] = "circle"; a[n] = g[10]; b[n] = g[20]; c[n] = g[40]; grow(g[10] - g[40], g[20] - g[40]); grow(g[10] + g[40], g[20] + g[40]) }
      if (kind == "TEXT") { n++; k[n] = "text"; a[n] = g[10]; b[n] = g[20]; c[n] = g[40]; s[n] = g[1]; l[n] = g[8]; grow(g[10], g[20]); grow(g[10] + g[40] * 0.9 * length(g[1]), g[20] + g[40]) }
      if (kind == "LWPOLYLINE") { n++; k[n] = "poly"; a[n] = vx[1]; b[n] = vy[1]; c[n] = vx[2]; d[n] = vy[2]; e[n] = vx[3]; f[n] = vy[3]; for (i = 1; i <= 3; i++) grow(vx[i], vy[i]) }
      kind = ""; split("", g); nv = 0
    }
    BEGIN { minx = miny = 1e30; maxx = maxy = -1e30; part = "dxf" }
    $0 == "DETAIL" { flush(); part = "detail"; next }
    $0 == "SUMMARY" { part = "summary"; next }
    part == "dxf" {
      code = $1 + 0; value = $2
      if (code == 0) { flush(); kind = value; next }
      if (kind == "LWPOLYLINE" && code == 10) { nv++; vx[nv] = value; next }
      if (kind == "LWPOLYLINE" && code == 20) { vy[nv] = value; next }
      g[code] = value; next
    }
    part == "detail" { split($0, field, ","); nb++; bx1[nb] = field[2]; by1[nb] = field[3]; bx2[nb] = field[4]; by2[nb] = field[5]; next }
    part == "summary" { ns++; sum[ns] = $0; next }
    function px(x) { return sprintf("%.1f", margin + (x - minx) * scale) }
    function py(y) { return sprintf("%.1f", margin + (maxy - y) * scale) }
    END {
      width = 640; margin = 24
      scale = (width - 2 * margin) / (maxx - minx)
      height = int((maxy - miny) * scale + 2 * margin + 34 + 22 * ns)
      printf "viewbox 0 0 %d %d\n", width, height
      printf "fill white rectangle 0,0 %d,%d\n", width, height
      print "fill none stroke-linecap round"
      for (i = 1; i <= n; i++) {
        if (k[i] == "line") {
          printf "stroke %s stroke-width %s line %s,%s %s,%s\n", (l[i] == "鉄筋" ? "#303030" : "#505050"), (l[i] == "鉄筋" ? 2.5 : 1.2), px(a[i]), py(b[i]), px(c[i]), py(d[i])
        } else if (k[i] == "circle") {
          printf "stroke #505050 stroke-width 1.2 circle %s,%s %s,%s\n", px(a[i]), py(b[i]), px(a[i] + c[i]), py(b[i])
        } else if (k[i] == "poly") {
          printf "stroke #505050 stroke-width 1.2 polyline %s,%s %s,%s %s,%s\n", px(a[i]), py(b[i]), px(c[i]), py(d[i]), px(e[i]), py(f[i])
        }
      }
      # The bars the tally counted.
      for (i = 1; i <= nb; i++) printf "stroke #d02020 stroke-width 4 line %s,%s %s,%s\n", px(bx1[i]), py(by1[i]), px(bx2[i]), py(by2[i])
      printf "stroke none font \"%s\"\n", font
      for (i = 1; i <= n; i++) {
        if (k[i] != "text") continue
        printf "fill %s font-size %.1f text %s,%s \"%s\"\n", (l[i] == "説明" ? "#1f5fbf" : "black"), c[i] * scale * 1.25, px(a[i]), py(b[i]), s[i]
      }
      y = (maxy - miny) * scale + 2 * margin + 6
      printf "stroke #c0c0c0 stroke-width 1 line 0,%d %d,%d stroke none\n", y, width, y
      printf "fill #404040 font-size 15 text %d,%d \"集計表 (.csv) の内容:\"\n", margin, y + 22
      for (i = 1; i <= ns; i++) printf "fill #d02020 font-size 15 text %d,%d \"%s\"\n", margin + 170, y + 22 * i, sum[i]
    }
  '
}

draw() {
  local name=$1
  to_dxf >"$work/$name.dxf"
  "$tally" "$work/$name.dxf" "$work/$name" >/dev/null
  to_mvg "$work/$name.dxf" "$work/$name.txt" "$work/$name.csv" >"$work/$name.mvg"
  convert -density 96 "mvg:$work/$name.mvg" -strip "$images/$name.png"
  printf '%s: ' "$name"
  iconv -f CP932 -t UTF-8 "$work/$name.csv" | tr -d '\r' | paste -sd ' ' - | sed 's/^$/(no bars)/'
}

# A label, its leader and an arrow tip on a bar.
draw conv-label <<'EOF'
bar 0 0 3000 0
bar 0 -400 3000 -400
circle 2300 900 150
text 2205 860 100 D13
leader 2150 900 1500 900 1500 0
arrow 1500 0 1500 900 120
note 2500 1100 符号円 (円の中の文字が符号)
note 1550 960 引出線
note 1560 250 矢印の先端が鉄筋の上
note 50 60 鉄筋 (先端を通る線)
EOF

# A V mark at the tip and two more V marks on the line of the tip segment.
draw conv-vmark <<'EOF'
bar 0 0 3000 0
bar 0 200 3000 200
bar 0 400 3000 400
circle 2300 1000 150
text 2205 960 100 D10
leader 2150 1000 1500 800 1500 400
vmark 1500 400 1500 800 90
vmark 1500 200 1500 800 90
vmark 1500 0 1500 800 90
note 2500 1200 符号円
note 1560 620 先端のVマーク
note 1600 100 同じ線上のVマーク
EOF

# A divided circle: two texts, the lower first.
draw conv-divided <<'EOF'
bar 0 0 3000 0
circle 2000 800 200
leader 1800 800 2200 800
text 1880 830 100 D13
text 1860 670 100 @200
leader 1800 800 1200 800 1200 0
arrow 1200 0 1200 800 120
note 2300 900 上に D13、下に @200
note 2300 760 → 符号は @200D13
EOF

# Three labels that give nothing.
draw conv-nothing <<'EOF'
bar 0 0 1200 0
circle 400 700 150
leader 550 700 800 700 800 0
arrow 800 0 800 700 120
note 100 950 (1) 円の中に文字がない
bar 1600 0 2800 0
circle 2000 700 150
text 1905 660 100 D16
leader 1850 700 1600 700 1600 0
arrow 1600 0 1600 700 120
note 1600 950 (2) 先端が鉄筋の端点
note 1640 -150 (線の端が3本)
circle 3500 700 150
text 3405 660 100 D19
leader 3650 700 3900 700 3900 300
vmark 3900 300 3900 700 90
note 3200 950 (3) 先端に線がない
EOF

# Tips that make the program count a stroke of the arrow instead of the bar.
draw conv-stroke <<'EOF'
bar 0 0 1400 0
circle 400 800 150
text 305 760 100 D22
leader 550 800 800 800 800 250
arrow 800 250 800 800 120
note 0 1050 (1) 矢印が鉄筋に届いていない
note 850 120 すき間
circle 2400 800 150
text 2305 760 100 D22
leader 2550 800 2800 800 2800 -200
arrow 2800 -200 2800 800 120
bar 2000 -200 3400 -200
note 2000 1050 (2) 鉄筋を矢印より後に作図した
EOF

# The check page of a sample, in the browser: the drawing with what was counted on it and the
# tables, cut to the first screen.
"$tally" --weights "$work/beam-g1.mass.csv" --check "$work/beam-g1.check.html" \
  "$root/samples/beam-g1.dxf" "$work/beam-g1" >/dev/null
bash "$root/scripts/headless-chromium.sh" screenshot "$work/check-page.png" \
  "$work/beam-g1.check.html" 1400,1000
convert "$work/check-page.png" -strip "$images/check-page.png"
echo "check-page: the check page of samples/beam-g1.dxf"

if [ "${1:-}" != --no-dialog ]; then
  bash "$root/scripts/screenshot-dialog.sh" "$images/dialog.png" 'C:\図面\梁配筋\G1集計'
  # Screenshots carry the time they were taken; the picture itself is what matters.
  mogrify -strip "$images/dialog.png"
fi
