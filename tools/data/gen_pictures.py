#!/usr/bin/env python3
# Draws the weapon and equipment cards (data/dlls/cvardll/guns/*.jpg) and the
# picture for a mod without an icon (data/dlls/unknown.jpg).
# Run: python3 tools/data/gen_pictures.py
# Needs ImageMagick's "convert" and the DejaVu fonts (Debian: imagemagick, fonts-dejavu-core).

import os
import subprocess
import sys

sys.dont_write_bytecode = True

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import content_commands as cmd  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
GUNS = os.path.join(ROOT, "data", "dlls", "cvardll", "guns")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
PLAIN = os.path.join(FONT_DIR, "DejaVuSans.ttf")

WIDTH, HEIGHT = 200, 120

# Kind of item -> colour of the card's top band.
KIND_COLOURS = {
    "Пистолет": "#3b6ea5",
    "Дробовик": "#8a5a2b",
    "Пистолет-пулемёт": "#4f7f3a",
    "Винтовка": "#8c2f2f",
    "Снайперская": "#5b3f8c",
    "Пулемёт": "#7a4a1a",
    "Граната": "#6b6b2a",
    "Снаряжение": "#2f6f6f",
    "Нож": "#555555",
    "Бомба": "#9a3a12",
}

KINDS = {
    "knife": "Нож", "glock18": "Пистолет", "usp": "Пистолет", "p228": "Пистолет",
    "deagle": "Пистолет", "elite": "Пистолет", "fiveseven": "Пистолет",
    "m3": "Дробовик", "xm1014": "Дробовик",
    "mac10": "Пистолет-пулемёт", "tmp": "Пистолет-пулемёт", "mp5navy": "Пистолет-пулемёт",
    "ump45": "Пистолет-пулемёт", "p90": "Пистолет-пулемёт",
    "ak47": "Винтовка", "sg552": "Винтовка", "m4a1": "Винтовка", "aug": "Винтовка",
    "scout": "Снайперская", "awp": "Снайперская", "g3sg1": "Снайперская", "sg550": "Снайперская",
    "m249": "Пулемёт",
    "hegrenade": "Граната", "flashbang": "Граната", "smokegrenade": "Граната",
    "c4": "Бомба",
    "kev": "Снаряжение", "kevhelmet": "Снаряжение", "defuskid": "Снаряжение", "night": "Снаряжение",
}


def card(path, title, subtitle, price, kind):
    band = KIND_COLOURS[kind]
    price_text = (price + "$") if price else "бесплатно"
    # DejaVu Sans Bold is about 0.68 em wide per character; keep the title inside the card.
    title_size = max(11, min(20, int((WIDTH - 16) / (0.68 * len(title)))))
    args = [
        "convert", "-size", "%dx%d" % (WIDTH, HEIGHT), "gradient:#2b2f36-#15171b",
        "-fill", band, "-draw", "rectangle 0,0 %d,22" % (WIDTH - 1),
        "-fill", "#9aa3ad", "-draw", "rectangle 0,%d %d,%d" % (HEIGHT - 2, WIDTH - 1, HEIGHT - 1),
        "-font", BOLD, "-pointsize", "12", "-fill", "#ffffff",
        "-gravity", "northwest", "-annotate", "+8+4", kind.upper(),
        "-font", BOLD, "-pointsize", str(title_size), "-fill", "#f2f2f2",
        "-gravity", "center", "-annotate", "+0-8", title,
        "-font", PLAIN, "-pointsize", "11", "-fill", "#aeb6bf",
        "-gravity", "southwest", "-annotate", "+8+8", subtitle,
        "-font", BOLD, "-pointsize", "15" if price else "11", "-fill", "#f0c040" if price else "#aeb6bf",
        "-gravity", "southeast", "-annotate", "+8+6", price_text,
        "-strip", "-interlace", "none", "-sampling-factor", "2x2", "-quality", "88",
        path,
    ]
    subprocess.run(args, check=True)


def main():
    os.makedirs(GUNS, exist_ok=True)
    for old in os.listdir(GUNS):
        os.remove(os.path.join(GUNS, old))
    for entry, title, price, _text in cmd.WEAPONS:
        short = entry[len("weapon_"):]
        card(os.path.join(GUNS, entry + ".jpg"), title, entry, price, KINDS[short])
    for entry, title, price, caption in cmd.EQUIPMENT_PICTURES:
        short = entry[len("weapon_"):]
        card(os.path.join(GUNS, entry + ".jpg"), title, caption, price, KINDS[short])

    unknown = os.path.join(ROOT, "data", "dlls", "unknown.jpg")
    subprocess.run([
        "convert", "-size", "32x32", "gradient:#4a525c-#23272d",
        "-fill", "none", "-stroke", "#c8ced6", "-strokewidth", "2",
        "-draw", "roundrectangle 2,2 29,29 5,5",
        "-stroke", "none", "-fill", "#f0c040", "-font", BOLD, "-pointsize", "20",
        "-gravity", "center", "-annotate", "+0+0", "?",
        "-strip", "-quality", "90", unknown,
    ], check=True)
    print("pictures written to", GUNS)


if __name__ == "__main__":
    main()
