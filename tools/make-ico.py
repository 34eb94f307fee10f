#!/usr/bin/env python3
"""Packs the program's PNG icons into one Windows .ico (PNG-compressed entries,
which Windows reads since Vista) for the .exe's resource:
    python3 tools/make-ico.py resources/icons/chainforge.ico resources/icons/chainforge-{16,32,48,64,128,256}.png
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG file")
    return struct.unpack(">II", data[16:24])


def main(out, pngs):
    images = [open(p, "rb").read() for p in pngs]
    offset = 6 + 16 * len(images)
    header = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    for data in images:
        width, height = png_size(data)
        # 256 is written as 0 in the one-byte fields
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
