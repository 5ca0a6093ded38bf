#!/bin/sh
# Pictures of every settings page at the default size, at 96 and 144 dpi, in the default and a dark
# colour template; contact sheets of them go to docs/. Usage: scripts/settings-screenshots.sh [BUILD]
set -eu
build=${1:-build/asan}
out=$build/setupshots
tool=$build/bin/vantrelo_setupshots
[ -x "$tool" ] || { echo "build the target vantrelo_setupshots first" >&2; exit 1; }
rm -rf "$out"
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
for scale in 1 1.5; do
  for dark in 0 14; do
    QT_SCALE_FACTOR=$scale "$tool" "$out/scale$scale-dark$dark" "$dark"
  done
done
# The editor as the README shows it; one sheet per scale and template.
cp "$out/scale1-dark0/00-keywords.png" docs/keyword-editor.png
for set in "$out"/scale*; do
  name=$(basename "$set")
  montage "$set"/*.png -tile 4x -geometry 400x+4+4 -background '#888' "docs/settings-pages-$name.png"
done
ls -l docs/keyword-editor.png docs/settings-pages-*.png
