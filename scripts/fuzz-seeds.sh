#!/usr/bin/env bash
# Makes small seed inputs for the fuzz harnesses from the generated data.dat:
#   scripts/fuzz-seeds.sh BIN_DIR SEED_DIR
# BIN_DIR holds datpack and data.dat; SEED_DIR gets one folder per harness (archive, load_3ds,
# load_bitmap, mp3_decoder, sequence). Only small files are taken, so the fuzzers stay quick.
set -euo pipefail
bin=$1
seeds=$2
rm -rf "$seeds"
mkdir -p "$seeds"/{archive,load_3ds,load_bitmap,mp3_decoder,sequence,unpacked}
"$bin/datpack" extract "$bin/data.dat" "$seeds/unpacked" >/dev/null

cp "$seeds"/unpacked/{lineatubo6,pathcam2,coet}.3ds "$seeds/load_3ds/"
cp "$seeds"/unpacked/{pal,coet}.bmp "$seeds/load_bitmap/"
# The same textures as ImageMagick writes them by default, with 124-byte headers, where it is here.
if convert -version 2>/dev/null | grep -q ImageMagick; then
  for name in pal coet; do
    convert "$seeds/unpacked/$name.bmp" "$seeds/load_bitmap/$name-v5.bmp"
  done
fi
head -c 240 "$seeds/unpacked/seq1.dat" >"$seeds/sequence/seq1-head.dat"
"$bin/datpack" create "$seeds/archive/small.dat" "$seeds/unpacked/pathcam2.3ds" \
  "$seeds/unpacked/pal.bmp" "$seeds/sequence/seq1-head.dat" >/dev/null
# A quarter of a second of tone, in two of the formats the decoder must take.
ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:duration=0.25" -ac 2 -ar 44100 -b:a 128k \
  "$seeds/mp3_decoder/tone-44k-stereo.mp3"
ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=220:duration=0.25" -ac 1 -ar 22050 -b:a 32k \
  "$seeds/mp3_decoder/tone-22k-mono.mp3"
rm -rf "$seeds/unpacked"
