// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <functional>

class QWidget;

namespace orv {

// The desktop file the program's windows belong to (and its icon name).
inline constexpr char kDesktopFileName[] = "org.orvalen.Orvalen";

// Before the application object: what the system the program runs on
// needs said first (app/linux/, app/windows/).
void prepareEnvironment();

// After the application object, before the first window: the program's
// name and desktop entry, Qt's strings in Japanese, the designed faces,
// what a screen reader reads, and the style that shares palettes.
void prepareApplication();

// Loads Qt's own strings in Japanese (its dialogs' buttons, the text
// fields' menu), whatever the system's locale: the program speaks Japanese.
// Without the translation Qt's strings stay English, with one warning on
// orvalen.translation. Call once, after the application object exists and
// before the first window.
void installQtTranslation();

// Runs `action` once, from the event loop, after the window's first paint:
// work that would otherwise hold back the first frame.
void afterFirstPaint(QWidget *window, std::function<void()> action);

} // namespace orv
