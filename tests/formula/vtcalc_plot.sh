#!/bin/sh
# The demo's trend chart, rendered by a real SVG renderer (rsvg-convert): the
# SVG must render, and the PNG (kept as WORKDIR/pumpe.png) must show every
# series' colour as drawn pixels, the legend's and the lines' together.
#   usage: vtcalc_plot.sh WORKDIR VTCALC
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1 vtcalc=$2
mkdir -p "$work"
. "$root/examples/main_job.sh"
main_job "$vtcalc" "$root/examples/pumpe.csv" "$work/pumpe.svg" >"$work/pumpe.csv"
rsvg-convert --background-color=white -o "$work/pumpe.png" "$work/pumpe.svg"
python3 - "$work/pumpe.svg" "$work/pumpe.png" <<'PY'
import re, struct, sys, zlib

svg = open(sys.argv[1]).read()
# The colour of each series: its line or step path.
colours = re.findall(r'<(?:polyline|path) [^>]*stroke="#([0-9a-f]{6})"', svg)
series = 4  # three results and one signal
assert len(set(colours)) == series, f"{len(set(colours))} series drawn, {series} wanted"

# PNG decoding (8-bit RGB or RGBA, not interlaced): the renderer's pixels.
data = open(sys.argv[2], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "no PNG"
pos, idat = 8, b""
while pos < len(data):
    n, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    if kind == b"IHDR":
        width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
    elif kind == b"IDAT":
        idat += body
    pos += 12 + n
assert depth == 8 and ctype in (2, 6) and interlace == 0, "unexpected PNG form"
bpp = 4 if ctype == 6 else 3
raw, stride = zlib.decompress(idat), width * bpp
rows, prev = [], bytearray(stride)
for y in range(height):
    f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line

counts = {c: 0 for c in colours}
for line in rows:
    for x in range(0, stride, bpp):
        px = line[x:x + 3]
        for c in counts:
            want = bytes.fromhex(c)
            if all(abs(px[k] - want[k]) <= 24 for k in range(3)):
                counts[c] += 1
for c, n in counts.items():
    # The legend's swatch alone is 24 x 4 pixels; a line adds far more.
    assert n > 150, f"colour #{c}: {n} pixels"
print(f"{width}x{height} PNG; pixels per series colour:", counts)
PY
