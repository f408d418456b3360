#!/usr/bin/python3
"""Draws every picture the screens name and writes it into assets/ at twice its size in points.

Run: /usr/bin/python3 scripts/generate_assets.py
Shapes are drawn SUPERSAMPLE times larger and scaled down, since Pillow draws without anti-aliasing.
"""
import math
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ASSETS = Path(__file__).resolve().parent.parent / "assets"
SCALE = 2
SUPERSAMPLE = 4
SCREEN = (320, 568)  # the default screen in points; the views stretch backgrounds to the real one

YELLOW = (252, 211, 0)
INK = (68, 66, 68)  # the bar's title colour, for glyphs that sit on the yellow bar
SLATE = (24, 28, 35)
DIM = (120, 124, 132)
LAMP_OFF = (78, 82, 90)
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def render(size, paint):
    """Calls paint(image, draw, k) on a clear canvas of k pixels per point, then scales it to @2x."""
    k = SCALE * SUPERSAMPLE
    image = Image.new("RGBA", (round(size[0] * k), round(size[1] * k)), (0, 0, 0, 0))
    paint(image, ImageDraw.Draw(image), k)
    # Premultiplied, so clear pixels do not bleed black into the edges.
    small = image.convert("RGBa").resize((round(size[0] * SCALE), round(size[1] * SCALE)), Image.Resampling.LANCZOS)
    return small.convert("RGBA")


def stroke(draw, points, width, colour):
    """A polyline with round joints and round caps."""
    draw.line(points, fill=colour, width=round(width), joint="curve")
    r = width / 2
    for x, y in (points[0], points[-1]):
        draw.ellipse((x - r, y - r, x + r, y + r), fill=colour)


def centred_text(draw, box, text, size, colour):
    font = ImageFont.truetype(FONT, round(size))
    draw.text(((box[0] + box[2]) / 2, (box[1] + box[3]) / 2), text, font=font, fill=colour, anchor="mm")


def rune(draw, cx, cy, height, width, colour):
    """The Bluetooth rune, centred on (cx, cy)."""
    h, w = height, height * 0.3
    points = [(-w, -h * 0.25), (w, h * 0.22), (0, h * 0.5), (0, -h * 0.5), (w, -h * 0.22), (-w, h * 0.25)]
    stroke(draw, [(cx + x, cy + y) for x, y in points], width, colour)


def background(glow_y):
    """A dark slate gradient with a faint light behind the content at glow_y (0 top, 1 bottom)."""
    w, h = SCREEN[0] * SCALE, SCREEN[1] * SCALE
    image = Image.new("RGBA", (w, h))
    draw = ImageDraw.Draw(image)
    top, bottom = (34, 40, 50), (10, 12, 16)
    for y in range(h):
        t = y / (h - 1)
        draw.line((0, y, w, y), fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,))
    glow = Image.new("L", (w, h), 0)
    r = w * 0.75
    ImageDraw.Draw(glow).ellipse((w / 2 - r, h * glow_y - r, w / 2 + r, h * glow_y + r), fill=60)
    glow = glow.filter(ImageFilter.GaussianBlur(w / 5))
    return Image.composite(Image.new("RGBA", (w, h), (62, 72, 88, 255)), image, glow)


def cell_background(image, draw, k):
    """A faint panel per row with a hairline at the row's foot (rows are 52 points, the picture 54)."""
    w = image.width
    draw.rectangle((0, 0, w, 51 * k), fill=(255, 255, 255, 14))
    draw.rectangle((0, 51 * k, w, 52 * k), fill=(90, 98, 112, 255))


def square_button(letter, pressed):
    """F and R: a rounded square with a yellow rim; the pressed look is filled yellow."""
    def paint(image, draw, k):
        side, rim = image.width, 4 * k
        box = (rim / 2 + k, rim / 2 + k, side - rim / 2 - k, side - rim / 2 - k)
        fill = YELLOW if pressed else (20, 23, 29, 230)
        draw.rounded_rectangle(box, radius=20 * k, fill=fill, outline=YELLOW, width=round(rim))
        centred_text(draw, (0, 0, side, side), letter, 54 * k, SLATE if pressed else YELLOW)
    return render((96, 96), paint)


def lamp(colour):
    """A 40 point lamp: a shaded grey disc when off, a glowing disc when lit."""
    def paint(image, draw, k):
        c, r = 20 * k, 13 * k
        if colour:
            halo = Image.new("RGBA", image.size, (0, 0, 0, 0))
            ImageDraw.Draw(halo).ellipse((c - r - 3 * k, c - r - 3 * k, c + r + 3 * k, c + r + 3 * k),
                                         fill=colour + (200,))
            image.alpha_composite(halo.filter(ImageFilter.GaussianBlur(3 * k)))
        base = colour or LAMP_OFF
        draw.ellipse((c - r, c - r, c + r, c + r), fill=tuple(v // 2 for v in base) + (255,))
        draw.ellipse((c - r + 2 * k, c - r + 2 * k, c + r - 2 * k, c + r - 2 * k), fill=base + (255,))
        shine = tuple(min(255, v + 110) for v in base) + (200,)
        draw.ellipse((c - 6 * k, c - 9 * k, c + 2 * k, c - 4 * k), fill=shine)
    return render((40, 40), paint)


def bar_icon(size, glyph, pressed):
    """A bar button: an ink glyph on the yellow bar; pressed, a white glyph on a shadow."""
    def paint(image, draw, k):
        if pressed:
            draw.ellipse((0, 0, image.width - 1, image.height - 1), fill=INK + (70,))
        glyph(draw, image.width, image.height, k, (255, 255, 255) if pressed else INK)
    return render(size, paint)


def search_glyph(draw, w, h, k, colour):
    """A magnifier with the Bluetooth rune in its lens."""
    cx, cy, r = w * 0.41, h * 0.41, w * 0.31
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), outline=colour, width=round(1.8 * k))
    d = r / math.sqrt(2)
    stroke(draw, [(cx + d, cy + d), (w * 0.9, h * 0.9)], 3 * k, colour)
    rune(draw, cx, cy, r * 1.25, 1.5 * k, colour)


