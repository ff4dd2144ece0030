#!/usr/bin/env bash
# Builds the Debian package from a built folder (default build/release), unpacks it into a
# temporary folder as dpkg would install it, and runs the unpacked mensora-cli: its version and
# one generation, compared with the program the window's start values give.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(echo "$work"/out/*.deb)
dpkg-deb --field "$deb" Package Version Depends

# shlibdeps must have declared the Qt, C++, glyph and DXF libraries the programs link, and the
# package the glyph files.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6core6 libstdc++6 libhersheyfont0 libdxflib3 hershey-fonts-data; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends" >&2; exit 1; }
done

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/mensora-cli usr/share/applications/mensora.desktop \
            usr/share/icons/hicolor/scalable/apps/mensora.svg \
            usr/share/man/man1/mensora-cli.1.gz usr/share/doc/mensora/copyright \
            usr/share/mensora/templates/ruler-150mm.mensora \
            usr/share/mensora/templates/handwheel-100.mensora; do
    [ -e "$root/$file" ] || { echo "the package lacks /$file" >&2; exit 1; }
done
if [ -e "$build/src/app/mensora" ] && [ ! -x "$root/usr/bin/mensora" ]; then
    echo "the package lacks /usr/bin/mensora" >&2
    exit 1
fi
gzip -t "$root/usr/share/man/man1/mensora-cli.1.gz"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/mensora.desktop"
fi

cli=$root/usr/bin/mensora-cli
"$cli" --version
LC_ALL=C.UTF-8 "$cli" --baseline single -o "$work/ruler.din"
first=$(head -n 1 "$work/ruler.din")
last=$(tail -n 1 "$work/ruler.din")
lines=$(wc -l <"$work/ruler.din")
if [ "$first" != $'N1 G0 X0 Y0 Z1\r' ] || [ "$last" != $'N409 M30\r' ] || [ "$lines" -ne 409 ]; then
    echo "the unpacked mensora-cli wrote an unexpected program ($lines lines)" >&2
    exit 1
fi
# A drawing and a scale file from the unpacked program.
LC_ALL=C.UTF-8 "$cli" --shape round --baseline single --format dxf -o "$work/dial.dxf"
grep -q '^AC1015' "$work/dial.dxf" || { echo "the unpacked mensora-cli wrote no DXF" >&2; exit 1; }
LC_ALL=C.UTF-8 "$cli" --shape round --save-scale "$work/dial.mensora"
LC_ALL=C.UTF-8 "$cli" --scale "$work/dial.mensora" --baseline single --format svg -o "$work/dial.svg"
grep -q '<g id="baseline">' "$work/dial.svg" || { echo "the unpacked mensora-cli wrote no SVG" >&2; exit 1; }
# A template as the package installs it, under a machine profile.
LC_ALL=C.UTF-8 "$cli" --scale "$root/usr/share/mensora/templates/dial-360.mensora" \
    --profile rs274 -o "$work/dial.ngc"
grep -q '^N2 G17 G21 G90 G91.1 G94' "$work/dial.ngc" || { echo "no template program" >&2; exit 1; }
echo "package ok: $(basename "$deb")"
