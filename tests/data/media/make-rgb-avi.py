#!/usr/bin/env python3
"""Writes the uncompressed RGB AVI samples that no encoder here writes (GStreamer's AVI muxer takes
24- and 32-bit RGB only), laid out as Video for Windows wrote them: a RIFF "AVI " file with the
header list (main header, a stream list per stream: stream header and format), the "movi" list
of chunks ("00db" for an uncompressed picture, "01wb" for sound) and the "idx1" index. Every
picture shows three bands, red, green and blue from the top down, so that a wrong colour order
or a picture upside down shows at once. Run it in this folder.
"""
import math
import struct

WIDTH, HEIGHT, PICTURES, RATE = 33, 24, 4, 10
BANDS = [(255, 0, 0), (0, 255, 0), (0, 0, 255)]


def chunk(kind, data):
    return kind + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def listing(kind, body):
    return b"LIST" + struct.pack("<I", len(body) + 4) + kind + body


def pixel(colour, bits, masks):
    r, g, b = colour
    if bits == 24:
        return bytes((b, g, r))
    if masks:  # 5-6-5
        return struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)
    return struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)  # 5-5-5


def picture(bits, masks, top_down):
    """One picture's rows, each padded to four bytes, the bottom row first unless top-down."""
    stride = (WIDTH * bits // 8 + 3) & ~3
    rows = []
    for y in range(HEIGHT):
        row = pixel(BANDS[y * len(BANDS) // HEIGHT], bits, masks) * WIDTH
        rows.append(row + b"\0" * (stride - len(row)))
    return b"".join(rows if top_down else reversed(rows))


def write(path, bits, handler=b"DIB ", masks=False, top_down=False, sound=False):
    frame = picture(bits, masks, top_down)
    samples = 11025 // RATE  # 8-bit mono at 11025 Hz: a tone of 440 Hz under each picture
    streams = 2 if sound else 1
    # avih: microseconds a picture, bytes a second, padding, flags (has an index), pictures,
    # initial pictures, streams, buffer size, width, height, four reserved words.
    avih = struct.pack("<14I", 1000000 // RATE, len(frame) * RATE, 0, 0x10, PICTURES, 0, streams, len(frame),
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    # strh: type, handler, flags, priority, language, initial frames, scale, rate, start,
    # length, buffer size, quality, sample size, frame rectangle.
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", handler, 0, 0, 0, 0, 1, RATE, 0, PICTURES, len(frame),
                       0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    # strf: BITMAPINFOHEADER (size, width, height, planes, bit count, compression, image size,
    # resolutions, colours), and the masks after it for BI_BITFIELDS.
    compression = 3 if masks else 0
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, -HEIGHT if top_down else HEIGHT, 1, bits, compression,
                       len(frame), 0, 0, 0, 0)
    if masks:
        strf += struct.pack("<3I", 0xF800, 0x07E0, 0x001F)
    streams_list = listing(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    if sound:
        ash = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"auds", b"\0\0\0\0", 0, 0, 0, 0, 1, 11025, 0,
                          samples * PICTURES, samples, 0xFFFFFFFF, 1, 0, 0, 0, 0)
        # WAVEFORMATEX: PCM, one channel, 11025 samples a second, bytes a second, block
        # alignment, bits a sample.
        asf = struct.pack("<HHIIHH", 1, 1, 11025, 11025, 1, 8)
        streams_list += listing(b"strl", chunk(b"strh", ash) + chunk(b"strf", asf))
    header = listing(b"hdrl", chunk(b"avih", avih) + streams_list)

    movi, index, offset = b"", b"", 4
    for number in range(PICTURES):
        parts = [(b"00db", frame)]
        if sound:
            start = number * samples
            tone = bytes(128 + int(100 * math.sin(2 * math.pi * 440 * (start + i) / 11025)) for i in range(samples))
            parts.append((b"01wb", tone))
        for kind, data in parts:
            # idx1 entry: chunk id, flags (a key frame), offset from "movi", length.
            index += kind + struct.pack("<III", 0x10, offset, len(data))
            movi += chunk(kind, data)
            offset += 8 + len(data) + len(data) % 2
    body = b"AVI " + header + listing(b"movi", movi) + chunk(b"idx1", index)
    with open(path, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)


# 5-5-5 pixels with sound, as a capture card wrote them; 5-5-5 stored from the top down (a
# negative height, as later muxers write); 5-6-5 pixels with their masks; and 24-bit pixels whose
# stream header names a codec that the format does not use.
write("rgb16.avi", 16, sound=True)
write("rgb16-topdown.avi", 16, handler=b"\0\0\0\0", top_down=True)
write("rgb16-565.avi", 16, handler=b"\0\0\0\0", masks=True)
write("rgb24-handler.avi", 24, handler=b"MSVC")
