"""Writes the page texture: a warm paper grain of soft blotches and faint fibres that tiles
seamlessly (every feature wraps round the edges)."""
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

SIZE = 256


def main(path):
    rng = random.Random(1979)
    grain = Image.new("L", (SIZE, SIZE), 128)
    pixels = grain.load()
    for y in range(SIZE):
        for x in range(SIZE):
            pixels[x, y] = 128 + rng.randint(-18, 18)
    # Blur on a 3x3 tiling so the grain stays seamless, then keep the middle tile.
    tiled = Image.new("L", (SIZE * 3, SIZE * 3))
    for ty in range(3):
        for tx in range(3):
            tiled.paste(grain, (tx * SIZE, ty * SIZE))
    draw = ImageDraw.Draw(tiled)
    for _ in range(160):
        x, y = rng.randrange(SIZE), rng.randrange(SIZE)
        dx, dy = rng.randint(-14, 14), rng.randint(-4, 4)
        shade = 128 + rng.choice((-40, 34))
        for ty in range(3):
            for tx in range(3):
                ox, oy = x + tx * SIZE, y + ty * SIZE
                draw.line((ox, oy, ox + dx, oy + dy), fill=shade)
    tiled = tiled.filter(ImageFilter.GaussianBlur(1.2))
    grain = tiled.crop((SIZE, SIZE, SIZE * 2, SIZE * 2))

    paper = (246, 236, 212)
    image = Image.new("RGB", (SIZE, SIZE))
    out = image.load()
    g = grain.load()
    for y in range(SIZE):
        for x in range(SIZE):
            d = (g[x, y] - 128) * 1.1
            out[x, y] = tuple(max(0, min(255, round(c + d))) for c in paper)
    image.save(path, "JPEG", quality=90)


if __name__ == "__main__":
    main(sys.argv[1])
