#!/usr/bin/env bash
# Regenerates the program's sounds in data/ (or in the folder given):
#   sound.wav                 two-tone chime for a new event
#   SI0_.wav .. SI7_.wav      alert tone, then the intensity class spoken in Japanese
#   area_warning.wav          the user's own area under the agency's warning: a two-tone
#                             alarm unlike the class tones, then "けいほう" (warning) spoken
# Needs espeak-ng and sox (Debian packages of the same names). The output is
# 22 050 Hz mono 16-bit PCM, peak-normalised to -1 dBFS, without dither, so
# that the same tools give the same bytes on every run.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../../data}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for tool in espeak-ng sox; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install $tool" >&2; exit 1; }
done

# -R seeds every generator with a fixed value, -D turns dithering off: both keep the bytes stable.
sox_() { sox -R -D "$@"; }
format=(-r 22050 -b 16 -c 1 -e signed-integer)

# A bell-like tone: fundamental plus a quieter octave, struck and dying away.
bell() {  # file frequency seconds
  sox_ -n "${format[@]}" "$1" synth "$3" sine "$2" sine mix "$(awk "BEGIN { print $2 * 2 }")" \
    fade h 0.008 fade l 0 "$3" "$(awk "BEGIN { print $3 - 0.01 }")" gain -3
}
silence() {  # file seconds
  sox_ -n "${format[@]}" "$1" trim 0 "$2"
}
beep() {  # file frequency seconds
  sox_ -n "${format[@]}" "$1" synth "$3" sine "$2" fade h 0.01 "$3" 0.02 gain -6
}

bell "$work/ding.wav" 659.26 0.45
bell "$work/dong.wav" 523.25 0.60
sox_ "$work/ding.wav" "$work/dong.wav" "${format[@]}" "$out/sound.wav" norm -1

silence "$work/gap.wav" 0.06
silence "$work/pause.wav" 0.15
beep "$work/low.wav" 880 0.12
beep "$work/high.wav" 1174.66 0.10
# Classes up to 4 get two calm beeps; from 5弱 on, three higher ones.
sox_ "$work/low.wav" "$work/gap.wav" "$work/low.wav" "$work/pause.wav" "$work/alert_calm.wav"
sox_ "$work/high.wav" "$work/gap.wav" "$work/high.wav" "$work/gap.wav" "$work/high.wav" \
  "$work/pause.wav" "$work/alert_strong.wav"

# espeak-ng's Japanese voice reads kana, so each class is written as it is spoken.
while read -r file alert words; do
  espeak-ng -v ja -s 150 -w "$work/voice_raw.wav" "$words"
  # Drop the silence that espeak-ng leaves before and after the words.
  sox_ "$work/voice_raw.wav" "${format[@]}" "$work/voice.wav" \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse pad 0 0.08 norm -1
  sox_ "$work/alert_$alert.wav" "$work/voice.wav" "${format[@]}" "$out/$file" norm -1
done <<'LIST'
SI0_.wav calm しんど ぜろ
SI1_.wav calm しんど いち
SI2_.wav calm しんど に
SI3_.wav calm しんど さん
SI4_.wav calm しんど よん
SI5-.wav strong しんど ごじゃく
SI5+.wav strong しんど ごきょう
SI6-.wav strong しんど ろくじゃく
SI6+.wav strong しんど ろくきょう
SI7_.wav strong しんど なな
LIST

# The area alarm alternates two tones a fourth apart, four times, fast: nothing else the program
# plays sounds like it, so that the warning for the user's own area is told at once.
beep "$work/alarm_high.wav" 987.77 0.16
beep "$work/alarm_low.wav" 739.99 0.16
sox_ "$work/alarm_high.wav" "$work/alarm_low.wav" "$work/alarm_high.wav" "$work/alarm_low.wav" \
  "$work/alarm_high.wav" "$work/alarm_low.wav" "$work/alarm_high.wav" "$work/alarm_low.wav" \
  "$work/pause.wav" "$work/alarm.wav"
espeak-ng -v ja -s 140 -w "$work/voice_raw.wav" "けいほう"
sox_ "$work/voice_raw.wav" "${format[@]}" "$work/voice.wav" \
  silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse pad 0 0.08 norm -1
sox_ "$work/alarm.wav" "$work/voice.wav" "${format[@]}" "$out/area_warning.wav" norm -1
