#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads Orvalen's windows through the AT-SPI accessibility bus, as a screen
reader does, and checks the names of its controls. Run by atspi-check.sh."""
import re
import sys
import time

import pyatspi


def find_app(name, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        name = node.name
        states = node.getState()
        showing = states.contains(pyatspi.STATE_SHOWING)
    except Exception:
        return
    if name and showing:
        value = ""
        try:
            value = node.queryText().getText(0, -1)
        except Exception:
            pass
        found.setdefault(name, []).append(value)
    for child in node:
        walk(child, found, depth + 1)


def names(app):
    found = {}
    walk(app, found)
    return found


def press(app, name):
    found = []

    def look(node, depth=0):
        if node is None or depth > 40 or found:
            return
        if node.name == name and node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            found.append(node)
            return
        for child in node:
            look(child, depth + 1)

    look(app)
    if not found:
        return False
    action = found[0].queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Click"):
            return action.doAction(i)
    return action.doAction(0)


def expect(found, wanted, where):
    missing = [w for w in wanted if w not in found]
    for w in wanted:
        print(f"  {where}: {w} = {', '.join(found.get(w, ['<missing>']))}")
    return missing


# The figures of the multiple-choice family a few seconds into the paper:
# each name, and what its text must look like.
FIGURES = {
    "残り時間": r"3:2\d:\d\d",
    "アドバンテージ": r"-",
    "必要処理時間": r"3:\d\d",
    "標準処理時間（残）": r"3:2\d",
    "実際の進度（問目）": r"1",
    "経過時間": r"\d",
}


def main():
    app = find_app("orvalen") or find_app("Orvalen")
    if app is None:
        print("atspi: the program did not appear on the accessibility bus")
        return 1
    missing = expect(names(app), ["択　一", "論　文", "ラーメンタイマー"], "menu")
    if not press(app, "択　一"):
        print("atspi: could not press 択　一")
        return 1
    # The three-second countdown, then the first ticks: until every figure
    # reads as it should, or 20 s. A heading may share its figure's name;
    # the figure reads as the figure.
    def wrong_figures(found):
        return [name for name, shape in FIGURES.items()
                if not any(re.fullmatch(shape, text) for text in found.get(name, []))]

    end = time.time() + 20
    found = names(app)
    while wrong_figures(found) and time.time() < end:
        time.sleep(0.25)
        found = names(app)
    missing += expect(found, list(FIGURES) + ["次の問題へ（Done）"], "multiple choice")
    wrong = wrong_figures(found)
    if missing or wrong:
        print("atspi: missing names: " + ", ".join(missing) + "; texts not as they should be: " + ", ".join(wrong))
        return 1
    print("atspi: every name and figure read from outside")
    return 0


if __name__ == "__main__":
    sys.exit(main())
