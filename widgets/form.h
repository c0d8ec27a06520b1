// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace orv {

// A top-level window with the load/unload life of the program's windows.
//
// Constructing a form builds its controls with all state zero or empty, but
// does not load it. Loading runs formLoad() once; it happens when the window
// is shown or when code asks for one of its controls. Unloading closes the
// window, running formQueryUnload(), and keeps the object and its state; the
// next show loads it again. A close is never refused.
//
// A form knows nothing of the windows around it: it says when it has closed
// and when it has first been framed, and whoever owns it listens.
class Form : public QWidget
{
    Q_OBJECT

public:
    Form(const QString &name, const QString &caption, Qt::WindowFlags flags);

    bool isLoaded() const { return m_loaded; }
    // Runs formLoad() unless the window is loaded already.
    void load();
    // Closes the window if it is loaded; does nothing otherwise.
    void unload();

    void setVisible(bool visible) override;

    // Centres the outer window on the primary screen.
    void centreOnScreen();

    // Border styles of the windows.
    static Qt::WindowFlags fixedSingleFlags();   // minimise and close, no maximise
    static Qt::WindowFlags fixedDialogFlags();   // close only

signals:
    // After the close handling of an unload.
    void unloaded();
    // Once, when the window manager has first framed the window: only then
    // are the outer size and place of a window known.
    void framed();

protected:
    virtual void formLoad() {}
    virtual void formQueryUnload() {}
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Enter presses the default button while it is visible and enabled.
    void keyPressEvent(QKeyEvent *event) override;

    void setClientSizeTwips(int width, int height);

    // Makes every text label of the window, in its panels too, size itself
    // to its text.
    void growLabelsToText();

    // Makes one button the window's default (the one Enter presses) and
    // clears the flag on the one before.
    void setDefaultButton(QPushButton *button);

private:
    void checkFramed();

    QPointer<QPushButton> m_defaultButton;
    bool m_loaded = false;
    bool m_recentre = false;
    bool m_framed = false;
    bool m_showing = false;
};

} // namespace orv
