#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Cuts the Japanese faces the windows use down to the characters the
program shows; the cut faces are kept in resources/faces and compiled in:

    subset_fonts.py OUT_DIR SOURCE...           writes the four faces into
                                                OUT_DIR, from the system's
                                                Noto CJK faces
    subset_fonts.py --covers FACE_DIR SOURCE... fails, naming them, when a
                                                face lacks a character the
                                                sources show (77: no fontTools)

A whole Noto Sans CJK collection face is tens of thousands of glyphs; merely
opening one touches megabytes of its tables. The cut faces keep the glyphs,
metrics, hinting and layout features of the characters kept, so text looks
the same; any other character falls back to the full system face. They keep
their family name and take the vendor ORVL, so the program can ask for them
as "<family> [ORVL]" and still fall back to the system's "<family>".
"""
import os
import subprocess
import sys

VENDOR = "ORVL"
# (output file, family, style) for every face the windows are drawn with.
FACES = [
    ("gothic-regular.otf", "Noto Sans Mono CJK JP", "Regular"),
    ("gothic-bold.otf", "Noto Sans Mono CJK JP", "Bold"),
    ("pgothic-regular.otf", "Noto Sans CJK JP", "Regular"),
    ("pgothic-bold.otf", "Noto Sans CJK JP", "Bold"),
]


def system_face(family, style):
    """(file, index in the collection) of an installed face, or None."""
    out = subprocess.run(["fc-list", f"{family}:style={style}", "file", "index", "family"],
                         capture_output=True, text=True).stdout
    for line in out.splitlines():
        # "/path/file.ttc: Noto Sans CJK JP,Noto Sans CJK JP Bold:index=5"
        path, _, rest = line.partition(": ")
        names, _, index = rest.rpartition(":index=")
        if family in names.split(","):
            return path, int(index)
    return None


def characters(sources):
    """Every character a window can show: printable ASCII, the full-width
    forms a user may type, and every non-ASCII character of the sources."""
    chars = {chr(c) for c in range(0x20, 0x7F)}
    chars |= {chr(c) for c in range(0xFF01, 0xFF5F)}
    chars.add("\u3000")
    for path in sources:
        with open(path, encoding="utf-8") as f:
            chars |= {c for c in f.read() if ord(c) > 0x7F and c.isprintable()}
    return "".join(sorted(chars))


def covers(face_dir, sources):
    try:
        from fontTools.ttLib import TTFont
    except ImportError:
        print("faces: python3-fonttools is missing")
        return 77
    wanted = set(characters(sources))
    status = 0
    for name, _, _ in FACES:
        font = TTFont(os.path.join(face_dir, name), lazy=True)
        missing = sorted(c for c in wanted if ord(c) not in font.getBestCmap())
        if missing:
            print(f"faces: {name} lacks {''.join(missing)}; remake them: "
                  "cmake --build build --target subset_faces")
            status = 1
    if status == 0:
        print(f"faces: every face has all {len(wanted)} characters the sources show")
    return status


def main(argv):
    if argv[1:2] == ["--covers"]:
        return covers(argv[2], argv[3:])
    out_dir, sources = argv[1], argv[2:]
    from fontTools import subset
    from fontTools.ttLib import TTFont

    text = characters(sources)
    for name, family, style in FACES:
        found = system_face(family, style)
        if not found:
            sys.exit(f"{family} {style} is not installed (fonts-noto-cjk)")
        path, index = found
        options = subset.Options()
        options.name_IDs = ["*"]
        options.name_languages = ["*"]
        options.font_number = index
        font = TTFont(path, fontNumber=index, recalcTimestamp=False, lazy=True)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        font["OS/2"].achVendID = VENDOR
        font.save(f"{out_dir}/{name}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
