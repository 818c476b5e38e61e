#!/bin/sh
# Rebuilds all shipped data (data/dlls, demo/Half-Life) and checks it, data/help included.
# Run from anywhere: sh tools/data/gen_all.sh
# Needs: python3, imagemagick, fonts-dejavu-core, espeak-ng, sox.
set -e
here=$(dirname "$0")
python3 "$here/gen_reference.py"
python3 "$here/gen_pictures.py"
python3 "$here/gen_demo.py"
python3 "$here/check_data.py"
