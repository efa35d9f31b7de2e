#!/usr/bin/env python3
"""Draws the program's pictures: the strip of five 16x16 action pictures (a 24-bit BMP whose
magenta pixels are transparent) and the program icon (16x16 and 32x32). Run it after
changing a picture; its outputs are committed under app/res/."""
import struct
import sys

MAGENTA = (255, 0, 255)


class Canvas:
    def __init__(self, w, h, background=None):
        self.w, self.h = w, h
        self.px = [[background for _ in range(w)] for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill=None, outline=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                c = outline if edge and outline else fill
                if c:
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c, thick=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            x = round(x0 + (x1 - x0) * i / n)
            y = round(y0 + (y1 - y0) * i / n)
            for dx in range(thick):
                for dy in range(thick):
                    self.put(x + dx, y + dy, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                if other.px[y][x]:
                    self.put(ox + x, oy + y, other.px[y][x])


def document(c, x, y, w=9, h=12, paper=(255, 255, 255), ink=(60, 60, 60)):
    c.rect(x, y, x + w - 1, y + h - 1, fill=paper, outline=ink)
    for k in range(2, h - 2, 2):
        c.line(x + 2, y + k, x + w - 3, y + k, (120, 140, 200))


def folder(c):
    c.rect(1, 3, 6, 5, fill=(240, 200, 80), outline=(150, 110, 20))
    c.rect(1, 5, 13, 13, fill=(250, 215, 100), outline=(150, 110, 20))


def add_folder():
    c = Canvas(16, 16)
    folder(c)
    c.rect(10, 8, 12, 15, fill=(30, 150, 40))
    c.rect(7, 10, 15, 12, fill=(30, 150, 40))
    return c


def crossed_document(doc_x, cross_x0, cross_y0, colour):
    """A document struck through by a cross from (cross_x0, cross_y0) to (14, 15)."""
    c = Canvas(16, 16)
    document(c, doc_x, 1, 10, 14)
    c.line(cross_x0, cross_y0, 14, 15, colour, 2)
    c.line(14, cross_y0, cross_x0, 15, colour, 2)
    return c


def clear_list():
    return crossed_document(2, 5, 6, (200, 30, 30))


def compare():
    c = Canvas(16, 16)
    document(c, 0, 1, 7, 11)
    document(c, 9, 1, 7, 11)
    c.rect(4, 13, 11, 13, fill=(30, 100, 200))
    c.rect(4, 15, 11, 15, fill=(30, 100, 200))
    return c


def delete_file():
    return crossed_document(1, 7, 8, (210, 20, 20))


def exit_door():
    c = Canvas(16, 16)
    c.rect(2, 1, 10, 14, fill=(170, 110, 60), outline=(90, 50, 20))
    c.put(8, 8, (250, 230, 120))
    c.line(9, 8, 15, 8, (30, 150, 40), 2)
    c.line(12, 5, 15, 8, (30, 150, 40), 2)
    c.line(12, 11, 15, 8, (30, 150, 40), 2)
    return c


def program_icon(size):
    c = Canvas(size, size)
    s = size / 32
    def sc(v):
        return round(v * s)
    for ox, oy, paper in ((2, 2, (235, 240, 255)), (12, 8, (255, 255, 255))):
        c.rect(sc(ox), sc(oy), sc(ox + 17), sc(oy + 21), fill=paper, outline=(40, 60, 120))
        for k in range(4, 20, 3):
            c.line(sc(ox + 3), sc(oy + k), sc(ox + 14), sc(oy + k), (90, 130, 220))
    c.rect(sc(4), sc(26), sc(10), sc(27), fill=(30, 150, 40))
    c.rect(sc(4), sc(29), sc(10), sc(30), fill=(30, 150, 40))
    return c


def bmp_bytes(c, background):
    row_size = (c.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(c.h)):
        row = bytearray()
        for x in range(c.w):
            r, g, b = c.px[y][x] or background
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def icon_image(c):
    """One 32-bit image of an icon file: BITMAPINFOHEADER (double height), BGRA, AND mask."""
    xor = bytearray()
    for y in reversed(range(c.h)):
        for x in range(c.w):
            p = c.px[y][x]
            xor += bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
    mask_row = ((c.w + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(c.h)):
        bits = bytearray(mask_row)
        for x in range(c.w):
            if not c.px[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def ico_bytes(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for c in images:
        blob = icon_image(c)
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main(folder_out):
    strip = Canvas(80, 16)
    for i, draw in enumerate((add_folder, clear_list, compare, delete_file, exit_door)):
        strip.blit(draw(), i * 16, 0)
    with open(f"{folder_out}/actions.bmp", "wb") as f:
        f.write(bmp_bytes(strip, MAGENTA))
    with open(f"{folder_out}/Twinseek.ico", "wb") as f:
        f.write(ico_bytes([program_icon(16), program_icon(32)]))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/res")
