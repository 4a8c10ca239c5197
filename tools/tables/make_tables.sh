#!/usr/bin/env bash
# Regenerates the shipped tables from their UTF-8 sources beside this script:
#   regions.tsv   -> data/jmargn_j.csv  (region key, display name)
#   ref_sites.tsv -> data/ref.dat       (count, then longitude, latitude, factor, name)
#   forecast_areas.tsv -> data/forecast_area_table.csv  (area code, name)
# All outputs are Shift-JIS (code page 932) with CR LF line ends. Needs only awk and iconv.
# Usage: make_tables.sh [OUTPUT_FOLDER]   (default: the repository's data/)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../../data}"
mkdir -p "$out"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A table is replaced only when its source was read without fault and every name has a
# code page 932 form.
to_cp932() {  # utf8_file output_file
  iconv -f UTF-8 -t CP932 "$1" >"$work/encoded" || { echo "cannot write $2 in code page 932" >&2; return 1; }
  mv "$work/encoded" "$2"
}

# The program reads at most 270 rows and matches keys byte for byte, so keys are checked here.
awk -F'\t' '
  /^#/ || NF == 0 { next }
  NF != 3 { printf "regions.tsv:%d: expected 3 columns\n", NR > "/dev/stderr"; bad = 1; next }
  $2 !~ /^[a-z0-9]+(_[a-z0-9]+)*$/ { printf "regions.tsv:%d: bad key \"%s\"\n", NR, $2 > "/dev/stderr"; bad = 1 }
  seen[$2]++ { printf "regions.tsv:%d: key \"%s\" used twice\n", NR, $2 > "/dev/stderr"; bad = 1 }
  { printf "%s,%s\r\n", $2, $3; rows++ }
  END {
    if (rows > 270) { printf "regions.tsv: %d rows, the program reads 270\n", rows > "/dev/stderr"; bad = 1 }
    exit bad
  }' "$here/regions.tsv" >"$work/regions"
to_cp932 "$work/regions" "$out/jmargn_j.csv"

# Amplification factor from AVS30 (m/s): log10(factor) = 1.83 - 0.66 log10(AVS30), which gives
# 1.0 for about 600 m/s, the engineering bedrock that the intensity relation assumes.
awk -F'\t' '
  function degrees(dms,   p) { split(dms, p, " "); return p[1] + p[2] / 60 + p[3] / 3600 }
  function factor(avs30) { return exp(log(10) * (1.83 - 0.66 * log(avs30) / log(10))) }
  /^#/ || NF == 0 { next }
  NF != 4 { printf "ref_sites.tsv:%d: expected 4 columns\n", NR > "/dev/stderr"; bad = 1; next }
  { line[++n] = sprintf("%.4f,%.4f,%.1f,%s\r\n", degrees($1), degrees($2), factor($3), $4) }
  END {
    if (bad) exit 1
    if (n > 50) { printf "ref_sites.tsv: %d sites, the program reads 50\n", n > "/dev/stderr"; exit 1 }
    printf "%d\r\n", n
    for (i = 1; i <= n; i++) printf "%s", line[i]
  }' "$here/ref_sites.tsv" >"$work/ref"
to_cp932 "$work/ref" "$out/ref.dat"

# Forecast areas: three-digit codes, each once, in ascending order; the program reads 300 at most.
awk -F'\t' '
  /^#/ || NF == 0 { next }
  NF != 2 { printf "forecast_areas.tsv:%d: expected 2 columns\n", NR > "/dev/stderr"; bad = 1; next }
  $1 !~ /^[0-9][0-9][0-9]$/ { printf "forecast_areas.tsv:%d: bad code \"%s\"\n", NR, $1 > "/dev/stderr"; bad = 1 }
  $1 <= last { printf "forecast_areas.tsv:%d: code %s out of order or twice\n", NR, $1 > "/dev/stderr"; bad = 1 }
  { last = $1; printf "%s,%s\r\n", $1, $2; rows++ }
  END {
    if (rows > 300) { printf "forecast_areas.tsv: %d rows, the program reads 300\n", rows > "/dev/stderr"; bad = 1 }
    exit bad
  }' "$here/forecast_areas.tsv" >"$work/areas"
to_cp932 "$work/areas" "$out/forecast_area_table.csv"
