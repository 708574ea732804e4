"""Whether an xwd snapshot of the palette shows it painted: most of it in
the palette's blue, as a window that has drawn itself is, and not what lay
beneath it.
   palette_painted.py SNAPSHOT"""
import struct
import sys

PALETTE_BLUE = (0x00, 0x80, 0xFF)

with open(sys.argv[1], "rb") as f:
    data = f.read()
fields = struct.unpack(">25I", data[:100])
header_size, width, height = fields[0], fields[4], fields[5]
byte_order, bits_per_pixel, bytes_per_line, ncolors = fields[7], fields[11], fields[12], fields[19]
if bits_per_pixel != 32:
    sys.exit(f"unexpected {bits_per_pixel} bits a pixel")
pixels = data[header_size + 12 * ncolors:]
blue = 0
for y in range(height):
    row = pixels[y * bytes_per_line:y * bytes_per_line + 4 * width]
    for x in range(width):
        b0, b1, b2, b3 = row[4 * x:4 * x + 4]
        rgb = (b2, b1, b0) if byte_order == 0 else (b1, b2, b3)
        blue += rgb == PALETTE_BLUE
share = blue / (width * height)
sys.exit(0 if share >= 0.2 else f"only {share:.0%} of the palette is its blue")
