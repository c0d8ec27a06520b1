// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/colours.h"

#include <QPalette>

#include <iterator>

namespace orv {

namespace {

// Every colour Qt draws the controls with, by role: Qt's light default,
// written out here so that no style, platform theme or colour scheme of the
// desktop can change one of them.
struct RoleColours
{
    QPalette::ColorRole role;
    QRgb active;
    QRgb inactive;
    QRgb disabled;
};

constexpr RoleColours kDesigned[] = {
    {QPalette::WindowText, 0xff000000, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xffefefef, 0xffefefef, 0xffefefef},
    {QPalette::Light, 0xffffffff, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xffffffff, 0xffefefef},
    {QPalette::Window, 0xffefefef, 0xffefefef, 0xffefefef},
    {QPalette::Shadow, 0xff767676, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, 0xff308cc6, 0xff308cc6, 0xff919191},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000, 0x80000000},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    {QPalette::Accent, 0xff308cc6, 0xff308cc6, 0xff919191},
#endif
};
static_assert(std::size(kDesigned) + 1 == QPalette::NColorRoles, "every role but NoRole has its colours");

} // namespace

const QPalette &designedPalette()
{
    static const QPalette palette = [] {
        QPalette designed;
        // Written, a role counts as set: nothing is left for a desktop's
        // palette to fill in, then or later.
        for (const RoleColours &colours : kDesigned) {
            designed.setColor(QPalette::Active, colours.role, QColor::fromRgba(colours.active));
            designed.setColor(QPalette::Inactive, colours.role, QColor::fromRgba(colours.inactive));
            designed.setColor(QPalette::Disabled, colours.role, QColor::fromRgba(colours.disabled));
        }
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            designed.setBrush(QPalette::ColorGroup(group), QPalette::NoRole, QBrush());
        return designed;
    }();
    return palette;
}

} // namespace orv
