#!/usr/bin/env bash
# Regenerates the five interface sounds in modules/media/ by synthesis alone (sox and lame, from
# tools/bootstrap.sh); no recorded samples are used, so the sounds are ours to ship.
#
#   00.mp3  background music, looped by the program: a calm D major pad progression with a
#           sparse bell melody. The pattern wraps around its own end, so the last chord's
#           release and the reverb tail sound under the first chord when the track restarts.
#   01.wav  start of the opening animation: a rising bell arpeggio over a swelling D major chord;
#           the background music follows it in the same key.
#   02.wav  menu buttons and page changes: a soft, short swish with an upward glide.
#   03.wav  click on the logo: two bright bell strikes a fifth apart.
#   04.wav  buttons, check boxes and radio buttons: a short, dry tick.
#
# Runs are repeatable: sox -R seeds its noise and dither generators with a fixed value and lame
# is deterministic, so the same tools produce the same files.
set -euo pipefail
cd "$(dirname "$0")/.."

out=modules/media
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

rate=44100
# Intermediate files are 32-bit float, so mixing and gain changes lose nothing before the end.
float=(-r "$rate" -e floating-point -b 32)

# tone FILE CHANNELS SECONDS START WAVE FREQ GAIN ATTACK RELEASE [FADE_TYPE]
# One enveloped oscillator, delayed by START seconds. With two channels the right one is detuned
# by four cents, which widens the sound like a slow chorus.
tone() {
  local file=$1 channels=$2 seconds=$3 start=$4 wave=$5 freq=$6 gain=$7 attack=$8 release=$9
  local shape=${10:-h}
  local voices=("$wave" "$freq")
  if [ "$channels" -eq 2 ]; then
    voices+=("$wave" "$(echo "$freq * 1.0025" | bc -l)")
  fi
  sox -R -n "${float[@]}" -c "$channels" "$file" synth "$seconds" "${voices[@]}" \
    fade "$shape" "$attack" "$seconds" "$release" vol "$gain" pad "$start"
}

# bell FILE CHANNELS START FREQ GAIN DECAY
# A struck bell: the fundamental and two quieter overtones, each dying away exponentially.
bell() {
  local file=$1 channels=$2 start=$3 freq=$4 gain=$5 decay=$6
  tone "$file.1.wav" "$channels" "$decay" "$start" sine "$freq" "$gain" 0.004 "$decay" l
  tone "$file.2.wav" "$channels" "$(echo "$decay * 0.5" | bc -l)" "$start" sine \
    "$(echo "$freq * 2" | bc -l)" "$(echo "$gain * 0.25" | bc -l)" 0.003 \
    "$(echo "$decay * 0.5" | bc -l)" l
  tone "$file.3.wav" "$channels" "$(echo "$decay * 0.25" | bc -l)" "$start" sine \
    "$(echo "$freq * 3.01" | bc -l)" "$(echo "$gain * 0.1" | bc -l)" 0.002 \
    "$(echo "$decay * 0.25" | bc -l)" l
  mix "$file" "$file".[123].wav
}

# mix OUT IN... — sums the inputs at their own levels (sox would otherwise scale each by 1/n).
mix() {
  local target=$1
  shift
  if [ "$#" -eq 1 ]; then
    cp "$1" "$target"
    return
  fi
  local args=()
  for f in "$@"; do
    args+=(-v 1 "$f")
  done
  sox -R -m "${args[@]}" "$target"
}

# fit IN OUT SECONDS — pads IN with silence or cuts it to exactly SECONDS. Kept apart from the
# reverb so that sox, which runs reverb once per channel, sees the padding only once.
fit() {
  local have want
  have=$(soxi -s "$1")
  want=$(echo "$3 * $rate / 1" | bc)
  if [ "$have" -lt "$want" ]; then
    sox "$1" "$2" pad 0 "$((want - have))s"
  else
    sox "$1" "$2" trim 0 "${want}s"
  fi
}

# level FILE — the RMS level of FILE in dBFS, all channels together.
level() {
  sox "$1" -n stats 2>&1 | awk '/^RMS lev dB/ { print $4 }'
}

