#!/bin/bash
# Draws the four background maps of the program into data/ (or the folder given
# as the first argument): GSHHG coastlines, lakes and national borders on a
# linear longitude/latitude grid, placed exactly as the map catalogue projects.
#
# Needs: gmt, gmt-gshhg-high, ghostscript, imagemagick (Debian packages).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "${1:-$here/../../data}"
out=$(realpath "${1:-$here/../../data}")

for tool in gmt gs convert awk; do
    command -v "$tool" > /dev/null || { echo "make_maps.sh: '$tool' not found" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Keep any personal GMT settings out of the result.
export GMT_USERDIR=$work GMT_TMPDIR=$work
gmt defaults -Ds > gmt.conf

sea=240/246/252
land=230/227/216
coast=112/112/112
border=128/128/128
grid=200/210/224
# Drawn four times too large and averaged down by 4x4 blocks: smooth edges
# without the seams that anti-aliasing leaves between adjacent fills.
supersample=4

# make_map file width height lon_origin lat_origin lon_span lat_span x_origin y_origin
#          min_area_km2 coast_pen grid_pen
# The first eight values are the map catalogue's. Pixel (i, j) covers the
# projected square [i, i+1) x [j, j+1), so the image's outer edges are the
# region's edges.
make_map() {
    local file=$1 width=$2 height=$3 lon0=$4 lat0=$5 lon_span=$6 lat_span=$7 x0=$8 y0=$9
    local min_area=${10} coast_pen=${11} grid_pen=${12}
    local west east south north
    read -r west east south north < <(awk -v w="$width" -v h="$height" -v lon0="$lon0" -v lat0="$lat0" \
        -v ls="$lon_span" -v ps="$lat_span" -v x0="$x0" -v y0="$y0" 'BEGIN {
            west = lon0 - x0 * ls / w; north = lat0 + y0 * ps / h
            printf "%.10f %.10f %.10f %.10f\n", west, west + ls, north - ps, north }')
    local region=$west/$east/$south/$north
    local page=(-R"$region" -JX"${width}p/${height}p" --PS_MEDIA="${width}px${height}p"
        --PS_PAGE_ORIENTATION=portrait)

    # The page is exactly the map's size, and rounding makes GMT warn that the map may not fit.
    gmt pscoast "${page[@]}" -X0 -Y0 -P -Dh -A"$min_area" -S$sea -G$land -C$sea -K > map.ps \
        2> >(grep -v 'may exceed your PS_MEDIA' >&2)
    # Interior whole-degree lines only: a line on the image edge would read as a frame.
    awk -v w="$west" -v e="$east" -v s="$south" -v n="$north" 'BEGIN {
            for (lon = int(w) + 1; lon < e; lon++) printf ">\n%d %.10f\n%d %.10f\n", lon, s, lon, n
            for (lat = int(s) + 1; lat < n; lat++) printf ">\n%.10f %d\n%.10f %d\n", w, lat, e, lat }' \
        | gmt psxy "${page[@]}" -W"$grid_pen",$grid -O -K >> map.ps
    gmt pscoast "${page[@]}" -Dh -A"$min_area" -W"$coast_pen",$coast -N1/0.6p,$border,4_2:0 -O >> map.ps

    gmt psconvert map.ps -Tg -E$((72 * supersample)) -Qg1 -Qt1 -Fmap
    convert map.png -scale "${width}x${height}!" -type TrueColor -units PixelsPerInch -density 72 \
        "BMP3:$out/$file"
    echo "$file: ${width}x${height}, lon $west..$east, lat $south..$north"
}

make_map kanto_event.bmp 671 700 135 36.5 8.35 7.0 0 357 0.5 0.5p 0.5p
make_map kansai_event.bmp 671 700 132 35.5 8.25 7.0 0 357 0.5 0.5p 0.5p
make_map japan_event.bmp 671 700 127 37.5 19.8 16.3 0 366 5 0.4p 0.4p
make_map japan_map.bmp 425 457 127 37.5 20.0 17.0 0 238 20 0.4p 0.4p
