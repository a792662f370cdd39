# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the drawing scripts: sets $im to ImageMagick's command (7's
# magick, 6's convert). A plain `convert` comes last, as some systems put
# another program of that name first on the PATH.
im=""
for candidate in magick convert-im6.q16 convert; do
    if command -v "$candidate" >/dev/null; then im=$candidate; break; fi
done
[ -n "$im" ] || { echo "ImageMagick is missing" >&2; exit 1; }