# finish IN OUT RMS_DB — brings IN to the given RMS level and writes 16-bit PCM.
finish() {
  local rms
  rms=$(level "$1")
  sox -R "$1" -r "$rate" -e signed-integer -b 16 "$2" gain "$(echo "$3 - ($rms)" | bc -l)"
}

# Note frequencies (equal temperament, A4 = 440 Hz).
declare -A hz=(
  [G2]=98.00 [A2]=110.00 [B2]=123.47 [D3]=146.83 [E3]=164.81 [Fs3]=185.00 [A3]=220.00
  [B3]=246.94 [Cs4]=277.18 [D4]=293.66 [E4]=329.63 [Fs4]=369.99 [A4]=440.00 [B4]=493.88
  [Cs5]=554.37 [D5]=587.33 [E5]=659.26 [Fs5]=739.99 [A5]=880.00 [B5]=987.77 [E6]=1318.51
)

# --- 00.mp3: background loop ---------------------------------------------------------------
make_background() {
  local bar=8 bars=4 release=4 tail=8
  local loop=$((bar * bars))
  local chords=(
    "D3 A3 Cs4 E4 Fs4"   # Dmaj9
    "B2 Fs3 A3 D4 E4"    # Bm11
    "G2 D3 Fs3 A3 B3"    # Gmaj9
    "A2 E3 B3 Cs4 Fs4"   # A6/9
  )
  # One bell note list per bar: "seconds-into-bar:note".
  local melody=(
    "1.0:Fs5 3.0:E5 4.5:A5 6.5:E5"
    "1.0:D5 3.0:B4 5.0:Fs5"
    "1.0:B4 2.5:D5 4.0:E5 6.0:Fs5"
    "1.5:E5 3.5:Cs5 5.5:A4"
  )
  local parts=() i n start
  for i in "${!chords[@]}"; do
    start=$((i * bar))
    n=0
    for note in ${chords[$i]}; do
      # Sine for the body, a quiet triangle an octave up for some air.
      tone "$work/pad$i.$n.s.wav" 2 $((bar + release)) "$start" sine "${hz[$note]}" 0.06 3 "$release"
      tone "$work/pad$i.$n.t.wav" 2 $((bar + release)) "$start" triangle \
        "$(echo "${hz[$note]} * 2" | bc -l)" 0.008 3.5 "$release"
      parts+=("$work/pad$i.$n.s.wav" "$work/pad$i.$n.t.wav")
      n=$((n + 1))
    done
    n=0
    for hit in ${melody[$i]}; do
      bell "$work/bell$i.$n.wav" 2 "$(echo "$start + ${hit%%:*}" | bc -l)" "${hz[${hit##*:}]}" 0.06 3
      parts+=("$work/bell$i.$n.wav")
      n=$((n + 1))
    done
  done
  mix "$work/bg_dry.wav" "${parts[@]}"
  # Room and a gentle high cut; the result runs past the loop end by the release and reverb tail.
  fit "$work/bg_dry.wav" "$work/bg_padded.wav" $((loop + tail))
  sox "$work/bg_padded.wav" "$work/bg_long.wav" lowpass 2600 reverb 70 60 100 100 20 \
    echo 0.8 0.7 420 0.25 trim 0 $((loop + tail))
  # Fold everything after the loop end back onto its start: the track then equals one period of
  # the endlessly repeated pattern, and the restart continues the sound instead of cutting it.
  local samples=$((loop * rate))
  sox "$work/bg_long.wav" "$work/bg_head.wav" trim 0 "${samples}s"
  sox "$work/bg_long.wav" "$work/bg_tail.wav" trim "${samples}s"
  mix "$work/bg_loop.wav" "$work/bg_head.wav" "$work/bg_tail.wav"
  # The player needs a moment to restart; 30 ms fades turn that gap into a dip, not a click.
  sox -R "$work/bg_loop.wav" "$work/bg_faded.wav" fade t 0.03 "${samples}s" 0.03
  finish "$work/bg_faded.wav" "$work/00.wav" -31
  lame --quiet --noreplaygain --resample 44.1 -b 96 -q 2 --id3v2-only --tt "Background" \
    "$work/00.wav" "$out/00.mp3"
}

