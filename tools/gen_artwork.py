#!/usr/bin/python3
"""Generates the material manager's artwork into resources/art.

Everything is drawn from code so the bitmaps can be regenerated (and
tweaked) without an image editor, and so the build never depends on
binary files nobody can reproduce.  Run with the system Python 3; only
Pillow is needed.  The output is deterministic: all randomness comes from
fixed seeds, so re-running produces byte-identical files.

The window image and the material pictures are drawn at every display
scale the program has artwork for: at 100 percent as the bitmaps the
program has always loaded, at 125, 150, 175 and 200 percent as PNG files
under resources/art/<percent>/, listed for the resource compiler in
resources/art/scaled.rc.  Every set is drawn from the same shapes at its
own size, not scaled from another.

    /usr/bin/python3 tools/gen_artwork.py
"""

import glob
import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, ImageOps

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "resources", "art")

# Shapes are drawn S times larger and scaled down, which gives clean
# anti-aliased edges without any per-primitive smoothing code.  At a display
# scale above 100 percent S grows with it (set_scale), so the same shapes
# come out larger and as sharp.
SUPERSAMPLE = 4
S = SUPERSAMPLE
PERCENT = 100
PERCENTS = (100, 125, 150, 175, 200)


def set_scale(percent):
    global S, PERCENT
    assert percent * SUPERSAMPLE % 100 == 0
    S = percent * SUPERSAMPLE // 100
    PERCENT = percent


def scaled(value):
    """A length of the 100 percent design at the current scale, rounded as
    the program rounds it (half away from zero, through its DPI)."""
    dpi = (PERCENT * 96 + 50) // 100
    return (value * dpi + 48) // 96


def k(value):
    """A position at the current scale, unrounded."""
    return value * PERCENT / 100.0

# The picture list control treats this colour as transparent, so it must
# never appear in a picture or holes would show through.
KEY = (23, 111, 222)

# Text colours the dialog paints on top of the skin.  Kept here so the
# preview shows the real contrast.
TEXT_BLUE = (0, 32, 115)
TEXT_GREY = (192, 192, 192)
TEXT_VERSION = (100, 100, 100)

# The client area starts at this offset inside the window image.
CX, CY = 3, 30

PIC_IDS = (154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 167, 168,
           169, 170, 173, 174, 175, 176)
PIC_W, PIC_H = 90, 70


# ---------------------------------------------------------------- fonts

_FONT_CACHE = {}


def _font_path(bold):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    for base in ("/usr/share/fonts/truetype/dejavu", "/usr/share/fonts"):
        direct = os.path.join(base, name)
        if os.path.isfile(direct):
            return direct
        hits = sorted(glob.glob(os.path.join(base, "**", name), recursive=True))
        if hits:
            return hits[0]
    return None


def font(size, bold=False):
    key = (int(round(size)), bold)
    if key not in _FONT_CACHE:
        path = _font_path(bold)
        if path:
            # The basic layout engine keeps glyph placement identical on
            # machines with and without libraqm.
            _FONT_CACHE[key] = ImageFont.truetype(
                path, key[0], layout_engine=ImageFont.Layout.BASIC)
        else:
            _FONT_CACHE[key] = ImageFont.load_default()
    return _FONT_CACHE[key]


def draw_text(draw, xy, text, fill, fnt, anchor="mm"):
    """Anchored text that also works with Pillow's bitmap fallback font."""
    try:
        draw.text(xy, text, fill=fill, font=fnt, anchor=anchor)
    except (ValueError, TypeError):
        x0, y0, x1, y1 = draw.textbbox((0, 0), text, font=fnt)
        x, y = xy
        if anchor[0] == "m":
            x -= (x1 - x0) / 2
        elif anchor[0] == "r":
            x -= x1 - x0
        if anchor[1] == "m":
            y -= (y1 - y0) / 2
        draw.text((x - x0, y - y0), text, fill=fill, font=fnt)


# ---------------------------------------------------------------- colour and mask helpers

def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(round(v))


