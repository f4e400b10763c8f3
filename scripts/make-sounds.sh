#!/usr/bin/env bash
# Makes the program's two wave files in assets/ with sox: "Exhaust.wav", a short steam chuff
# (a burst of filtered noise that dies away), and "Error.wav", a short two-tone warning.
set -euo pipefail
out=$(cd "$(dirname "$0")/../assets" && pwd)
sox -n -r 22050 -c 1 -b 16 "$out/Exhaust.wav" synth 0.28 pinknoise \
    highpass 250 lowpass 3500 fade q 0.005 0.28 0.24 gain -n -3
sox -n -r 22050 -c 1 -b 16 "$out/Error.wav" synth 0.12 sine 880 : synth 0.14 sine 660 \
    fade q 0.005 0.14 0.03 gain -n -6
