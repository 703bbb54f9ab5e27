# Writes 8-bit RGB PNG files (no alpha channel: transparency is the magenta key colour) with the
# standard library only, so the generator needs nothing beyond Python 3.
import struct
import zlib


def _chunk(kind, payload):
    body = kind + payload
    return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(width, height, pixels):
    """pixels: width * height integers 0xRRGGBB, rows top to bottom."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # filter: none
        for p in pixels[y * width:(y + 1) * width]:
            raw += bytes(((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit truecolour
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            _chunk(b"IEND", b""))
