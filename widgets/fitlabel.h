// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QVarLengthArray>

#include <utility>

namespace orv {

// A label that never cuts its text short: when the text is wider than the
// box it is drawn horizontally condensed to fit, and big glyphs that a line
// would push out of the box are centred by their ink. The designed boxes
// were measured for faces with narrower kana, punctuation and digits than
// the Japanese fonts we have. font() keeps the designed face and size. Text
// is always plain, never markup, since some captions show what the user
// typed.
class FitLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FitLabel(const QString &text, QWidget *parent = nullptr);

    // A label that sizes itself to its text: when the text is wider than the
    // designed box, the box grows on screen away from its aligned edge (a
    // right-aligned figure grows to the left). It never shrinks below the
    // designed box, and the "twips" property keeps the designed box.
    void setAutoGrow(bool grow);
    // Re-applies the size after a change of text or font.
    void fitToText();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The box the text is drawn in, inside the margins.
    QRect textBox() const;
    int textWidth(const QString &caption);
    QString shapeKey(const QString &caption) const;

    bool m_autoGrow = false;

    // Measuring text is most of what a tick costs. Figures change every
    // second but keep their shape, and the faces draw every digit equally
    // wide, so a measure taken once serves every text of the same shape.
    // Most labels show one or two shapes: a short list does, where a hash
    // table would cost a kilobyte a label.
    class WidthCache
    {
    public:
        const int *find(const QString &shape) const
        {
            for (const auto &entry : m_entries)
                if (entry.first == shape)
                    return &entry.second;
            return nullptr;
        }
        void insert(const QString &shape, int value)
        {
            if (m_entries.size() >= 16)
                m_entries.clear();
            m_entries.append({shape, value});
        }
        void clear() { m_entries.clear(); }

    private:
        QVarLengthArray<std::pair<QString, int>, 2> m_entries;
    };
    QFont m_widthFont;
    bool m_tabularDigits = false;
    WidthCache m_widths;
};

} // namespace orv
