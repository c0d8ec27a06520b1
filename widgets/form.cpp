// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/form.h"

#include "common/fonts.h"
#include "common/numbers.h"
#include "common/twips.h"
#include "widgets/colours.h"
#include "widgets/fitlabel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace orv {

Form::Form(const QString &name, const QString &caption, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
{
    setObjectName(name);
    setWindowTitle(caption);
    // Controls without a font of their own use the window's: the
    // proportional Gothic face at its usual 9 pt.
    setFont(designedFont(kPGothic, 9, false));
    // Drawn on the light default whatever scheme the desktop has, then or
    // later: a dark scheme would write light text on the light panels.
    setPalette(designedPalette());
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    formLoad();
}

void Form::unload()
{
    if (m_loaded)
        close();
}

void Form::setVisible(bool visible)
{
    if (visible)
        load();
    // Framing noticed while showing would come before the re-centring below.
    m_showing = true;
    QWidget::setVisible(visible);
    m_showing = false;
    // Centring at load had to guess the frame; once shown it is known.
    if (visible && m_recentre) {
        m_recentre = false;
        centreOnScreen();
    }
    if (visible)
        checkFramed();
}

void Form::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_loaded) {
        m_loaded = false;
        formQueryUnload();
        emit unloaded();
    }
}

Qt::WindowFlags Form::fixedSingleFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

Qt::WindowFlags Form::fixedDialogFlags()
{
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
           | Qt::WindowCloseButtonHint;
}

void Form::setClientSizeTwips(int width, int height)
{
    setFixedSize(twipsToPx(width), twipsToPx(height));
}

namespace {
// By class, not by name: every label a window's builders made.
void growAll(const QObject *parent)
{
    for (QObject *child : parent->children()) {
        if (auto *label = qobject_cast<FitLabel *>(child))
            label->setAutoGrow(true);
        growAll(child);
    }
}
} // namespace

void Form::growLabelsToText()
{
    growAll(this);
}

void Form::setDefaultButton(QPushButton *button)
{
    if (m_defaultButton && m_defaultButton != button)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    if (button)
        button->setDefault(true);
}

void Form::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A window without a default button lets Enter press the focused
        // button, as Space does (Qt never leaves the focus on a hidden or
        // disabled button).
        QPushButton *target = m_defaultButton;
        if (!target)
            target = qobject_cast<QPushButton *>(focusWidget());
        else if (!target->isVisible() || !target->isEnabled())
            target = nullptr;
        if (target) {
            target->click();
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // Before the first show the frame is unknown and the outer size is the
    // client size; once shown, the frame counts too. move() places the outer
    // top-left corner of a window.
    const QSize outer = frameGeometry().size();
    const int left = roundToInt(area.x() + (area.width() - outer.width()) / 2.0);
    const int top = roundToInt(area.y() + (area.height() - outer.height()) / 2.0);
    move(left, top);
    m_recentre = !isVisible();
}

void Form::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    checkFramed();
}

void Form::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    checkFramed();
}

void Form::checkFramed()
{
    if (m_framed || m_showing || !isVisible() || frameGeometry() == geometry())
        return;
    m_framed = true;
    emit framed();
}

} // namespace orv
