// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/colours.h"

#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace orv {

const QPalette &designedPalette()
{
    static const QPalette palette = [] {
        // Fusion's own palette is Qt's light default whatever the desktop
        // says; its style is built into Qt, so it is always there.
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette designed = fusion ? fusion->standardPalette() : QPalette(Qt::black, QColor(239, 239, 239));
        // A role counts as set only once it is written: written all, the
        // desktop's palette has nothing left to fill in.
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = QPalette::ColorGroup(group);
                const auto r = QPalette::ColorRole(role);
                designed.setBrush(g, r, designed.brush(g, r));
            }
        return designed;
    }();
    return palette;
}

} // namespace orv
