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
# The editor as the README shows it; the pages as two contact sheets (96 dpi in the default
# template, 144 dpi in a dark one), small enough to keep; every full-size picture stays in $out.
cp "$out/scale1-dark0/00-keywords.png" docs/keyword-editor.png
cp "$out/scale1-dark0/06-look.png" docs/settings-look.png
montage "$out"/scale1-dark0/*.png -tile 4x -geometry 400x340+2+2 -background '#888' -depth 8 -colors 128 PNG8:docs/settings-pages-96dpi.png
montage "$out"/scale1.5-dark14/*.png -tile 4x -geometry 400x340+2+2 -background '#888' -depth 8 -colors 128 PNG8:docs/settings-pages-144dpi-dark.png
ls -l docs/keyword-editor.png docs/settings-pages-*.png
