#!/usr/bin/python3
# Draws the mask shapes offered by the image mask chooser into
# resources/image_masks: white where the photo shows, transparent elsewhere.
import math, os, struct, sys, zlib

SIZE = 200

def png(path, inside):
    rows = bytearray()
    for y in range(SIZE):
        rows.append(0)
        for x in range(SIZE):
            # 4x4 samples per pixel for smooth edges.
            hits = sum(inside((x + (i + 0.5) / 4) / SIZE * 2 - 1, (y + (j + 0.5) / 4) / SIZE * 2 - 1)
                       for i in range(4) for j in range(4))
            rows += bytes((255, 255, 255, hits * 255 // 16))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))

def polygon(n, r=0.95, turn=-math.pi / 2):
    pts = [(r * math.cos(turn + 2 * math.pi * k / n), r * math.sin(turn + 2 * math.pi * k / n)) for k in range(n)]
    return inside_polygon(pts)

def inside_polygon(pts):
    def f(x, y):
        c = False
        for (x1, y1), (x2, y2) in zip(pts, pts[1:] + pts[:1]):
            if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                c = not c
        return c
    return f

def star(points=5, outer=0.95, inner=0.42):
    pts = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        a = -math.pi / 2 + math.pi * k / points
        pts.append((r * math.cos(a), r * math.sin(a)))
    return inside_polygon(pts)

def heart(x, y):
    x, y = x * 1.25, -y * 1.25 + 0.25
    return (x * x + y * y - 1) ** 3 - x * x * y ** 3 <= 0

def rounded(x, y, r=0.3, h=0.95):
    dx, dy = max(abs(x) - (h - r), 0), max(abs(y) - (h - r), 0)
    return dx * dx + dy * dy <= r * r

SHAPES = {
    "circle4.png": lambda x, y: x * x + y * y <= 0.95 ** 2,
    "ellipse.png": lambda x, y: (x / 0.95) ** 2 + (y / 0.65) ** 2 <= 1,
    "rounded_square.png": rounded,
    "diamond.png": lambda x, y: abs(x) + abs(y) <= 0.95,
    "triangle.png": polygon(3, 1.0, -math.pi / 2),
    "star.png": star(),
    "heart.png": heart,
    "hexagon.png": polygon(6, 0.95, 0),
    "octagon.png": polygon(8, 0.95, math.pi / 8),
    "cross.png": lambda x, y: (abs(x) <= 0.3 and abs(y) <= 0.95) or (abs(y) <= 0.3 and abs(x) <= 0.95),
    "arch.png": lambda x, y: abs(x) <= 0.8 and y <= 0.95 and (y >= -0.15 or x * x + (y + 0.15) ** 2 <= 0.64),
    "burst.png": star(12, 0.95, 0.72),
}

if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "image_masks")
    os.makedirs(out, exist_ok=True)
    for name, shape in SHAPES.items():
        png(os.path.join(out, name), shape)
