#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets into fuzz/corpus/<target>/."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def bmp(width, height, bits, rows, palette=b"", compression=0, colours_used=0,
        offset=None, masks=b""):
    """A BMP file with the 40-byte information header, built field by field."""
    start = 54 + len(masks) + len(palette)
    offset = start if offset is None else offset
    gap = b"\0" * max(0, offset - start)
    body = masks + palette + gap + rows
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(rows),
                       2835, 2835, colours_used, 0)
    head = b"BM" + struct.pack("<IHHI", 14 + len(info) + len(body), 0, 0, offset)
    return head + info + body


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def bmp_seeds():
    def rgb(w, h):
        return b"".join(padded(b"".join(bytes((x * 40 % 256, y * 60 % 256, 200))
                                        for x in range(w))) for y in range(h))

    palette = b"".join(bytes((i, 255 - i, i // 2, 0)) for i in range(4))
    eight = b"".join(padded(bytes((x + y) % 5 for x in range(5))) for y in range(3))
    argb = b"".join(bytes((x * 50, y * 50, 90, 255 - x)) for y in range(2) for x in range(2))
    masks = struct.pack("<III", 0x00FF0000, 0x0000FF00, 0x000000FF)
    return {
        "rgb24_3x2.bmp": bmp(3, 2, 24, rgb(3, 2)),
        "rgb24_topdown_2x3.bmp": bmp(2, -3, 24, rgb(2, 3)),
        "pal8_5x3.bmp": bmp(5, 3, 8, eight, palette, colours_used=4),
        "pal8_full_1x1.bmp": bmp(1, 1, 8, padded(b"\x07"),
                                 b"".join(bytes((i, i, i, 0)) for i in range(256))),
        "bgra32_2x2.bmp": bmp(2, 2, 32, argb),
        "bitfields32_2x2.bmp": bmp(2, 2, 32, argb, compression=3, masks=masks),
        "background_gap_4x2.bmp": bmp(4, 2, 24, rgb(4, 2), offset=70),
    }


def fdp_string(s):
    """A string as FuzzedDataProvider::ConsumeRandomLengthString reads it back."""
    return s.replace(b"\\", b"\\\\") + b"\\ "


SETTINGS = (b"[Zudadudu Settings]\nShow Water=1\nShow Light=1\nShow Terra=1\nFRONT GUDING=1\n"
            b"FRONTCOLOR=16777215\nYINLIANG=32767.5\nQIPAONUM=100\nBACKGROUND=0\nFOGNONGDU=25\n"
            b"LIGHTQIANGDU=0\nCHECK VIEWS=1\n[Fish Number]\n" +
            b"".join(b"Fish%d=%d\n" % (i, i + 1) for i in range(10)) +
            b"[Custom Images]\nImageNum=1\nImageList0=/home/u/My Pictures/\xc3\xa9t\xc3\xa9.jpg\n")


def profile_seeds():
    return {
        "write_existing": fdp_string(b"Zudadudu Settings") + fdp_string(b"QIPAONUM") +
        fdp_string(b"50") + SETTINGS,
        "write_new_section": fdp_string(b"Custom Settings") + fdp_string(b"MusicNum") +
        fdp_string(b"3") + b"[a]\r\nk=v\r\nk=w\r\n",
        "write_empty_file": fdp_string(b"S") + fdp_string(b"K") + fdp_string(b"x" * 150),
        "quoted_and_comments": fdp_string(b"s") + fdp_string(b"k") + fdp_string(b"v") +
        b"; comment\n[s]\nk = \"  spaced  \"\n# other\n[s]\nk=second\n",
    }


def unpack_seeds():
    seeds = {}
    for name, rid, music in (("skin0", 10000, 0), ("background", 154, 0), ("music", 227, 1),
                             ("absent", 4242, 0), ("negative", -1, 0)):
        seeds[name] = struct.pack("<hB", rid, music) + bytes(range(0, 256, 7))
    return seeds


def settings_seeds():
    return {
        "full.ini": SETTINGS,
        "crlf.ini": SETTINGS.replace(b"\n", b"\r\n"),
        "duplicates.ini": b"[Fish Number]\nFish0=\nFish0=7\nFish1=250\nFish2=-4\n"
        b"[Zudadudu Settings]\nFOGNONGDU=99\nFOGNONGDU=3\nLIGHTQIANGDU=4294967296\n",
        "empty.ini": b"",
        "garbage.ini": bytes((i * 37 + 11) % 256 for i in range(300)),
    }


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus")
    for target, seeds in (("fuzz_bmp", bmp_seeds()), ("fuzz_profile", profile_seeds()),
                          ("fuzz_unpack", unpack_seeds()),
                          ("fuzz_settings_startup", settings_seeds())):
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
