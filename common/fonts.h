// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

namespace orv {

// The faces the windows are designed with. Code names these; one
// substitution table maps them onto the Japanese fonts a Debian desktop has.
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");      // fixed pitch
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");   // proportional

// Registers the compiled-in faces, and the substitutions with Qt: the real
// faces tried, in order, for each designed face. Call after the application
// object exists and before any window is built; calling it again is
// harmless.
void installFontSubstitutions();

// A font of a designed face with an exact point size.
QFont designedFont(const QString &face, double pointSize, bool bold);

} // namespace orv