def question_glyph(draw, w, h, k, colour):
    draw.ellipse((2 * k, 2 * k, w - 2 * k, h - 2 * k), outline=colour, width=round(2 * k))
    centred_text(draw, (0, 0, w, h + k), "?", 13 * k, colour)


def refresh_glyph(draw, w, h, k, colour):
    """A clockwise open circle ending in an arrowhead near the top."""
    cx, cy, r = w / 2, h / 2, min(w, h) * 0.34
    end = -75
    draw.arc((cx - r, cy - r, cx + r, cy + r), start=end - 290, end=end, fill=colour, width=round(2.2 * k))
    a, head = math.radians(end), 3.4 * k
    px, py = cx + r * math.cos(a), cy + r * math.sin(a)
    tx, ty = -math.sin(a), math.cos(a)  # clockwise tangent
    nx, ny = math.cos(a), math.sin(a)
    draw.polygon([(px + tx * head, py + ty * head),
                  (px - tx * head * 0.5 + nx * head, py - ty * head * 0.5 + ny * head),
                  (px - tx * head * 0.5 - nx * head, py - ty * head * 0.5 - ny * head)], fill=colour)


def back_icon(image, draw, k):
    """A chevron pointing left, ink on the yellow bar."""
    w, h = image.width, image.height
    stroke(draw, [(w * 0.72, h * 0.22), (w * 0.3, h * 0.5), (w * 0.72, h * 0.78)], 2.4 * k, INK)


def about_search(image, draw, k):
    """The device-list button as it looks on the bar, for the help text."""
    draw.rounded_rectangle((0, 0, image.width - 1, image.height - 1), radius=4 * k, fill=YELLOW)
    search_glyph(draw, image.width, image.height, k * 0.8, INK)


def logo(image, draw, k):
    """The KIRO wordmark: yellow letters in a yellow-rimmed badge."""
    w, h = image.width, image.height
    draw.rounded_rectangle((k, k, w - k, h - k), radius=4 * k, outline=YELLOW, width=round(1.5 * k))
    centred_text(draw, (0, 0, w, h), "KIRO", 13 * k, YELLOW)


def status(state, frame=0):
    """The device-list status: a dim rune when not connected, lit when connected, a turning arc while connecting."""
    def paint(image, draw, k):
        box = (2 * k, 2 * k, 28 * k, 28 * k)
        if state == "connected":
            draw.ellipse(box, fill=YELLOW)
            rune(draw, 15 * k, 15 * k, 15 * k, 2 * k, SLATE)
        else:
            draw.ellipse(box, outline=DIM + (255,), width=round(1.5 * k))
            rune(draw, 15 * k, 15 * k, 15 * k, 2 * k, DIM if state == "disconnected" else YELLOW)
        if state == "connecting":
            start = -90 + 120 * frame
            draw.arc(box, start=start, end=start + 100, fill=YELLOW, width=round(2.5 * k))
    return render((30, 30), paint)


def pictures():
    """Every picture by the file name the screens use."""
    return {
        "bj.png": background(0.62),
        "img_beijing22.png": background(0.25),
        "img_beijing.png": render((SCREEN[0], 54), cell_background),
        "对焦.png": square_button("F", False),
        "对焦点击.png": square_button("F", True),
        "拍照.png": square_button("R", False),
        "拍照点击.png": square_button("R", True),
        "灰色.png": lamp(None),
        "绿.png": lamp((40, 220, 90)),
        "红.png": lamp((240, 50, 50)),
        "蓝.png": lamp((40, 140, 255)),
        "搜索蓝牙.png": bar_icon((22, 22), search_glyph, False),
        "搜索蓝牙点击.png": bar_icon((22, 22), search_glyph, True),
        "问号.png": bar_icon((22, 22), question_glyph, False),
        "问号点击.png": bar_icon((22, 22), question_glyph, True),
        "刷新.png": bar_icon((22, 19), refresh_glyph, False),
        "刷新点击.png": bar_icon((22, 19), refresh_glyph, True),
        "后退.png": render((12, 22), back_icon),
        "搜索蓝牙-关于.png": render((20, 19), about_search),
        "logo说明.png": render((78, 20), logo),
        "未连接.png": status("disconnected"),
        "连接.png": status("connected"),
        "连接中1.png": status("connecting", 0),
        "连接中2.png": status("connecting", 1),
        "连接中3.png": status("connecting", 2),
    }


def main():
    ASSETS.mkdir(exist_ok=True)
    for name, image in pictures().items():
        # An opaque picture decodes in half the time without alpha, and in a sixth with a
        # palette, which a smooth background's few colours fit exactly.
        if image.getchannel("A").getextrema() == (255, 255):
            image = image.convert("RGB")
            indexed = image.convert("P", palette=Image.Palette.ADAPTIVE)
            if indexed.convert("RGB").tobytes() == image.tobytes():
                image = indexed
        image.save(ASSETS / name, optimize=True)


if __name__ == "__main__":
    main()
