#!/usr/bin/env bash
# Regenerates the editor's background, save-button and icon pictures.
# Everything is drawn from plain shapes and gradients, so the output is
# the same on every run.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/app/resources"
mkdir -p "$out"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

deep='#0a1a38'
teal='#0e5058'
mist='rgb(160,225,235)'

# Baseline JPEGs without metadata decode everywhere, even in simple
# decoders, and keep the output byte-identical between runs.
jpeg_opts=(-strip -interlace none -sampling-factor 4:2:0 -depth 8 -colorspace sRGB -type TrueColor)

# Background: the left side and the top stay darkest, because light text
# sits there; the faint circles and waves live towards the lower right.
convert -size 1024x768 -define gradient:angle=135 "gradient:${deep}-${teal}" \
    "$work/bg-base.png"

convert -size 1024x768 xc:black \
    \( -size 900x900 radial-gradient:white-black -sigmoidal-contrast 5,50% \
       +level-colors 'black,rgb(20,62,72)' \) \
    -geometry +370+150 -compose over -composite "$work/bg-glow.png"

# The shapes are painted as a grey mask and blurred, so their edges fade
# softly instead of showing dark fringes.
convert -size 1024x768 xc:black \
    -fill 'rgba(255,255,255,0.06)' -stroke none \
    -draw 'circle 830,570 830,330' \
    -draw 'circle 600,700 600,590' \
    -draw 'circle 950,170 950,80' \
    -blur 0x5 \
    "$work/bg-circles.png"

# ImageMagick 6 strokes a closing segment back to the start of an open
# path, so each wave is drawn out and then retraced to its start.
convert -size 1024x768 xc:black -fill none \
    -stroke 'rgba(255,255,255,0.16)' -strokewidth 3 \
    -draw 'path "M 260,720 C 460,640 620,780 820,690 C 960,628 1040,650 1120,620 C 1040,650 960,628 820,690 C 620,780 460,640 260,720"' \
    -stroke 'rgba(255,255,255,0.10)' -strokewidth 2 \
    -draw 'path "M 340,752 C 540,684 700,806 890,728 C 1000,684 1060,700 1120,676 C 1060,700 1000,684 890,728 C 700,806 540,684 340,752"' \
    -blur 0x1.5 \
    "$work/bg-waves.png"

convert "$work/bg-circles.png" "$work/bg-waves.png" -compose plus -composite \
    "$work/bg-mask.png"

convert -size 1024x768 xc:"$mist" "$work/bg-mask.png" \
    -alpha off -compose copy_opacity -composite "$work/bg-shapes.png"

convert "$work/bg-base.png" \
    "$work/bg-glow.png" -compose screen -composite \
    "$work/bg-shapes.png" -compose over -composite \
    "${jpeg_opts[@]}" -quality 85 "$out/BackgroundPicture.jpg"

# Save symbol: a downward arrow dropping into an open tray, on the grey of
# the button face so the picture blends into it.
convert -size 80x80 xc:'#c0c0c0' \
    -fill '#2a5d78' -stroke none \
    -draw 'roundrectangle 34,10 46,38 3,3' \
    -draw 'polygon 21,34 59,34 40,55' \
    -fill '#1d4660' \
    -draw 'roundrectangle 14,47 21,69 2,2' \
    -draw 'roundrectangle 59,47 66,69 2,2' \
    -draw 'roundrectangle 14,62 66,69 2,2' \
    "${jpeg_opts[@]}" -quality 92 "$out/SaveButtonPicture.jpg"

# Icon: the background's gradient with a light ring and a wave, kept
# opaque because the file carries no alpha channel.
convert -size 64x64 -define gradient:angle=135 "gradient:${deep}-${teal}" \
    -fill none -stroke '#c0ffff' -strokewidth 4 \
    -draw 'circle 32,32 32,10' \
    -stroke '#7fd3da' -strokewidth 3 \
    -draw 'path "M 18,35 C 24,27 29,43 35,35 C 39,30 43,31 46,34 C 43,31 39,30 35,35 C 29,43 24,27 18,35"' \
    -alpha off -depth 8 -strip "PNG24:$out/AppIcon.png"