# --- 01.wav: opening ----------------------------------------------------------------------
make_opening() {
  local parts=() n=0 note
  for note in D4 Fs4 A4 D5 Fs5; do
    bell "$work/open_bell$n.wav" 1 "$(echo "$n * 0.11" | bc -l)" "${hz[$note]}" 0.22 1.4
    parts+=("$work/open_bell$n.wav")
    n=$((n + 1))
  done
  for note in D3 A3 D4 Fs4 A4; do
    tone "$work/open_pad$note.wav" 1 1.9 0 sine "${hz[$note]}" 0.12 0.6 1.3
    parts+=("$work/open_pad$note.wav")
  done
  # A breath of noise rising under the arpeggio.
  sox -R -n "${float[@]}" -c 1 "$work/open_air.wav" synth 0.9 pinknoise \
    vol 0.05 sinc 400-3000 fade q 0.6 0.9 0.3
  parts+=("$work/open_air.wav")
  mix "$work/open_dry.wav" "${parts[@]}"
  fit "$work/open_dry.wav" "$work/open_padded.wav" 2
  sox "$work/open_padded.wav" "$work/open_wet.wav" reverb 50 50 60 fade t 0 2 0.4
  finish "$work/open_wet.wav" "$out/01.wav" -21
}

# --- 02.wav: menu and page change ---------------------------------------------------------
make_swish() {
  sox -R -n "${float[@]}" -c 1 "$work/swish_air.wav" synth 0.22 pinknoise \
    vol 0.3 sinc 1500-6000 fade h 0.06 0.22 0.16
  sox -R -n "${float[@]}" -c 1 "$work/swish_glide.wav" synth 0.16 sine 620:930 \
    fade h 0.01 0.16 0.14 vol 0.25
  mix "$work/swish_dry.wav" "$work/swish_air.wav" "$work/swish_glide.wav"
  fit "$work/swish_dry.wav" "$work/swish_padded.wav" 0.3
  sox "$work/swish_padded.wav" "$work/swish.wav" reverb 30 50 30 fade t 0 0.3 0.08
  finish "$work/swish.wav" "$out/02.wav" -22
}

# --- 03.wav: logo -------------------------------------------------------------------------
make_ding() {
  bell "$work/ding1.wav" 1 0 "${hz[A5]}" 0.4 0.8
  bell "$work/ding2.wav" 1 0.09 "${hz[E6]}" 0.35 0.7
  mix "$work/ding_dry.wav" "$work/ding1.wav" "$work/ding2.wav"
  fit "$work/ding_dry.wav" "$work/ding_padded.wav" 0.8
  sox "$work/ding_padded.wav" "$work/ding.wav" reverb 40 50 40 fade t 0 0.8 0.15
  finish "$work/ding.wav" "$out/03.wav" -20
}

# --- 04.wav: click ------------------------------------------------------------------------
make_tick() {
  tone "$work/tick_body.wav" 1 0.045 0 sine 2200 0.5 0.001 0.044 l
  sox -R -n "${float[@]}" -c 1 "$work/tick_snap.wav" synth 0.006 whitenoise \
    vol 0.3 highpass 3000 fade t 0 0.006 0.005
  mix "$work/tick_dry.wav" "$work/tick_body.wav" "$work/tick_snap.wav"
  fit "$work/tick_dry.wav" "$work/tick.wav" 0.06
  finish "$work/tick.wav" "$out/04.wav" -25
}

make_background
make_opening
make_swish
make_ding
make_tick

# Report what was made, and refuse a result that comes near full scale.
for f in "$out"/00.mp3 "$out"/0[1-4].wav; do
  printf '%s: %s s, ' "$f" "$(soxi -D "$f")"
  sox "$f" -n stats 2>&1 | awk '/^Pk lev dB/ { pk = $4 } /^RMS lev dB/ { rms = $4 }
    END { printf "peak %s dBFS, RMS %s dBFS\n", pk, rms; exit (pk > -1) }' || {
    echo "make_sounds: $f peaks above -1 dBFS" >&2
    exit 1
  }
done