def mix(a, b, t):
    if isinstance(a, int):
        return clamp8(a + (b - a) * t)
    return tuple(clamp8(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(c, f):
    """f < 1 darkens, f > 1 lightens towards white."""
    if f <= 1:
        return tuple(clamp8(v * f) for v in c)
    return mix(c, (255, 255, 255), f - 1)


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def sub(a, b):
    return ImageChops.subtract(a, b)


def inter(a, b):
    return ImageChops.multiply(a, b)


def fade(m, a):
    return m.point(lambda v: clamp8(v * a))


def shift(m, dx, dy):
    out = Image.new(m.mode, m.size, 0)
    out.paste(m, (int(round(dx * S)), int(round(dy * S))))
    return out


def blur(m, r):
    return m.filter(ImageFilter.GaussianBlur(r * S)) if r > 0 else m


def erode(m, px):
    n = int(round(px * S))
    return m.filter(ImageFilter.MinFilter(2 * n + 1)) if n > 0 else m


def dilate(m, px):
    n = int(round(px * S))
    return m.filter(ImageFilter.MaxFilter(2 * n + 1)) if n > 0 else m


def noise(seed, lo, size, resample=Image.BICUBIC):
    rng = random.Random(seed)
    im = Image.frombytes("L", lo, rng.randbytes(lo[0] * lo[1]))
    return im.resize(size, resample)


def fbm(seed, size, octaves):
    """Sum of noise layers; octaves are ((w, h), weight) at low resolution."""
    acc, total = None, 0.0
    for i, (lo, weight) in enumerate(octaves):
        n = noise(seed * 101 + i, lo, size)
        if acc is None:
            acc = n
        else:
            acc = Image.blend(acc, n, weight / (total + weight))
        total += weight
    return ImageOps.autocontrast(acc, cutoff=0.5)


def kill_key(im):
    """Nudges any pixel that happens to hit the transparency colour."""
    colours = im.getcolors(maxcolors=im.size[0] * im.size[1])
    if colours and any(c == KEY for _, c in colours):
        px = im.load()
        for y in range(im.size[1]):
            for x in range(im.size[0]):
                if px[x, y] == KEY:
                    px[x, y] = (KEY[0], KEY[1], KEY[2] + 1)
    return im


# ---------------------------------------------------------------- canvas

class Pic:
    """An RGB canvas addressed in output pixels but stored S times larger.

    It doubles as a layer: alpha accumulates everything painted, so a
    finished object can be rotated and dropped onto another canvas with a
    shadow derived from its outline.
    """

    def __init__(self, w=PIC_W, h=PIC_H, bg=(128, 128, 128)):
        self.w, self.h = w, h
        self.size = (w * S, h * S)
        self.img = Image.new("RGB", self.size, bg)
        self.alpha = Image.new("L", self.size, 0)

    # -- masks
    def mask(self):
        return Image.new("L", self.size, 0)

    def _draw(self, m):
        m = self.mask() if m is None else m
        return m, ImageDraw.Draw(m)

    def poly(self, pts, m=None, v=255):
        m, d = self._draw(m)
        d.polygon([(x * S, y * S) for x, y in pts], fill=v)
        return m

    def rect(self, x0, y0, x1, y1, r=0, m=None, v=255):
        m, d = self._draw(m)
        box = [x0 * S, y0 * S, x1 * S - 1, y1 * S - 1]
        if r > 0:
            d.rounded_rectangle(box, radius=r * S, fill=v)
        else:
            d.rectangle(box, fill=v)
        return m

    def ellipse(self, cx, cy, rx, ry=None, m=None, v=255):
        ry = rx if ry is None else ry
        m, d = self._draw(m)
        d.ellipse([(cx - rx) * S, (cy - ry) * S,
                   (cx + rx) * S - 1, (cy + ry) * S - 1], fill=v)
        return m

    def line(self, pts, w, m=None, v=255, caps=True):
        m, d = self._draw(m)
        hp = [(x * S, y * S) for x, y in pts]
        wi = max(1, int(round(w * S)))
        d.line(hp, fill=v, width=wi, joint="curve")
        if caps and wi > 2:
            r = wi / 2.0
            for x, y in (hp[0], hp[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=v)
        return m

    def text(self, x, y, s, size, m=None, v=255, bold=False, anchor="mm"):
        m, d = self._draw(m)
        draw_text(d, (x * S, y * S), s, v, font(size * S, bold), anchor)
        return m

    # -- fields
    def field(self, fn, res=1.0, mode="RGB"):
        lw = max(2, int(round(self.w * res)))
        lh = max(2, int(round(self.h * res)))
        data = []
        for j in range(lh):
            y = (j + 0.5) / res
            for i in range(lw):
                data.append(fn((i + 0.5) / res, y))
        im = Image.new(mode, (lw, lh))
        im.putdata(data)
        return im.resize(self.size, Image.BILINEAR)

    def lgrad(self, p0, p1, c0, c1, res=1.0):
        (x0, y0), (x1, y1) = p0, p1
        dx, dy = x1 - x0, y1 - y0
        l2 = float(dx * dx + dy * dy) or 1.0
        mode = "L" if isinstance(c0, int) else "RGB"

        def fn(x, y):
            t = ((x - x0) * dx + (y - y0) * dy) / l2
            return mix(c0, c1, min(1.0, max(0.0, t)))
        return self.field(fn, res, mode)

    def rgrad(self, cx, cy, r, c0, c1, ry=None, res=1.0, power=1.0):
        ry = r if ry is None else ry
        mode = "L" if isinstance(c0, int) else "RGB"

        def fn(x, y):
            t = math.hypot((x - cx) / r, (y - cy) / ry)
            return mix(c0, c1, min(1.0, t) ** power)
        return self.field(fn, res, mode)

    # -- painting
    def paint(self, m, paint, a=1.0, track=True):
        if a < 1.0:
            m = fade(m, a)
        if isinstance(paint, tuple):
            self.img.paste(paint, (0, 0) + self.size, m)
        else:
            self.img.paste(paint, (0, 0), m)
        if track:
            self.alpha = ImageChops.lighter(self.alpha, m)

    def shadow(self, m, dx=0.8, dy=1.2, r=1.2, a=0.35, colour=(0, 0, 0)):
        self.paint(blur(shift(m, dx, dy), r), colour, a, track=False)

    def place(self, layer, dx=0.0, dy=0.0, angle=0.0, center=None,
              shadow=None):
        img, al = layer.img, layer.alpha
        if angle or dx or dy:
            c = center or (layer.w / 2.0, layer.h / 2.0)
            kw = dict(resample=Image.BICUBIC, center=(c[0] * S, c[1] * S),
                      translate=(dx * S, dy * S))
            img = img.rotate(angle, **kw)
            al = al.rotate(angle, **kw)
        if shadow:
            sdx, sdy, sr, sa = shadow[:4]
            colour = shadow[4] if len(shadow) > 4 else (0, 0, 0)
            self.shadow(al, sdx, sdy, sr, sa, colour)
        self.img.paste(img, (0, 0), al)
        self.alpha = ImageChops.lighter(self.alpha, al)
        return al

    def finish(self, box=False):
        if box:
            out = self.img.reduce(SUPERSAMPLE)
        else:
            out = self.img.resize((scaled(self.w), scaled(self.h)), Image.LANCZOS)
        return kill_key(out)


# ---------------------------------------------------------------- textures

def tex_colour(l, dark, light, mid=None):
    if mid is None:
        return ImageOps.colorize(l, dark, light)
    return ImageOps.colorize(l, dark, light, mid)


def wood_tex(p, seed, light, dark, rings=7.0, streak=0.35, vertical=False):
    """Plank-like grain: contour bands of stretched noise read as rings."""
    w, h = p.size
    if vertical:
        oct_ = [((3, 10), 1.0), ((6, 24), 0.5)]
    else:
        oct_ = [((10, 3), 1.0), ((24, 6), 0.5)]
    base = fbm(seed, p.size, oct_)
    lut = [clamp8(127.5 + 127.5 * math.sin(v / 255.0 * rings * 2 * math.pi))
           for v in range(256)]
    ring = base.point(lut)
    if vertical:
        fine = noise(seed + 7, (max(2, w // 3), 8), p.size)
    else:
        fine = noise(seed + 7, (8, max(2, h // 3)), p.size)
    grain = Image.blend(ring, fine, streak)
    grain = ImageOps.autocontrast(grain, cutoff=1)
    return tex_colour(grain, dark, light)


def paper_tex(p, seed, colour, amount=0.06):
    n = fbm(seed, p.size, [((p.w // 2, p.h // 2), 1.0), ((p.w * 2, p.h * 2), 0.8)])
    return tex_colour(n, shade(colour, 1 - amount), shade(colour, 1 + amount))


def studio(p, top=(236, 237, 239), bottom=(196, 199, 205), light=0.45,
           lx=40.0, ly=12.0):
    """Seamless photo backdrop: soft falloff from a light above the subject."""
    p.img = p.lgrad((0, 0), (0, p.h), top, bottom)
    glow = p.rgrad(lx, ly, 70, 255, 0, ry=50)
    p.paint(glow, (255, 255, 255), light, track=False)


def vignette(p, a=0.22):
    v = p.rgrad(p.w * 0.47, p.h * 0.5, p.w * 0.75, 0, 255, ry=p.h * 0.75,
                power=2.2)
    p.paint(v, (0, 0, 0), a, track=False)


def contact_shadow(p, m, a=0.35, spread=2.0, dy=1.6):
    """Two shadows: a tight dark one where the object meets the table and a
    wide soft one, which is what makes small objects look like photos."""
    p.shadow(m, 0.3, 0.5, 0.5, a, (20, 20, 26))
    p.shadow(m, 0.8 * spread, dy * spread, 1.6 * spread, a * 0.7, (20, 20, 26))


def bevel(p, m, light=(255, 255, 255), dark=(0, 0, 0), width=0.6,
          a_light=0.55, a_dark=0.35):
    """Rim lighting from the top left, used on every raised edge."""
    hi = sub(m, shift(m, width, width))
    lo = sub(m, shift(m, -width, -width))
    p.paint(hi, light, a_light, track=False)
    p.paint(lo, dark, a_dark, track=False)


def thickness(p, m, colour, dx=0.6, dy=1.0, track=True):
    """Visible cut edge of a sheet, as if seen slightly from the front."""
    edge = union(*[shift(m, dx * k / 3.0, dy * k / 3.0) for k in (1, 2, 3)])
    edge = sub(edge, m)
    p.paint(edge, colour, 1.0, track=track)
    return union(m, edge)


# ---------------------------------------------------------------- geometry helpers

def heart_pts(cx, cy, size, n=72):
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((cx + x * size / 32.0, cy - (y + 2.5) * size / 32.0))
    return pts


def star_pts(cx, cy, r_out, r_in, n=5, rot=-90.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + 180.0 * i / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def bezier(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(n + 1):
        t = i / float(n)
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


def spiral(cx, cy, r0, a0, sweep, shrink=0.25, n=40):
    pts = []
    for i in range(n + 1):
        t = i / float(n)
        r = r0 * (1 - (1 - shrink) * t)
        a = math.radians(a0 + sweep * t)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def rot_pts(pts, cx, cy, deg):
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca)
            for x, y in pts]


def mirror_x(pts, cx):
    return [(2 * cx - x, y) for x, y in pts]


def mirror_y(pts, cy):
    return [(x, 2 * cy - y) for x, y in pts]


def rrect_path(x0, y0, x1, y1, r, step=0.5):
    """Points along a rounded rectangle outline, evenly spaced."""
    pts = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0),
               (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)]
    segs = [((x0 + r, y0), (x1 - r, y0)), ((x1, y0 + r), (x1, y1 - r)),
            ((x1 - r, y1), (x0 + r, y1)), ((x0, y1 - r), (x0, y0 + r))]
    for (a, b), (ccx, ccy, start) in zip(segs, corners):
        length = math.hypot(b[0] - a[0], b[1] - a[1])
        n = max(1, int(length / step))
        for i in range(n):
            t = i / float(n)
            pts.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
        n = max(2, int(r * math.pi / 2 / step))
        for i in range(n):
            ang = math.radians(start + 90.0 * i / n)
            pts.append((ccx + r * math.cos(ang), ccy + r * math.sin(ang)))
    return pts


def dashes(pts, on, off):
    """Splits a polyline into dash polylines by arc length."""
    out, cur, dist, drawing = [], [pts[0]], 0.0, True
    limit = on
    for a, b in zip(pts, pts[1:]):
        seg = math.hypot(b[0] - a[0], b[1] - a[1])
        dist += seg
        if dist >= limit:
            if drawing:
                cur.append(b)
                if len(cur) > 1:
                    out.append(cur)
            cur = [b]
            drawing = not drawing
            dist = 0.0
            limit = on if drawing else off
        elif drawing:
            cur.append(b)
    if drawing and len(cur) > 1:
        out.append(cur)
    return out


# ================================================================ window skin

SKIN_W, SKIN_H = 600, 400

# Layout of the dialog in client pixels (inclusive rectangles).  The child
# controls and painted labels are positioned by the program; these only
# decide where the skin puts its panels so the two stay in register.
# The three columns' controls nearly touch (the category buttons end two
# pixels before the list starts), so separate wells would leave sliver gaps;
# one well with divider lines reads cleaner.  The parameter fields and the
# command plates share the materials column of the same well.
BROWSER = (50, 92, 536, 327)
DIVIDERS = (153, 294)                 # between group | category | materials
PLATES = ((441, 230, 524, 257),       # Accept
          (441, 262, 524, 289),       # Save as
          (441, 296, 524, 323))       # Cancel
LOGO_AREA = (10, 330, 280, 368)

OUTLINE = (44, 54, 74)
CAPTION_TOP = (62, 76, 102)
CAPTION_BOTTOM = (27, 34, 49)
LASER_RED = (240, 64, 44)
LASER_AMBER = (255, 160, 64)


def cbox(x0, y0, x1, y1):
    """Inclusive client rectangle -> canvas coordinates of the window image."""
    return (x0 + CX, y0 + CY, x1 + CX + 1, y1 + CY + 1)


def build_skin():
    p = Pic(SKIN_W, SKIN_H, OUTLINE)

    # -- client background: calm grey-blue, a touch lighter towards the top
    # right where the window's light source would be.
    def bg(x, y):
        t = (y - CY) / float(SKIN_H - CY)
        c = mix((233, 238, 246), (211, 219, 232), max(0.0, t))
        return mix(c, (242, 245, 250), 0.3 * max(0.0, (x - 300) / 300.0) * (1 - t))
    client = p.rect(2, CY, SKIN_W - 1, SKIN_H - 1)
    p.paint(client, p.field(bg, res=0.25))
    # The window region rounds the bottom-left corner a little; keep the
    # outline running along the cut instead of stopping short.
    p.paint(p.line([(1.5, 389.0), (2.4, 396.2), (3.6, 399.5)], 1.0), OUTLINE)

    # -- caption bar
    cap = union(p.rect(1, 1, SKIN_W, CY, r=9), p.rect(1, 15, SKIN_W, CY))
    p.paint(cap, p.lgrad((0, 1), (0, CY - 1), CAPTION_TOP, CAPTION_BOTTOM, res=0.25))
    sheen = inter(cap, p.rect(0, 0, SKIN_W, 14))
    p.paint(inter(sheen, p.lgrad((0, 1), (0, 14), 255, 0, res=0.25)), (255, 255, 255), 0.10)
    top_rim = sub(cap, shift(cap, 0, 1))
    p.paint(top_rim, (128, 146, 178), 0.8)
    # Beam-coloured rule separating caption and client; it burns brightest
    # under the mark and cools off towards the caption buttons.
    def rule(x, y):
        t = x / float(SKIN_W)
        if t < 0.06:
            return mix(LASER_AMBER, (255, 206, 140), 1 - t / 0.06)
        if t < 0.45:
            return mix(LASER_AMBER, LASER_RED, (t - 0.06) / 0.39)
        return mix(LASER_RED, (70, 84, 112), min(1.0, (t - 0.45) / 0.45))
    beam_row = p.rect(1, CY - 1, SKIN_W, CY)
    p.paint(beam_row, p.field(rule, res=0.5))
    glow_row = p.rect(1, CY - 2, SKIN_W, CY - 1)
    p.paint(glow_row, p.field(rule, res=0.5), 0.28)

    # -- browser well (group, category and material columns)
    x0, y0, x1, y1 = cbox(*BROWSER)
    outer = p.rect(x0, y0, x1, y1, r=5)
    inner = p.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r=4)
    p.paint(shift(outer, 0, 1), (255, 255, 255), 0.85)          # lower lip
    p.paint(outer, (150, 165, 190))
    p.paint(inner, p.lgrad((0, y0), (0, y1), (251, 252, 254), (239, 243, 249), res=0.25))
    # Inner shadow along the top and left: the well sits below the panel.
    band = inter(blur(sub(inner, shift(inner, 1.2, 2.0)), 0.8), inner)
    p.paint(band, (96, 116, 150), 0.45, track=False)
    for dx in DIVIDERS:
        x = dx + CX
        p.paint(p.rect(x, y0 + 3, x + 1, y1 - 3), (190, 201, 218))
        p.paint(p.rect(x + 1, y0 + 3, x + 2, y1 - 3), (255, 255, 255), 0.9)

    # -- command plates
    for bx0, by0, bx1, by1 in PLATES:
        x0, y0, x1, y1 = cbox(bx0, by0, bx1, by1)
        outer = p.rect(x0, y0, x1, y1, r=4)
        inner = p.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r=3)
        p.shadow(outer, 0, 1.0, 1.0, 0.28, (30, 50, 90))
        p.paint(outer, (124, 142, 174))
        p.paint(inner, p.lgrad((0, y0), (0, y1), (253, 254, 255), (224, 231, 243), res=0.5))
        p.paint(sub(inner, shift(inner, 0, 1)), (255, 255, 255), 0.95)
        p.paint(sub(inner, shift(inner, 0, -1)), (196, 207, 226), 0.8)

    # -- brand mark in the bottom-left corner, embossed into the panel so it
    # stays in the background.
    lx0, ly0, lx1, ly1 = cbox(*LOGO_AREA)
    emb = p.mask()
    emb.paste(icon_image(28 * S).getchannel("A"), (int((lx0 + 2) * S), int((ly0 + 5) * S)))
    word = p.text(lx0 + 36, ly0 + 18.5, "VEXCUT", 19, bold=True, anchor="lm")
    tag = p.text(lx0 + 37, ly0 + 30.5, "MATERIAL LIBRARY", 8.8, anchor="lm")
    emb = union(emb, word, tag)
    p.paint(shift(emb, 0, 1), (255, 255, 255), 0.75, track=False)
    p.paint(emb, (176, 189, 210), 1.0, track=False)

    img = p.finish(box=True)
    mark = icon_image(scaled(24), on_dark=True)
    img.paste(mark, (scaled(6), scaled(3)), mark)

    # Caption text is rendered at final size so FreeType hinting keeps the
    # small letters crisp.
    d = ImageDraw.Draw(img)
    f_bold, f_reg = font(k(12), True), font(k(12))
    x = scaled(34)
    for text, fnt, colour in (("Vexcut", f_bold, (246, 248, 252)),
                              (" Preview", f_reg, (232, 236, 244)),
                              ("  \u00b7  ", f_reg, (140, 156, 184)),
                              ("Material Manager", f_reg, (178, 192, 216))):
        d.text((x, scaled(20)), text, fill=(14, 18, 28), font=fnt, anchor="ls")
        draw_text(d, (x, scaled(19)), text, colour, fnt, anchor="ls")
        x += d.textlength(text, font=fnt)
    return kill_key(img)


# ================================================================ material pictures

PICTURES = {}


def picture(pid):
    def reg(fn):
        PICTURES[pid] = fn
        return fn
    return reg


@picture(154)
def pic_puzzle():
    """A photograph burnt into a wooden jigsaw, one piece lifted out."""
    p = Pic()
    studio(p, (232, 232, 230), (186, 188, 192))
    gx, gy, cw, ch, cols, rows = 9.0, 11.0, 21.0, 21.0, 3, 2

    # The photo is built as a burn map (how dark the laser made each spot)
    # and then laid over birch, so it looks engraved rather than printed.
    burn = p.lgrad((0, gy), (0, gy + 26), 120, 20)
    burn = sub(burn, p.rgrad(50, 24, 12, 255, 0, power=0.7))
    burn = union(burn, fade(sub(p.ellipse(50, 24, 6.2), p.ellipse(50, 24, 5.2)), 0.55))
    far = p.poly([(gx - 2, 36), (18, 28), (27, 32), (38, 24), (47, 30), (58, 26),
                  (66, 31), (75, 29), (75, 60), (gx - 2, 60)])
    burn = union(burn, fade(far, 0.6))
    near = p.poly([(gx - 2, 42), (20, 37), (34, 41), (46, 37), (60, 42), (75, 38),
                   (75, 60), (gx - 2, 60)])
    burn = union(burn, fade(near, 0.88))
    lake = p.poly([(gx - 2, 46), (75, 45), (75, 60), (gx - 2, 60)])
    burn = Image.composite(p.lgrad((0, 45), (0, 56), 40, 110), burn, lake)
    glint = union(*[p.line([(44 + k * 0.7, 47.5 + k * 2.2), (56 - k * 0.7, 47.5 + k * 2.2)], 0.6)
                    for k in range(3)])
    burn = sub(burn, glint)
    trees = p.mask()
    for tx, base, hgt in ((14, 50, 17), (19.5, 52, 13), (24, 51, 9), (66, 51, 15), (71, 53, 11)):
        p.poly([(tx, base - hgt), (tx + hgt * 0.28, base), (tx - hgt * 0.28, base)], trees)
    burn = union(burn, trees)
    burn = blur(burn, 0.25)
    grain = noise(9, (PIC_W * 2, PIC_H * 2), p.size)
    burn = ImageChops.multiply(burn, grain.point(lambda v: 190 + v // 4))

    wood = wood_tex(p, 154, (244, 226, 192), (224, 196, 152), rings=5)
    photo = Image.composite(tex_colour(noise(3, (40, 30), p.size), (64, 32, 14), (92, 50, 24)),
                            wood, burn)

    rng = random.Random(154)
    cells = {(i, j): p.rect(gx + i * cw, gy + j * ch, gx + (i + 1) * cw, gy + (j + 1) * ch)
             for i in range(cols) for j in range(rows)}

    def knob(owner, other, cx, cy):
        k = union(p.ellipse(cx, cy, 3.3), p.rect(cx - 1.6, cy - 1.6, cx + 1.6, cy + 1.6))
        cells[owner] = union(cells[owner], k)
        cells[other] = sub(cells[other], k)

    for i in range(cols - 1):
        for j in range(rows):
            d = rng.choice((-1, 1))
            ex, ey = gx + (i + 1) * cw, gy + (j + 0.5) * ch
            a, b = ((i, j), (i + 1, j)) if d > 0 else ((i + 1, j), (i, j))
            knob(a, b, ex + d * 2.7, ey)
    for i in range(cols):
        for j in range(rows - 1):
            d = rng.choice((-1, 1))
            ex, ey = gx + (i + 0.5) * cw, gy + (j + 1) * ch
            a, b = ((i, j), (i, j + 1)) if d > 0 else ((i, j + 1), (i, j))
            knob(a, b, ex, ey + d * 2.7)

    lifted = (2, 1)
    board = union(*[m for k, m in cells.items() if k != lifted])
    contact_shadow(p, board, 0.35, 1.2)
    for k, m in sorted(cells.items()):
        if k == lifted:
            continue
        # Each piece is shrunk a hair so the cuts show as fine dark kerfs.
        m = erode(m, 0.25)
        thickness(p, m, (150, 108, 66), 0.5, 0.8, track=False)
        p.paint(m, photo)
        p.paint(sub(m, erode(m, 0.4)), (84, 50, 24), 0.85)
    layer = Pic(bg=(200, 170, 130))
    m = cells[lifted]
    thickness(layer, m, (150, 108, 66), 0.6, 1.0)
    layer.paint(m, photo)
    layer.paint(sub(m, erode(m, 0.4)), (84, 50, 24), 0.85)
    bevel(layer, m, (255, 244, 220), (60, 30, 10), 0.5, 0.5, 0.2)
    p.place(layer, 6.5, 6.0, -14, center=(gx + 2.5 * cw, gy + 1.5 * ch),
            shadow=(1.2, 1.8, 1.3, 0.45))
    vignette(p, 0.15)
    return p.finish()


@picture(155)
def pic_acrylic_block():
    """A clear acrylic award block with a frosted engraving."""
    p = Pic()
    studio(p, (118, 130, 150), (52, 60, 74), light=0.3, lx=45, ly=20)
    fx0, fy0, fx1, fy1 = 18.0, 17.0, 58.0, 61.0
    dx, dy = 13.0, -8.0
    front = p.rect(fx0, fy0, fx1, fy1)
    top = p.poly([(fx0, fy0), (fx1, fy0), (fx1 + dx, fy0 + dy), (fx0 + dx, fy0 + dy)])
    side = p.poly([(fx1, fy0), (fx1 + dx, fy0 + dy), (fx1 + dx, fy1 + dy), (fx1, fy1)])
    # Acrylic throws a bright, slightly green caustic into its own shadow.
    floor = p.poly([(fx0, fy1), (fx1, fy1), (fx1 + dx, fy1 + dy), (fx1 + dx + 10, fy1 + dy + 3),
                    (fx1 + 8, fy1 + 4), (fx0 + 6, fy1 + 4)])
    p.paint(blur(floor, 1.6), (12, 16, 24), 0.55, track=False)
    p.paint(blur(p.line([(fx0 + 8, fy1 + 2.2), (fx1 + 5, fy1 + 2.2)], 1.2), 1.0),
            (200, 255, 240), 0.35, track=False)

    p.paint(side, p.lgrad((fx1, 0), (fx1 + dx, 0), (150, 200, 214), (96, 140, 160)), 0.38)
    p.paint(top, (226, 244, 250), 0.35)
    p.paint(front, p.lgrad((fx0, fy0), (fx1, fy1), (200, 230, 240), (130, 170, 190)), 0.2)
    # Hidden back edges, seen through the block.
    back = [(fx0 + dx, fy0 + dy), (fx0 + dx, fy1 + dy), (fx1 + dx, fy1 + dy)]
    p.paint(p.line(back, 0.5), (210, 236, 244), 0.25)
    # Polished edges catch the light.
    edge_col = (214, 250, 244)
    for pts, a, w in (([(fx0, fy1), (fx0, fy0), (fx1, fy0), (fx1, fy1), (fx0, fy1)], 0.85, 0.7),
                      ([(fx0, fy0), (fx0 + dx, fy0 + dy), (fx1 + dx, fy0 + dy), (fx1, fy0)], 0.8, 0.6),
                      ([(fx1 + dx, fy0 + dy), (fx1 + dx, fy1 + dy), (fx1, fy1)], 0.55, 0.6)):
        m = p.line(pts, w)
        p.paint(blur(m, 0.6), edge_col, a * 0.5)
        p.paint(m, edge_col, a)
    p.paint(p.line([(fx0 + 1, fy0 + 0.6), (fx1 - 6, fy0 + 0.6)], 0.5), (255, 255, 255), 0.9)

    # Frosted engraving: laurel emblem with a star and two lines of text.
    cx, cy = (fx0 + fx1) / 2.0, 33.0
    eng = p.mask()
    p.line(spiral(cx, cy, 10.0, 0, 360, 1.0, 80), 1.0, eng)
    p.line(spiral(cx, cy, 8.4, 0, 360, 1.0, 80), 0.45, eng)
    p.poly(star_pts(cx, cy - 0.4, 6.0, 2.5), eng)
    for side_sign in (-1, 1):
        for k in range(5):
            a = math.radians(90 + side_sign * (40 + k * 22))
            lx, ly = cx + 12.3 * math.cos(a), cy + 12.3 * math.sin(a)
            leaf = p.ellipse(lx, ly, 1.6, 0.8)
            leaf = leaf.rotate(-math.degrees(a) + 90 * side_sign, center=(lx * S, ly * S))
            eng = union(eng, leaf)
    p.rect(cx - 12, 49.5, cx + 12, 51.3, r=0.8, m=eng)
    p.rect(cx - 8, 53.5, cx + 8, 55.0, r=0.7, m=eng)
    frost = ImageChops.multiply(eng, noise(155, (PIC_W * 3, PIC_H * 3), p.size).point(lambda v: 170 + v // 3))
    p.paint(blur(eng, 0.5), (255, 255, 255), 0.25)
    p.paint(frost, (246, 252, 255), 0.95)
    # The engraving is also seen mirrored in the side face.
    refl = inter(shift(eng, 16.5, -6), side)
    p.paint(refl, (240, 250, 255), 0.18)
    vignette(p, 0.2)
    return p.finish()


@picture(157)
def pic_glass_block():
    """Crystal cube with a portrait stippled inside it."""
    p = Pic()
    studio(p, (40, 48, 64), (6, 8, 14), light=0.25, lx=40, ly=30)
    fx0, fy0, fx1, fy1 = 17.0, 18.0, 57.0, 58.0
    dx, dy = 12.0, -7.0
    # Lit base under the cube.
    p.paint(blur(p.ellipse(42, 61, 30, 4), 1.5), (120, 170, 220), 0.45, track=False)
    base = p.poly([(fx0 - 2, fy1), (fx1 + 2, fy1), (fx1 + dx + 2, fy1 + dy), (fx1 + dx + 2, fy1 + dy + 3),
                   (fx1 + 2, fy1 + 4), (fx0 - 2, fy1 + 4)])
    p.paint(base, p.lgrad((0, fy1), (0, fy1 + 4), (46, 52, 62), (14, 16, 22)))
    p.paint(p.line([(fx0 - 2, fy1 + 0.3), (fx1 + 2, fy1 + 0.3), (fx1 + dx + 2, fy1 + dy + 0.3)], 0.5),
            (170, 210, 255), 0.9)

    front = p.rect(fx0, fy0, fx1, fy1)
    top = p.poly([(fx0, fy0), (fx1, fy0), (fx1 + dx, fy0 + dy), (fx0 + dx, fy0 + dy)])
    side = p.poly([(fx1, fy0), (fx1 + dx, fy0 + dy), (fx1 + dx, fy1 + dy), (fx1, fy1)])
    p.paint(front, p.lgrad((0, fy1), (0, fy0), (60, 90, 120), (20, 28, 40)), 0.55)
    p.paint(top, (150, 200, 210), 0.22)
    p.paint(side, p.lgrad((fx1, 0), (fx1 + dx, 0), (70, 120, 120), (30, 60, 70)), 0.45)

    # Portrait made of tiny fractures: density follows a soft head and
    # shoulders figure, the way sub-surface engravings render photos.
    lo = Pic()
    head = lo.ellipse(37.5, 32.0, 7.2, 9.0)
    hair = sub(lo.ellipse(37.0, 29.5, 8.6, 9.4), lo.ellipse(38.5, 34.5, 7.0, 8.2))
    body = inter(lo.ellipse(37.5, 57.0, 16.0, 11.5), lo.rect(fx0 + 2, 40, fx1 - 2, fy1 - 2))
    neck = lo.rect(34.5, 38.5, 40.5, 46)
    dens = union(fade(body, 0.55), fade(neck, 0.5), fade(head, 0.75), fade(hair, 0.95))
    shade_face = lo.rgrad(35.5, 30.0, 9.0, 255, 120)
    dens = Image.composite(ImageChops.multiply(dens, shade_face), dens, head)
    for ex in (34.8, 40.3):
        dens = sub(dens, fade(lo.ellipse(ex, 31.0, 1.3, 0.7), 0.6))
    dens = blur(dens, 0.6).resize((PIC_W * 2, PIC_H * 2), Image.BILINEAR)
    rng = random.Random(157)
    dots = p.mask()
    dd = ImageDraw.Draw(dots)
    dpx = dens.load()
    for _ in range(9000):
        x = rng.uniform(fx0 + 1, fx1 - 1)
        y = rng.uniform(fy0 + 1, fy1 - 1)
        if rng.random() * 255 < dpx[int(x * 2), int(y * 2)]:
            zx, zy = x * S, y * S
            dd.rectangle([zx, zy, zx + S / 2.0 - 1, zy + S / 2.0 - 1], fill=255)
    # Depth: the figure sits halfway into the cube.
    dots = shift(dots, dx * 0.35, dy * 0.35)
    p.paint(blur(dots, 0.9), (170, 210, 255), 0.55)
    p.paint(dots, (250, 252, 255), 1.0)

    edge_col = (170, 236, 214)
    for pts, a in (([(fx0, fy1), (fx0, fy0), (fx1, fy0), (fx1, fy1), (fx0, fy1)], 0.8),
                   ([(fx0, fy0), (fx0 + dx, fy0 + dy), (fx1 + dx, fy0 + dy), (fx1, fy0)], 0.75),
                   ([(fx1 + dx, fy0 + dy), (fx1 + dx, fy1 + dy), (fx1, fy1)], 0.6)):
        m = p.line(pts, 0.7)
        p.paint(blur(m, 0.9), edge_col, a * 0.45)
        p.paint(m, edge_col, a)
    # Thick glass shows its green body along the front edges.
    rim = sub(front, p.rect(fx0 + 1.4, fy0 + 1.4, fx1 - 1.4, fy1 - 1.4))
    p.paint(rim, (120, 200, 176), 0.3)
    p.paint(p.line([(fx0 + 2, fy0 + 0.8), (fx1 - 10, fy0 + 0.8)], 0.5), (255, 255, 255), 0.8)
    return p.finish()


@picture(158)
def pic_black_box():
    """Black lacquered box whose lid carries an engraved rosette."""
    p = Pic()
    studio(p, (238, 235, 230), (196, 192, 186))
    lid = p.rect(8, 6, 78, 57, r=3)
    box = p.rect(9, 10, 77, 64, r=2.5)
    contact_shadow(p, union(lid, box), 0.45, 1.4)
    p.paint(box, p.lgrad((0, 56), (0, 64), (30, 30, 33), (10, 10, 12)))
    p.paint(p.rect(9, 57, 77, 58.2), (0, 0, 0), 0.8)
    p.paint(lid, p.lgrad((8, 6), (78, 57), (46, 46, 52), (12, 12, 14)))
    sheen = inter(lid, p.poly([(20, 6), (44, 6), (18, 57), (-6, 57)]))
    p.paint(blur(sheen, 3), (255, 255, 255), 0.10)
    bevel(p, lid, (150, 150, 160), (0, 0, 0), 0.6, 0.7, 0.6)

    cx, cy = 43.0, 31.5
    eng = p.mask()
    p.line(spiral(cx, cy, 22.0, 0, 360, 1.0, 120), 0.5, eng)
    p.line(spiral(cx, cy, 19.8, 0, 360, 1.0, 120), 0.5, eng)
    for k in range(36):
        a = math.radians(k * 10 + 5)
        p.ellipse(cx + 20.9 * math.cos(a), cy + 20.9 * math.sin(a), 0.42, m=eng)

    def petal(r0, r1, half, a0, n=24):
        left, right = [], []
        for i in range(n + 1):
            t = i / float(n)
            r = r0 + (r1 - r0) * t
            w = math.radians(half) * math.sin(math.pi * t) ** 0.8
            left.append((cx + r * math.cos(a0 + w), cy + r * math.sin(a0 + w)))
            right.append((cx + r * math.cos(a0 - w), cy + r * math.sin(a0 - w)))
        return left + right[::-1] + [left[0]]

    for k in range(16):
        a = math.radians(k * 22.5)
        p.line(petal(7.5, 18.4, 10.5, a), 0.5, eng)
        p.line([(cx + 10 * math.cos(a), cy + 10 * math.sin(a)),
                (cx + 15.5 * math.cos(a), cy + 15.5 * math.sin(a))], 0.4, eng)
    for k in range(8):
        a = math.radians(k * 45 + 22.5)
        p.poly(petal(2.8, 9.5, 14, a)[:-1], eng)
    p.line(spiral(cx, cy, 3.2, 0, 360, 1.0, 40), 0.5, eng)
    p.ellipse(cx, cy, 1.6, m=eng)
    p.paint(blur(eng, 0.4), (160, 150, 130), 0.35)
    p.paint(eng, (214, 206, 190))
    vignette(p, 0.12)
    return p.finish()


@picture(159)
def pic_key_tag():
    """Brushed steel key tag with a dark laser marking, on its ring."""
    p = Pic()
    studio(p, (236, 236, 238), (192, 195, 201))
    ring_c, ring_r = (15.5, 26.0), 13.6
    hole = (27.0, 33.8)
    tag = Pic(bg=(190, 192, 198))
    body = sub(tag.rect(21, 21, 79, 49, r=6), tag.ellipse(hole[0], hole[1], 2.7))
    brushed = tex_colour(fbm(159, tag.size, [((14, PIC_H * 4), 1.0), ((40, PIC_H * 4), 0.6)]),
                         (158, 162, 170), (226, 229, 234))
    tag.paint(body, brushed)
    tag.paint(inter(body, tag.lgrad((21, 21), (79, 49), 0, 255)), (255, 255, 255), 0.18)
    tag.paint(inter(body, blur(tag.poly([(46, 21), (56, 21), (40, 49), (30, 49)]), 2)), (255, 255, 255), 0.35)
    bevel(tag, body, (255, 255, 255), (40, 44, 52), 0.6, 0.8, 0.55)
    mark = tag.mask()
    mark = union(mark, tag.text(53.0, 34.5, "HOME", 11.5, bold=True))
    frame = sub(tag.rect(32.5, 24.5, 75.5, 45.5, r=3.5), tag.rect(33.2, 25.2, 74.8, 44.8, r=2.8))
    mark = union(mark, frame)
    tag.paint(mark, (30, 32, 38), 0.92)
    thickness(tag, body, (110, 114, 122), 0.5, 0.7)

    def ring_arc(a0, a1, w=1.7):
        pts = spiral(ring_c[0], ring_c[1], ring_r, a0, a1 - a0, 1.0, 80)
        return p.line(pts, w, caps=False)

    back = ring_arc(40, 330)
    p.shadow(back, 1, 1.6, 1.0, 0.35)
    steel = p.lgrad((0, 10), (0, 42), (236, 238, 242), (120, 124, 132))
    p.paint(back, steel)
    p.paint(ring_arc(200, 300, 0.5), (255, 255, 255), 0.7)
    p.place(tag, shadow=(0.9, 1.6, 1.2, 0.4))
    front = ring_arc(-32, 36)
    p.shadow(front, 0.6, 1.0, 0.6, 0.45)
    p.paint(front, steel)
    p.paint(ring_arc(-28, 10, 0.45), (255, 255, 255), 0.8)
    vignette(p, 0.12)
    return p.finish()


@picture(160)
def pic_two_colour():
    """Two-colour laminate: a heart cut out of the plate, lying beside it."""
    p = Pic()
    studio(p, (236, 236, 238), (194, 197, 203))
    top_a, top_b = (36, 84, 180), (20, 52, 128)
    core = (242, 242, 238)
    plate = Pic(bg=top_b)
    hole_pts = heart_pts(31, 35.5, 27)
    body = plate.rect(5, 9, 57, 61, r=3)
    hole = plate.poly(hole_pts)
    solid = sub(body, hole)
    plate.paint(solid, plate.lgrad((5, 9), (57, 61), top_a, top_b))
    sheen = inter(solid, blur(plate.poly([(5, 9), (30, 9), (5, 40)]), 3))
    plate.paint(sheen, (255, 255, 255), 0.12)
    # Engraving removes the thin cap layer and shows the white core.
    frame = sub(plate.rect(8, 12, 54, 58, r=1.8), plate.rect(8.8, 12.8, 53.2, 57.2, r=1.2))
    plate.paint(frame, core)
    for k in range(3):
        plate.paint(plate.ellipse(12 + k * 2.2, 54, 0.55), core)
    # The far wall of the hole is the core colour too.
    wall = sub(hole, shift(hole, 0.5, 1.0))
    plate.paint(inter(wall, body), (208, 208, 204))
    plate.paint(inter(sub(hole, shift(hole, 0.15, 0.3)), body), top_b)
    bevel(plate, solid, (255, 255, 255), (0, 0, 0), 0.4, 0.35, 0.25)
    thickness(plate, body, (214, 214, 208), 0.5, 1.0)
    plate.paint(sub(shift(body, 0.18, 0.36), body), top_b, 0.9, track=False)
    # Shadow of the plate falls into its own hole.
    p.place(plate, shadow=(0.8, 1.4, 1.3, 0.4))
    inner = inter(hole, body)
    p.paint(inter(blur(sub(inner, shift(inner, 1.0, 2.0)), 0.8), inner), (20, 20, 30), 0.35, track=False)

    piece = Pic(bg=top_b)
    hm = piece.poly(heart_pts(70, 42, 25.5))
    thickness(piece, hm, (214, 214, 208), 0.6, 1.1)
    piece.paint(hm, piece.lgrad((58, 30), (82, 56), top_a, top_b))
    piece.paint(inter(hm, blur(piece.ellipse(65, 35, 6, 4), 2)), (255, 255, 255), 0.18)
    bevel(piece, hm, (255, 255, 255), (0, 0, 0), 0.4, 0.4, 0.2)
    p.place(piece, 0, 0, -16, center=(70, 42), shadow=(0.9, 1.5, 1.2, 0.4))
    vignette(p, 0.12)
    return p.finish()


@picture(161)
def pic_dark_plate():
    """Anodised dark plate with a silver filigree ornament."""
    p = Pic()
    studio(p, (234, 234, 236), (190, 192, 198))
    plate = p.rect(7, 8, 79, 62, r=2.5)
    contact_shadow(p, plate, 0.4, 1.3)
    brushed = tex_colour(fbm(161, p.size, [((12, PIC_H * 3), 1.0), ((30, PIC_H * 3), 0.5)]),
                         (30, 32, 38), (58, 62, 72))
    p.paint(plate, brushed)
    p.paint(inter(plate, p.lgrad((7, 8), (79, 62), 255, 0)), (120, 130, 150), 0.22)
    bevel(p, plate, (170, 176, 190), (0, 0, 0), 0.6, 0.8, 0.6)
    for sx, sy in ((11, 12), (75, 12), (11, 58), (75, 58)):
        p.paint(p.ellipse(sx, sy, 1.6), (150, 154, 162))
        p.paint(p.ellipse(sx + 0.2, sy + 0.2, 1.0), (24, 26, 30))

    cx, cy = 43.0, 35.0
    eng = p.mask()
    # Border with stepped corners.
    p.line([(17, 13.5), (69, 13.5), (69, 15.5), (71.5, 15.5), (71.5, 54.5), (69, 54.5),
            (69, 56.5), (17, 56.5), (17, 54.5), (14.5, 54.5), (14.5, 15.5), (17, 15.5), (17, 13.5)],
           0.45, eng, caps=False)
    quarter = []
    quarter.append(bezier((cx + 3, cy), (cx + 8, cy - 1), (cx + 13, cy - 9), (cx + 20, cy - 9)))
    quarter.append(spiral(cx + 20.5, cy - 5.5, 3.6, -100, 300, 0.2))
    quarter.append(bezier((cx + 8, cy - 2.5), (cx + 10, cy - 6), (cx + 8, cy - 11), (cx + 5, cy - 12)))
    quarter.append(spiral(cx + 5.5, cy - 14.3, 2.2, 90, 280, 0.25))
    quarter.append(bezier((cx + 13, cy - 6.5), (cx + 16, cy - 3), (cx + 20, cy - 1), (cx + 24, cy - 1)))
    quarter.append(spiral(cx + 24.5, cy - 3.4, 2.4, 90, -280, 0.25))
    leaves = [(cx + 15, cy - 10.5, 2.6, 1.1, -20), (cx + 10.5, cy - 4.0, 2.1, 0.9, 35),
              (cx + 18.5, cy - 2.0, 2.1, 0.9, -10)]
    for flip_x in (False, True):
        for flip_y in (False, True):
            for pts in quarter:
                q = mirror_x(pts, cx) if flip_x else pts
                q = mirror_y(q, cy) if flip_y else q
                p.line(q, 0.7, eng)
            for lx, ly, rx, ry, ang in leaves:
                x = 2 * cx - lx if flip_x else lx
                y = 2 * cy - ly if flip_y else ly
                a = ang * (-1 if flip_x != flip_y else 1)
                leaf = p.ellipse(x, y, rx, ry).rotate(-a, center=(x * S, y * S))
                eng = union(eng, leaf)
    for k in range(4):
        a = math.radians(45 + 90 * k)
        pts = [(cx + 0.8 * math.cos(a + 1.2), cy + 0.8 * math.sin(a + 1.2)),
               (cx + 5.0 * math.cos(a), cy + 5.0 * math.sin(a)),
               (cx + 0.8 * math.cos(a - 1.2), cy + 0.8 * math.sin(a - 1.2))]
        p.poly(pts, eng)
    p.line(spiral(cx, cy, 2.6, 0, 360, 1.0, 40), 0.45, eng)
    p.ellipse(cx, cy, 1.1, m=eng)
    p.paint(blur(eng, 0.45), (200, 210, 230), 0.25)
    p.paint(eng, (222, 224, 230))
    vignette(p, 0.12)
    return p.finish()


def stamp_print(p, seed):
    """Mask of a stamped impression: frame, seal and text lines, with the
    patchy ink coverage real stamps leave."""
    m = p.mask()
    m = union(m, sub(p.rect(8, 35, 46, 60, r=1.5), p.rect(9, 36, 45, 59, r=1)))
    m = union(m, sub(p.ellipse(17, 47.5, 6.5), p.ellipse(17, 47.5, 5.6)))
    m = union(m, p.poly(star_pts(17, 47.8, 3.4, 1.5)))
    m = union(m, p.text(35, 42, "PAID", 7.5, bold=True))
    for y, x1 in ((49.5, 43.5), (53, 41), (56.5, 43)):
        m = union(m, p.rect(26.5, y - 0.6, x1, y + 0.6))
    ink = noise(seed, (PIC_W * 2, PIC_H * 2), p.size).point(lambda v: 255 if v > 60 else 120)
    return ImageChops.multiply(m, ink)


@picture(162)
def pic_stamp_holder():
    """Red rubber stamp mounted on its wooden holder, with an impression."""
    p = Pic()
    studio(p, (238, 235, 230), (196, 190, 182))
    paper = p.poly([(-2, 28), (74, 22), (92, 60), (-2, 74)])
    contact_shadow(p, paper, 0.25, 1.0)
    p.paint(paper, p.lgrad((0, 24), (60, 70), (252, 252, 250), (226, 226, 222)))
    imp = Pic(bg=(200, 30, 40))
    imp.paint(stamp_print(imp, 162), (196, 32, 44))
    p.place(imp, 0, 0, 6, center=(27, 47))

    # Holder: wooden block with a turned knob; red rubber underneath.
    bx0, bx1, by0, by1, sk = 50.0, 76.0, 40.0, 51.0, 4.5
    block = p.rect(bx0, by0, bx1, by1)
    topf = p.poly([(bx0, by0), (bx0 + sk, by0 - 4), (bx1 + sk, by0 - 4), (bx1, by0)])
    sidef = p.poly([(bx1, by0), (bx1 + sk, by0 - 4), (bx1 + sk, by1 - 4), (bx1, by1)])
    rubber = p.poly([(bx0 - 0.3, by1), (bx1 + 0.3, by1), (bx1 + sk, by1 - 4), (bx1 + sk, by1 - 1.4),
                     (bx1 + 0.3, by1 + 2.4), (bx0 - 0.3, by1 + 2.4)])
    p.paint(blur(p.ellipse(66, 54.5, 18, 3.2), 1.2), (40, 30, 20), 0.45, track=False)
    wood = wood_tex(p, 162, (214, 168, 112), (176, 124, 70), rings=6)
    p.paint(block, wood)
    p.paint(topf, wood_tex(p, 163, (232, 192, 140), (198, 150, 96), rings=4))
    p.paint(sidef, wood_tex(p, 164, (168, 118, 68), (130, 86, 46), rings=5, vertical=True))
    p.paint(rubber, p.lgrad((0, by1), (0, by1 + 2.4), (214, 40, 46), (150, 18, 26)))
    p.paint(p.rect(bx0, by1 - 0.5, bx1, by1), (60, 40, 30), 0.6)
    # Label on the block face shows the motif, as on real holders.
    p.paint(p.rect(bx0 + 6, by0 + 2.5, bx1 - 6, by1 - 2.5, r=0.6), (246, 244, 238))
    p.paint(p.text((bx0 + bx1) / 2, (by0 + by1) / 2 + 0.2, "PAID", 5.2, bold=True), (196, 32, 44))
    neck = p.rect(61.5, 25, 68.5, 37)
    knob = p.ellipse(65, 20.5, 8.0, 6.5)
    varnish = p.lgrad((56, 14), (74, 34), (176, 96, 50), (92, 44, 20))
    p.paint(p.ellipse(65, 36.5, 5.5, 1.8), (60, 34, 18), 0.5, track=False)
    p.paint(neck, varnish)
    p.paint(inter(neck, p.lgrad((61.5, 0), (68.5, 0), 0, 255)), (40, 16, 6), 0.45)
    p.paint(knob, varnish)
    p.paint(blur(p.ellipse(62, 17.5, 3.0, 2.0), 1.0), (255, 236, 210), 0.7)
    vignette(p, 0.12)
    return p.finish()


@picture(163)
def pic_rubber_plate():
    """Sheet of orange laser rubber with mirrored stamp dies engraved in it."""
    p = Pic()
    studio(p, (236, 236, 236), (192, 194, 198))
    sheet = p.rect(5, 6, 80, 63, r=1.5)
    contact_shadow(p, sheet, 0.35, 1.2)
    base = tex_colour(fbm(163, p.size, [((45, 35), 1.0), ((180, 140), 0.6)]),
                      (236, 118, 36), (250, 146, 60))
    p.paint(sheet, base)
    bevel(p, sheet, (255, 210, 160), (120, 50, 10), 0.5, 0.7, 0.5)

    rough = tex_colour(noise(1630, (PIC_W * 3, PIC_H * 3), p.size), (196, 84, 20), (226, 110, 36))
    dies = [p.ellipse(24, 26, 14.5), p.rect(43, 11, 76, 38, r=1.2), p.rect(10, 44, 76, 59, r=1.2)]
    raised = p.mask()
    # Round seal: rings with dotted lettering and a star, all mirrored.
    raised = union(raised, sub(p.ellipse(24, 26, 13.0), p.ellipse(24, 26, 11.8)),
                   sub(p.ellipse(24, 26, 8.4), p.ellipse(24, 26, 7.6)),
                   p.poly(star_pts(24, 26.3, 5.6, 2.4)))
    for k in range(22):
        a = math.radians(200 - k * 10.5)
        r = 9.9
        raised = union(raised, p.rect(24 + r * math.cos(a) - 0.7, 26 + r * math.sin(a) - 0.9,
                                      24 + r * math.cos(a) + 0.7, 26 + r * math.sin(a) + 0.9))
    raised = union(raised, sub(p.rect(45, 13, 74, 36, r=1), p.rect(46, 14, 73, 35, r=0.6)))
    word = ImageOps.mirror(p.text(PIC_W - 59.5, 21, "ORDER", 7.5, bold=True))
    raised = union(raised, word)
    for y in (27.5, 31.0):
        raised = union(raised, p.rect(49, y, 70, y + 1.3, r=0.5))
    raised = union(raised, sub(p.rect(12, 46, 74, 57, r=1), p.rect(13, 47, 73, 56, r=0.6)))
    line = ImageOps.mirror(p.text(PIC_W - 43, 51.6, "QUALITY CHECKED", 5.6, bold=True))
    raised = union(raised, line)
    for d in dies:
        low = sub(d, raised)
        p.paint(low, rough)
        p.paint(inter(shift(raised, 0.35, 0.5), low), (120, 40, 6), 0.55)
        p.paint(sub(d, erode(d, 0.35)), (110, 40, 8), 0.9)
    bevel(p, raised, (255, 206, 150), (150, 60, 10), 0.3, 0.6, 0.3)
    vignette(p, 0.12)
    return p.finish()


@picture(164)
def pic_portrait_tile():
    """White ceramic tile with a black-and-white portrait lasered on."""
    p = Pic()
    studio(p, (234, 236, 240), (188, 192, 200))
    tx0, ty0, tx1, ty1 = 15.0, 6.0, 71.0, 62.0
    tile = p.rect(tx0, ty0, tx1, ty1, r=2.2)
    contact_shadow(p, tile, 0.4, 1.4)
    thickness(p, tile, (196, 196, 192), 0.5, 0.9, track=False)
    p.paint(tile, p.lgrad((tx0, ty0), (tx1, ty1), (252, 252, 250), (232, 232, 228)))
    bevel(p, tile, (255, 255, 255), (120, 120, 116), 0.7, 0.9, 0.5)

    # The portrait is painted in grey levels, then reduced to pure black
    # dots, because that is what the laser actually produces on a tile.
    q = Pic(50, 50, (0, 0, 0))
    q.img = q.lgrad((0, 0), (50, 50), (236, 236, 236), (196, 196, 196)).convert("RGB")
    q.paint(q.ellipse(25, 57, 23, 15), (46, 46, 46))
    q.paint(q.poly([(20, 43), (25, 51), (30, 43)]), (236, 236, 236))
    q.paint(q.rect(20.5, 32, 29.5, 45, r=3), (150, 150, 150))
    q.paint(q.ellipse(25, 40.5, 5.5, 2.0), (110, 110, 110))
    q.paint(q.ellipse(25.3, 19.5, 11.5, 12.0), (38, 38, 38))
    face = q.ellipse(25, 24.5, 8.8, 11.2)
    q.paint(face, q.lgrad((17, 0), (34, 0), (222, 222, 222), (134, 134, 134)))
    q.paint(inter(face, q.rect(0, 0, 50, 16.5)), (38, 38, 38))
    q.paint(inter(face, q.ellipse(31, 13, 8, 6)), (38, 38, 38))
    for ex in (21.2, 28.6):
        q.paint(q.rect(ex - 2.3, 19.6, ex + 2.0, 20.6, r=0.5), (60, 60, 60))
        q.paint(q.ellipse(ex, 23.0, 1.6, 0.9), (40, 40, 40))
    q.paint(q.line([(25.8, 24), (26.6, 29.5), (25, 30.2)], 0.8), (120, 120, 120))
    q.paint(q.ellipse(25.3, 33.6, 3.2, 0.9), (96, 96, 96))
    q.paint(q.ellipse(16.5, 25.5, 1.4, 2.6), (170, 170, 170))
    q.paint(q.ellipse(33.6, 25.5, 1.2, 2.4), (110, 110, 110))
    grey = q.img.resize((100, 100), Image.LANCZOS).filter(ImageFilter.GaussianBlur(0.6)).convert("L")
    dots = grey.convert("1").convert("L").resize((50 * S, 50 * S), Image.NEAREST)
    art = Image.new("L", p.size, 255)
    art.paste(dots, (int((tx0 + 3) * S), int((ty0 + 3) * S)))
    area = p.rect(tx0 + 3, ty0 + 3, tx1 - 3, ty1 - 3)
    ink = inter(ImageOps.invert(art), area)
    p.paint(ink, (20, 20, 22))
    # Glaze reflection on top of everything.
    gloss = inter(tile, blur(p.poly([(tx0, ty0), (tx0 + 26, ty0), (tx0, ty0 + 30)]), 2.5))
    p.paint(gloss, (255, 255, 255), 0.22)
    vignette(p, 0.12)
    return p.finish()


def snowflake(p, cx, cy, r, seed, rot):
    rng = random.Random(seed)
    w = r * 0.085
    branches = [(rng.uniform(0.32, 0.4), rng.uniform(0.28, 0.36)),
                (rng.uniform(0.55, 0.62), rng.uniform(0.2, 0.27)),
                (rng.uniform(0.76, 0.82), rng.uniform(0.11, 0.16))]
    arm = []
    arm.append([(0, 0), (r, 0)])
    for pos, length in branches:
        for sgn in (-1, 1):
            a = math.radians(sgn * 55)
            arm.append([(pos * r, 0), (pos * r + length * r * math.cos(a), length * r * math.sin(a))])
    m = p.mask()
    for k in range(6):
        ang = rot + 60 * k
        for seg in arm:
            pts = rot_pts([(cx + x, cy + y) for x, y in seg], cx, cy, ang)
            p.line(pts, w * (1.0 if seg[0] == (0, 0) else 0.8), m)
        tip = rot_pts([(cx + r + w * 1.6, cy), (cx + r - w * 1.5, cy - w * 1.5),
                       (cx + r - w * 3, cy), (cx + r - w * 1.5, cy + w * 1.5)], cx, cy, ang)
        p.poly(tip, m)
    hexa = [(cx + r * 0.24 * math.cos(math.radians(rot + 30 + 60 * i)),
             cy + r * 0.24 * math.sin(math.radians(rot + 30 + 60 * i))) for i in range(6)]
    m = union(m, p.poly(hexa))
    hole = [(cx + r * 0.11 * math.cos(math.radians(rot + 60 * i)),
             cy + r * 0.11 * math.sin(math.radians(rot + 60 * i))) for i in range(6)]
    m = sub(m, p.poly(hole))
    # Little diamond cut-outs along the spokes, the kind a fold and two
    # snips make.
    for k in range(6):
        d = rot_pts([(cx + r * 0.47, cy), (cx + r * 0.5, cy - w * 0.38),
                     (cx + r * 0.53, cy), (cx + r * 0.5, cy + w * 0.38)], cx, cy, rot + 60 * k)
        m = sub(m, p.poly(d))
    return m


@picture(165)
def pic_snowflakes():
    """White paper snowflakes cut with the laser, on blue card."""
    p = Pic()
    p.img = p.lgrad((0, 0), (70, 80), (60, 98, 164), (26, 48, 98))
    p.paint(p.rgrad(30, 18, 50, 255, 0), (140, 180, 230), 0.25, track=False)
    fibres = fbm(165, p.size, [((45, 35), 1.0), ((180, 140), 1.0)])
    p.paint(fibres, (255, 255, 255), 0.06, track=False)
    for cx, cy, r, seed, rot in ((26, 32, 21, 1, 8), (64, 21, 14, 2, 20), (64, 51, 12.5, 3, 0)):
        m = snowflake(p, cx, cy, r, 1650 + seed, rot)
        p.shadow(m, 0.9, 1.4, 0.9, 0.55, (8, 16, 40))
        p.paint(m, p.lgrad((cx - r, cy - r), (cx + r, cy + r), (255, 255, 255), (220, 228, 240)))
        p.paint(sub(m, erode(m, 0.3)), (180, 190, 210), 0.4)
    vignette(p, 0.2)
    return p.finish()


def denim(p, seed):
    tw = p.mask()
    d = ImageDraw.Draw(tw)
    step = 5
    for k in range(-p.size[1], p.size[0] + p.size[1], step):
        d.line([(k, 0), (k + p.size[1] * 0.45, p.size[1])], fill=255, width=2)
    tw = tw.filter(ImageFilter.GaussianBlur(0.8))
    slub = noise(seed, (PIC_W * 3, 6), p.size)
    speck = noise(seed + 1, (PIC_W * 2, PIC_H * 2), p.size)
    l = Image.blend(Image.blend(tw, slub, 0.35), speck, 0.3)
    l = ImageOps.autocontrast(l, cutoff=1)
    return l, tex_colour(l, (18, 34, 72), (92, 124, 176), (44, 70, 120))


@picture(167)
def pic_denim():
    """A deer's head bleached into denim by the beam."""
    p = Pic()
    tex_l, tex = denim(p, 167)
    p.img = tex
    p.paint(p.rgrad(40, 30, 60, 0, 255, power=1.6), (0, 0, 20), 0.35, track=False)

    # Seam along the bottom with double top-stitching.
    fold = p.poly([(-2, 58), (92, 52), (92, 74), (-2, 74)])
    p.paint(fold, (0, 0, 0), 0.18)
    p.paint(p.line([(-2, 58), (92, 52)], 0.8), (10, 20, 44), 0.6)
    p.paint(p.line([(-2, 58.9), (92, 52.9)], 0.4), (140, 170, 210), 0.35)
    for off in (2.4, 4.6):
        pts = [(-2, 58 + off), (92, 52 + off)]
        step = [(pts[0][0] + (pts[1][0] - pts[0][0]) * t / 200.0,
                 pts[0][1] + (pts[1][1] - pts[0][1]) * t / 200.0) for t in range(201)]
        for dash in dashes(step, 1.8, 0.9):
            m = p.line(dash, 0.55)
            p.shadow(m, 0.2, 0.3, 0.2, 0.5)
            p.paint(m, (222, 160, 74))

    cx = 42.0
    head = p.poly([(cx - 5.8, 27.5), (cx + 5.8, 27.5), (cx + 7.0, 33), (cx + 4.6, 43), (cx + 3.6, 49.5),
                   (cx + 2.2, 52), (cx - 2.2, 52), (cx - 3.6, 49.5), (cx - 4.6, 43), (cx - 7.0, 33)])
    head = union(head, p.ellipse(cx, 49.8, 3.6, 3.0))
    half = [[(cx - 4, 28), (cx - 7.5, 22), (cx - 12, 16), (cx - 14, 9), (cx - 13, 4)],
            [(cx - 9.8, 19.5), (cx - 16, 18), (cx - 21, 13.5)],
            [(cx - 12.6, 14.5), (cx - 10.8, 8.5), (cx - 8.6, 5)],
            [(cx - 14, 9.5), (cx - 18.5, 6.5)],
            [(cx - 6.2, 24.5), (cx - 4.8, 19)]]
    antlers = p.mask()
    for seg in half:
        p.line(seg, 1.5, antlers)
        p.line(mirror_x(seg, cx), 1.5, antlers)
    ears = union(p.poly([(cx - 5.5, 30), (cx - 15, 27.5), (cx - 11.5, 31.8), (cx - 6, 33.5)]),
                 p.poly([(cx + 5.5, 30), (cx + 15, 27.5), (cx + 11.5, 31.8), (cx + 6, 33.5)]))
    deer = union(head, antlers, ears)
    for ex in (cx - 3.4, cx + 3.4):
        deer = sub(deer, p.ellipse(ex, 36, 0.9, 0.65))
    deer = sub(deer, p.ellipse(cx, 51, 1.8, 1.2))
    deer = sub(deer, p.line([(cx, 38), (cx, 46)], 0.35))
    for sg in (-1, 1):
        deer = sub(deer, p.line([(cx + sg * 7.5, 29.8), (cx + sg * 12, 29.3)], 0.35))
    fibre = tex_l.point(lambda v: 120 + v * 135 // 255)
    p.paint(ImageChops.multiply(blur(deer, 0.25), fibre), (214, 226, 242), 0.95)
    p.paint(ImageChops.multiply(blur(deer, 1.0), fibre), (180, 200, 230), 0.25)
    return p.finish()


@picture(168)
def pic_leather():
    """Leather patch with a couple burnt into it and saddle stitching."""
    p = Pic()
    studio(p, (236, 234, 230), (196, 192, 186))
    x0, y0, x1, y1 = 6.0, 6.0, 80.0, 64.0
    patch = p.rect(x0, y0, x1, y1, r=4)
    contact_shadow(p, patch, 0.4, 1.3)
    pebble = fbm(168, p.size, [((PIC_W * 2, PIC_H * 2), 1.0), ((PIC_W, PIC_H), 0.6), ((20, 16), 0.5)])
    pebble = pebble.filter(ImageFilter.EMBOSS)
    pebble = ImageOps.autocontrast(pebble, cutoff=2)
    p.paint(patch, tex_colour(pebble, (128, 76, 40), (182, 124, 76)))
    p.paint(inter(patch, p.rgrad(36, 26, 50, 0, 255, power=1.5)), (50, 24, 8), 0.45)
    rim = inter(blur(sub(patch, erode(patch, 1.4)), 0.8), patch)
    p.paint(rim, (60, 30, 12), 0.55)
    bevel(p, patch, (230, 180, 130), (40, 20, 8), 0.5, 0.5, 0.5)
    path = rrect_path(x0 + 3.2, y0 + 3.2, x1 - 3.2, y1 - 3.2, 2.2, 0.4)
    path.append(path[0])
    for dash in dashes(path, 1.7, 1.1):
        m = p.line(dash, 0.6)
        p.shadow(m, 0.25, 0.35, 0.25, 0.6, (30, 14, 4))
        p.paint(m, (236, 214, 172))

    him = union(p.ellipse(35, 27, 6.2, 7.2), p.rect(32, 32, 38, 38.5),
                inter(p.ellipse(34, 52, 14.5, 13), p.rect(0, 0, 90, 57.5)))
    him = union(him, inter(p.ellipse(34.5, 22.5, 6.8, 4.2), p.rect(0, 0, 90, 24)))
    her = union(p.ellipse(50, 30, 5.6, 6.6), p.ellipse(51.5, 33.5, 7.3, 9.5),
                inter(p.ellipse(52, 53, 12, 11.5), p.rect(0, 0, 90, 57.5)))
    her = sub(her, inter(p.ellipse(46.5, 31.5, 3.5, 5.5), p.rect(42, 27, 48, 40)))
    her = union(her, p.ellipse(48.5, 30.5, 4.6, 5.6))
    him = sub(him, dilate(her, 0.8))
    couple = union(him, her)
    heart = p.poly(heart_pts(43, 15.5, 9))
    art = union(couple, heart)
    p.paint(shift(art, -0.3, -0.3), (214, 160, 110), 0.35)
    p.paint(art, (70, 36, 16), 0.92)
    p.paint(inter(art, noise(1680, (PIC_W * 2, PIC_H * 2), p.size)), (110, 60, 30), 0.25)
    vignette(p, 0.12)
    return p.finish()


def chair_pts(x, y, s, flip=False):
    pts = [(0, 0), (3.2, 0), (3.2, 20), (17, 20), (17.6, 38), (15.2, 38), (14.8, 24), (3.4, 24),
           (3.0, 31), (14.9, 31), (14.9, 33.2), (3.0, 33.2), (2.6, 38), (0.2, 38), (0.4, 24),
           (-0.4, 3)]
    if flip:
        pts = [(17.6 - px, py) for px, py in pts]
    return [(x + px * s, y + py * s) for px, py in pts]


@picture(169)
def pic_chairs():
    """Two chairs and a table cut from plywood, laser-blackened edges."""
    p = Pic()
    studio(p, (240, 236, 230), (206, 198, 188))
    floor = p.rect(0, 57.5, 90, 70)
    p.paint(floor, p.lgrad((0, 57), (0, 70), (214, 206, 196), (186, 178, 168)), track=False)
    ply = wood_tex(p, 169, (236, 206, 160), (212, 174, 124), rings=5)
    edge = (120, 76, 40)
    items = []
    c1 = p.poly(chair_pts(7, 20, 1.0))
    back_slot = p.rect(0.6 + 7, 4 + 20, 2.6 + 7, 16 + 20, r=0.8)
    items.append(sub(c1, back_slot))
    table = union(p.rect(31, 36, 55, 39.2, r=0.6), p.rect(33, 39, 35.6, 58), p.rect(50.4, 39, 53, 58),
                  p.rect(35, 49, 51, 51))
    items.append(table)
    c2 = p.poly(chair_pts(61.4, 20, 1.0, flip=True))
    items.append(sub(c2, p.rect(61.4 + 15, 24, 61.4 + 17, 36, r=0.8)))
    for m in items:
        p.shadow(m, 2.5, -0.4, 1.2, 0.18)
        thickness(p, m, edge, 1.0, -0.6, track=False)
        p.paint(m, ply)
        p.paint(sub(m, erode(m, 0.35)), (96, 58, 28), 0.9)
    # Contact shadows where the legs meet the floor.
    for x in (8.6, 23.6, 34.3, 51.7, 63.0, 78.0):
        p.paint(blur(p.ellipse(x + 0.8, 58.2, 2.6, 0.8), 0.6), (40, 28, 16), 0.5, track=False)
    vignette(p, 0.12)
    return p.finish()


@picture(170)
def pic_fretwork():
    """A strip of fretwork ornament cut from solid wood."""
    p = Pic()
    studio(p, (236, 236, 232), (192, 190, 184))
    strip = Pic(bg=(200, 150, 96))
    y0, y1, cyy = 19.0, 51.0, 35.0
    body = strip.rect(-20, y0, 110, y1)
    for k in range(-4, 14):
        x = k * 12.0 + 6
        body = sub(body, strip.ellipse(x, y0 - 1.0, 4.2, 3.4))
        body = sub(body, strip.ellipse(x, y1 + 1.0, 4.2, 3.4))
    groove = strip.mask()
    for k in range(-2, 7):
        x = k * 24.0 + 6
        # Four-petal rosette, petals cut as separate holes so the centre
        # stays attached.
        for ang in (0, 90, 180, 270):
            a = math.radians(ang)
            px, py = x + 4.6 * math.cos(a), cyy + 4.6 * math.sin(a)
            petal = strip.ellipse(px, py, 3.4, 1.9).rotate(-ang, center=(px * S, py * S))
            body = sub(body, petal)
        body = sub(body, sub(strip.ellipse(x, cyy, 1.6), strip.ellipse(x, cyy, 0.8)))
        dx = x + 12
        body = sub(body, strip.poly([(dx, cyy - 7.5), (dx + 3.4, cyy), (dx, cyy + 7.5), (dx - 3.4, cyy)]))
        for sy in (-1, 1):
            body = sub(body, strip.ellipse(x + 6.5, cyy + sy * 6.5, 1.1))
            body = sub(body, strip.ellipse(x + 17.5, cyy + sy * 6.5, 1.1))
    for gy in (y0 + 3.6, y1 - 3.6):
        strip.line([(-20, gy), (110, gy)], 0.45, groove)
    grain = wood_tex(strip, 170, (222, 170, 110), (180, 120, 66), rings=8)
    thickness(strip, body, (120, 72, 36), 0.7, 1.1)
    strip.paint(body, grain)
    strip.paint(inter(groove, body), (120, 70, 30), 0.8)
    strip.paint(sub(body, erode(body, 0.35)), (90, 50, 22), 0.85)
    bevel(strip, body, (255, 230, 190), (60, 30, 10), 0.4, 0.35, 0.2)
    p.place(strip, 0, 0, 7, center=(43, 35), shadow=(1.0, 1.8, 1.3, 0.42))
    vignette(p, 0.14)
    return p.finish()


def acrylic_piece(layer, m, face0, face1, edge, depth=(1.2, 1.7)):
    """Glossy coloured acrylic: lit top face, translucent cut edge that
    glows a little where light travels through the sheet."""
    thickness(layer, m, edge, depth[0], depth[1])
    rim = sub(shift(m, depth[0], depth[1]), shift(m, depth[0] * 0.55, depth[1] * 0.55))
    layer.paint(inter(rim, sub(shift(m, depth[0], depth[1]), m)), shade(face0, 1.25), 0.6, track=False)
    layer.paint(m, layer.lgrad((0, 0), (layer.w, layer.h), face0, face1))
    bevel(layer, m, (255, 200, 200), (60, 0, 0), 0.5, 0.8, 0.3)


@picture(173)
def pic_red_cross():
    """A cross cut from red cast acrylic."""
    p = Pic()
    studio(p, (238, 238, 238), (198, 200, 204))
    lay = Pic(bg=(180, 20, 30))
    cross = union(lay.rect(36, 5, 50, 64, r=1.6), lay.rect(20, 18, 66, 32, r=1.6))
    acrylic_piece(lay, cross, (232, 44, 52), (150, 6, 20), (130, 4, 18))
    glint = inter(cross, blur(lay.poly([(30, 5), (42, 5), (24, 64), (12, 64)]), 1.5))
    lay.paint(glint, (255, 255, 255), 0.22, track=False)
    lay.paint(inter(cross, lay.line([(37.2, 7), (37.2, 19.2)], 0.5)), (255, 220, 220), 0.8, track=False)
    lay.paint(inter(cross, lay.line([(22, 19.3), (36, 19.3)], 0.5)), (255, 220, 220), 0.8, track=False)
    # Light passing through the sheet tints its shadow.
    al = lay.alpha.rotate(-8, resample=Image.BICUBIC, center=(43 * S, 35 * S))
    p.shadow(al, 2.2, 3.0, 2.0, 0.28, (120, 10, 20))
    p.shadow(al, 0.4, 0.6, 0.5, 0.25)
    p.place(lay, 0, 0, -8, center=(43, 35))
    vignette(p, 0.12)
    return p.finish()


def red_sheet(lay, pts, seed, face0=(222, 38, 46), face1=(168, 14, 26), edge=(124, 8, 18)):
    m = lay.poly(pts)
    thickness(lay, m, edge, 0.3, 1.1)
    lay.paint(m, lay.lgrad(pts[0], pts[2], face0, face1))
    sheen = inter(m, blur(lay.poly([(pts[0][0] + 18, 0), (pts[0][0] + 36, 0), (pts[0][0] + 14, 70),
                                    (pts[0][0] - 4, 70)]), 4))
    lay.paint(sheen, (255, 255, 255), 0.14, track=False)
    lay.paint(inter(m, noise(seed, (PIC_W * 2, PIC_H * 2), lay.size)), (0, 0, 0), 0.04, track=False)
    bevel(lay, m, (255, 170, 170), (60, 0, 0), 0.45, 0.7, 0.25)
    return m


@picture(174)
def pic_red_sheet():
    """Plain red sheet material, a couple of sheets on the bench."""
    p = Pic()
    studio(p, (236, 236, 236), (194, 196, 200))
    under = Pic(bg=(160, 14, 24))
    red_sheet(under, [(14, 16), (79, 12), (82, 56), (10, 60)], 1741,
              (200, 30, 40), (150, 10, 22), (110, 6, 16))
    p.place(under, 0, 0, 0, shadow=(1.0, 1.8, 1.8, 0.35))
    top = Pic(bg=(180, 20, 30))
    red_sheet(top, [(8, 12), (70, 8), (74, 52), (4, 56)], 1742)
    # Peeled corner of the protective film.
    film = top.poly([(62.5, 9.0), (69.2, 8.5), (70.0, 16.2)])
    top.shadow(film, 0.6, 1.0, 0.8, 0.3)
    top.paint(film, top.lgrad((63, 9), (70, 16), (252, 242, 242), (214, 196, 200)))
    top.paint(top.line([(62.5, 9.0), (70.0, 16.2)], 0.4), (160, 120, 124), 0.6)
    p.place(top, 0, 0, 4, center=(40, 32), shadow=(0.8, 1.4, 1.4, 0.4))
    vignette(p, 0.12)
    return p.finish()


@picture(175)
def pic_paper_figures():
    """A chain of paper figures cut from red paper."""
    p = Pic()
    studio(p, (240, 238, 234), (202, 198, 192))

    def doll(cx, top):
        parts = [p.ellipse(cx, top + 5.2, 4.4, 4.8), p.rect(cx - 1.4, top + 9, cx + 1.4, top + 12),
                 p.poly([(cx - 5.2, top + 11.5), (cx + 5.2, top + 11.5), (cx + 8.6, top + 33),
                         (cx - 8.6, top + 33)]),
                 p.rect(cx - 13.6, top + 12.3, cx + 13.6, top + 15.3, r=1.2),
                 p.rect(cx - 4.6, top + 32, cx - 1.6, top + 43), p.rect(cx + 1.6, top + 32, cx + 4.6, top + 43),
                 p.ellipse(cx - 3.6, top + 43, 2.6, 1.3), p.ellipse(cx + 3.6, top + 43, 2.6, 1.3)]
        m = union(*parts)
        m = sub(m, p.poly(heart_pts(cx, top + 22.5, 6.5)))
        return m

    top = 11.0
    dolls = [doll(16.5 + 26 * i, top) for i in range(3)]
    chain = union(*dolls)
    chain = inter(chain, p.rect(2.6, 0, 82.6, 70))
    p.shadow(chain, 0.8, 1.2, 0.8, 0.4)
    p.shadow(chain, 2.0, 3.0, 2.4, 0.15)
    p.paint(chain, paper_tex(p, 175, (212, 32, 44), 0.07))
    # Accordion folds: alternate panels face the light differently.
    for i in range(3):
        x = 3.5 + 26 * i
        panel = inter(chain, p.rect(x, 0, x + 13, 70))
        p.paint(inter(panel, p.lgrad((x, 0), (x + 13, 0), 0, 255)), (80, 0, 10), 0.16, track=False)
        panel = inter(chain, p.rect(x + 13, 0, x + 26, 70))
        p.paint(inter(panel, p.lgrad((x + 13, 0), (x + 26, 0), 255, 0)), (255, 255, 255), 0.08, track=False)
    for i in range(4):
        x = 3.5 + 13 * (2 * i)
        p.paint(inter(chain, p.line([(x, 20), (x, 30)], 0.35)), (120, 10, 20), 0.5, track=False)
    bevel(p, chain, (255, 150, 150), (80, 0, 0), 0.35, 0.5, 0.3)
    vignette(p, 0.12)
    return p.finish()


@picture(176)
def pic_custom():
    """Red sheet with a framed document mark: stands for any user material."""
    p = Pic()
    studio(p, (236, 236, 236), (194, 196, 200))
    lay = Pic(bg=(180, 20, 30))
    red_sheet(lay, [(8, 8), (78, 8), (78, 62), (8, 62)], 1761)
    white = (250, 236, 232)
    frame = sub(lay.rect(14, 14, 72, 56, r=2), lay.rect(15, 15, 71, 55, r=1.5))
    frame = union(frame, sub(lay.rect(17, 17, 69, 53, r=1.2), lay.rect(17.6, 17.6, 68.4, 52.4, r=0.8)))
    lay.paint(frame, white, 0.9)
    page = lay.poly([(34, 21), (48, 21), (54, 27), (54, 49), (34, 49)])
    lay.shadow(page, 0.6, 0.9, 0.7, 0.45, (60, 0, 0))
    lay.paint(page, lay.lgrad((34, 21), (54, 49), (255, 252, 250), (232, 226, 224)))
    fold = lay.poly([(48, 21), (48, 27), (54, 27)])
    lay.paint(fold, (206, 196, 194))
    lay.paint(lay.line([(48, 21), (48, 27), (54, 27)], 0.4), (170, 150, 150))
    for k, x1 in enumerate((46, 50, 50, 50, 44)):
        y = 25.0 + k * 4.4 + (2 if k else 0)
        lay.paint(lay.rect(37, y, x1 if k else 45, y + 1.2, r=0.5), (190, 60, 66) if k == 0 else (170, 164, 164))
    p.place(lay, 0, 0, 3, center=(43, 35), shadow=(0.9, 1.5, 1.6, 0.4))
    vignette(p, 0.12)
    return p.finish()


# ================================================================ application icon

def icon_image(size, on_dark=False):
    """The mark on a small tilted sheet.  The 16 px version has its own,
    chunkier proportions so the beam survives the reduction; on_dark lifts
    the head's colours for use on the caption bar."""
    k = 8
    n = size * k
    canvas = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    u = n / 48.0

    def layer(mask, colour, a=255):
        nonlocal canvas
        lay = Image.new("RGBA", (n, n), colour + (0,))
        lay.putalpha(mask.point(lambda v: v * a // 255))
        canvas = Image.alpha_composite(canvas, lay)

    def shape(kind, pts, **kw):
        m = Image.new("L", (n, n), 0)
        d = ImageDraw.Draw(m)
        xy = [(x * u, y * u) for x, y in pts]
        if kind == "poly":
            d.polygon(xy, fill=255)
        elif kind == "rrect":
            d.rounded_rectangle([xy[0], xy[1]], radius=kw.get("r", 0) * u, fill=255)
        elif kind == "ellipse":
            d.ellipse([xy[0], xy[1]], fill=255)
        elif kind == "line":
            d.line(xy, fill=255, width=max(1, int(kw["w"] * u)), joint="curve")
        return m

    small = size <= 16
    if small:
        sheet_top = [(0, 33), (27, 25.5), (48, 32), (21, 40.5)]
        drop = 5.0
        head = ((6, 0), (42, 16.5))
        nozzle = [(16, 15), (32, 15), (28, 22), (20, 22)]
        beam = ((24, 21), (24, 33)); bw = 5.0
        spot = ((17, 30), (31, 37))
    else:
        sheet_top = [(1, 34), (28, 26.5), (47, 32.5), (20, 41.5)]
        drop = 3.8
        head = ((8, 1), (40, 15.5))
        nozzle = [(17.5, 15), (30.5, 15), (27, 21), (21, 21)]
        beam = ((24, 20), (24, 34)); bw = 2.4
        spot = ((18.5, 31.5), (29.5, 37))
    sheet_edge = [sheet_top[0], sheet_top[3], sheet_top[2],
                  (sheet_top[2][0], sheet_top[2][1] + drop), (sheet_top[3][0], sheet_top[3][1] + drop),
                  (sheet_top[0][0], sheet_top[0][1] + drop)]
    layer(shape("poly", sheet_edge), (138, 82, 38))
    layer(shape("poly", sheet_top), (226, 168, 100))
    if not small:
        # Grain and the path already burnt in, so it reads as work in progress.
        (ax, ay), (bx, by), (cx_, cy_), (dx_, dy_) = sheet_top
        for t in (0.22, 0.5, 0.78):
            layer(shape("line", [(ax + (bx - ax) * t, ay + (by - ay) * t),
                                 (dx_ + (cx_ - dx_) * t, dy_ + (cy_ - dy_) * t)], w=0.7),
                  (200, 140, 76), 150)
        layer(shape("line", [(8, 36), (13, 32.6), (19, 34.6), (23.5, 34.2)], w=1.7), (96, 48, 18))
    b = shape("line", list(beam), w=bw)
    layer(b.filter(ImageFilter.GaussianBlur(bw * u * 0.9)), (255, 70, 40), 210)
    layer(b, (255, 58, 36))
    layer(shape("line", list(beam), w=bw * 0.35), (255, 214, 180), 220)
    layer(shape("ellipse", list(spot)).filter(ImageFilter.GaussianBlur(1.6 * u)), (255, 170, 60))
    (sx0, sy0), (sx1, sy1) = spot
    mx, my = (sx0 + sx1) / 2.0, (sy0 + sy1) / 2.0
    layer(shape("ellipse", [(mx - (sx1 - sx0) * 0.24, my - (sy1 - sy0) * 0.24),
                            (mx + (sx1 - sx0) * 0.24, my + (sy1 - sy0) * 0.24)]), (255, 248, 226))
    (hx0, hy0), (hx1, hy1) = head
    hm = shape("rrect", [head[0], head[1]], r=3.2)
    body, lit, tip = ((40, 52, 76), (96, 116, 150), (28, 36, 54)) if not on_dark else \
        ((150, 166, 194), (214, 224, 240), (104, 118, 146))
    layer(hm, body)
    layer(ImageChops.multiply(hm, shape("rrect", [(hx0 + 1, hy0 + 1), (hx1 - 1, hy0 + (hy1 - hy0) * 0.42)], r=2)),
          lit)
    st = shape("rrect", [(hx0, hy0 + (hy1 - hy0) * 0.62), (hx1, hy0 + (hy1 - hy0) * 0.8)])
    layer(ImageChops.multiply(st, hm), (240, 64, 44))
    layer(shape("poly", nozzle), tip)
    return canvas.convert("RGBa").resize((size, size), Image.LANCZOS).convert("RGBA")


def write_ico(path, images):
    """Classic DIB-based icon entries (32-bit BGRA plus AND mask).

    Written by hand so every resource compiler and every Windows version
    (and Wine) can read it; PNG-compressed entries are not universal."""
    entries, blobs = [], []
    for im in images:
        w, h = im.size
        px = im.load()
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        stride = ((w + 31) // 32) * 4
        andm = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(w):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            andm += row
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                             len(xor) + len(andm), 0, 0, 0, 0)
        blob = header + bytes(xor) + bytes(andm)
        entries.append((w, h, blob))
        blobs.append(blob)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, blob in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


# ================================================================ preview

# Rectangles the program places over the skin, in client pixels
# (left, top, right, bottom; right/bottom exclusive as in Win32).
CONTROL_RECTS = (
    [(341, 30, 511, 83), (52, 75, 153, 95), (155, 75, 298, 95), (296, 75, 535, 95)]
    + [(57, y, 152, y + 24) for y in (94, 120, 144)]
    + [(156, 99 + 24 * i, 293, 123 + 24 * i) for i in range(9)]
    + [(296, 95, 533, 218)]
    + [(305, 217, 360, 232), (305, 251, 360, 266), (305, 285, 360, 300),
       (383, 217, 438, 232), (383, 253, 438, 268)]
    + [(x, y, x + 57, y + 18) for x, y in ((303, 231), (303, 268), (303, 300), (383, 231), (383, 268))]
    + [(440, 234, 525, 254), (440, 266, 525, 286), (440, 300, 525, 320)]
    + [(443, 230, 525, 253), (443, 260, 525, 283), (443, 295, 525, 318)]
    + [(470, 338, 580, 354)]
)


def build_preview(skin, pics):
    sheet_rows = (len(pics) + 5) // 6
    out = Image.new("RGB", (SKIN_W, SKIN_H + 12 + sheet_rows * 90), (60, 64, 72))
    shot = skin.copy()
    d = ImageDraw.Draw(shot)
    f = font(11)

    def c(x, y):
        return (x + CX, y + CY)

    # Sample text in the colours the program uses, to judge contrast.
    for (x0, y0, x1, y1), text, colour in (
            ((341, 30, 511, 83), "Acrylic, clear 3 mm", TEXT_BLUE),
            ((52, 75, 153, 95), "Group", TEXT_BLUE),
            ((155, 75, 298, 95), "Category", TEXT_BLUE),
            ((296, 75, 535, 95), "Materials", TEXT_BLUE),
            ((440, 234, 525, 254), "Accept", TEXT_BLUE),
            ((440, 266, 525, 286), "Save as", TEXT_GREY),
            ((440, 300, 525, 320), "Cancel", TEXT_BLUE)):
        draw_text(d, c((x0 + x1) / 2, (y0 + y1) / 2), text, colour, f)
    for i, name in enumerate(("Standard", "User", "Favourites")):
        draw_text(d, c(104, 106 + 24 * i + (1 if i else 0)), name, TEXT_BLUE, f)
    for i, name in enumerate(("Acrylic", "Glass", "Wood", "Leather", "Metal", "Paper",
                              "Rubber", "Stone", "Textile")):
        draw_text(d, c(224, 111 + 24 * i), name, TEXT_BLUE if i != 4 else TEXT_GREY, f)
    for (x, y), name, colour in (((305, 217), "Power", TEXT_BLUE), ((305, 251), "Speed", TEXT_BLUE),
                                 ((305, 285), "Passes", TEXT_GREY), ((383, 217), "PPI", TEXT_BLUE),
                                 ((383, 253), "Mode", TEXT_GREY)):
        draw_text(d, c(x, y + 7), name, colour, f, anchor="lm")
    draw_text(d, c(470, 345), "Version 1.0.0", TEXT_VERSION, f, anchor="lm")
    for (x0, y0, x1, y1) in CONTROL_RECTS:
        d.rectangle([c(x0, y0), c(x1 - 1, y1 - 1)], outline=(255, 0, 255))
    # The pictures appear as items of the material list.
    shot.paste(pics[0][1].crop((0, 0, 85, 70)), c(306, 104))
    shot.paste(pics[8][1].crop((0, 0, 85, 70)), c(404, 104))
    out.paste(shot, (0, 0))

    d = ImageDraw.Draw(out)
    for i, (pid, im) in enumerate(pics):
        x = 8 + (i % 6) * 98
        y = SKIN_H + 12 + (i // 6) * 90
        out.paste(im.crop((0, 0, 85, 70)), (x, y))
        draw_text(d, (x + 42, y + 78), str(pid), (220, 224, 232), f)
    return out


# ================================================================ main

def save_bmp(im, path):
    im.convert("RGB").save(path, format="BMP")


def save_png(im, path):
    im.convert("RGB").save(path, format="PNG", optimize=True)


# The ids of the window image and of a set's place among the scales, as
# resources/resource.h gives them (IDB_WINDOW_IMAGE, IDB_ART_SET_STEP).
SKIN_ID = 129
SET_STEP = 1000


def write_scaled_rc(path):
    lines = ["// Written by tools/gen_artwork.py: the window image and the material",
             "// pictures at 125, 150, 175 and 200 percent (resource.h, IDB_ART_SET_STEP).",
             ""]
    for place, percent in enumerate(PERCENTS[1:], 1):
        for rid, name in [(SKIN_ID, "skin")] + [(pid, "pic%d" % pid) for pid in PIC_IDS]:
            lines.append('%d PNG "art/%d/%s.png"' % (rid + SET_STEP * place, percent, name))
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def draw_set(percent, only, written):
    """The window image and the pictures at one scale; the 100 percent ones
    as they are drawn, for the preview."""
    set_scale(percent)
    folder, save, ext = (OUT_DIR, save_bmp, "bmp") if percent == 100 else \
        (os.path.join(OUT_DIR, str(percent)), save_png, "png")
    os.makedirs(folder, exist_ok=True)
    skin = build_skin()
    assert skin.size == (scaled(SKIN_W), scaled(SKIN_H))
    path = os.path.join(folder, "skin." + ext)
    save(skin, path)
    written.append(path)

    pics = []
    size = (scaled(PIC_W), scaled(PIC_H))
    for pid in PIC_IDS:
        if only and pid not in only:
            continue
        im = PICTURES[pid]()
        assert im.size == size
        assert KEY not in {c for _, c in im.getcolors(size[0] * size[1])}
        path = os.path.join(folder, "pic%d.%s" % (pid, ext))
        save(im, path)
        written.append(path)
        pics.append((pid, im))
    set_scale(100)
    return skin, pics


def main(argv):
    """Arguments: picture ids to draw only those, --percent P to draw only
    that scale."""
    only = {int(a) for a in argv[1:] if a.isdigit()}
    percents = PERCENTS
    if "--percent" in argv:
        percents = (int(argv[argv.index("--percent") + 1]),)
        only.discard(percents[0])
    os.makedirs(OUT_DIR, exist_ok=True)
    written = []

    for percent in percents:
        drawn = draw_set(percent, only, written)
        if percent == 100:
            skin, pics = drawn
    path = os.path.join(OUT_DIR, "scaled.rc")
    write_scaled_rc(path)
    written.append(path)
    if 100 not in percents:
        for path in written:
            print("wrote", os.path.relpath(path, ROOT))
        return

    path = os.path.join(OUT_DIR, "app.ico")
    write_ico(path, [icon_image(s) for s in (16, 32, 48)])
    written.append(path)

    if len(pics) >= 9:
        path = os.path.join(OUT_DIR, "preview.png")
        build_preview(skin, pics).save(path, format="PNG", optimize=False)
        written.append(path)
    elif pics:
        strip = Image.new("RGB", (len(pics) * 95, 80), (60, 64, 72))
        for i, (pid, im) in enumerate(pics):
            strip.paste(im, (i * 95, 5))
        strip.save("/tmp/gen_artwork_strip.png")

    for path in written:
        print("wrote", os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main(sys.argv)
