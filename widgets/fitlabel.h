#pragma once

#include "widgets/figureglyphs.h"

#include <QLabel>
#include <QVarLengthArray>

#include <memory>
#include <utility>

namespace orv {

// A label that never cuts its text short: when the text is wider than the
// box it is drawn horizontally condensed to fit. The designed boxes were
// measured for faces with narrower kana, punctuation and digits than the
// Japanese fonts we have. font() keeps the designed face and size. Text is
// always plain, never markup, since some captions show what the user typed.
class FitLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FitLabel(const QString &text, QWidget *parent = nullptr);
    ~FitLabel() override;

    // A label that sizes itself to its text: when the text is wider than the
    // designed box, the box grows on screen away from its aligned edge (a
    // right-aligned figure grows to the left). It never shrinks below the
    // designed box, and the "twips" property keeps the designed box.
    void setAutoGrow(bool grow);
    // Re-applies the size after a change of text or font.
    void fitToText();
    // Sets the text, repainting only the characters that changed when the
    // rest of a figure stays in place (a clock's seconds, say).
    void changeText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The box the text is drawn in, inside the margins.
    QRect textBox() const;
    // The label's font, condensed when a text needing that width is wider.
    QFont fontFitting(int needed, int width) const;
    int textWidth(const QString &caption);
    QString shapeKey(const QString &caption) const;
    bool sameShape(const QString &a, const QString &b) const;
    QRect inkOf(const QString &caption, const QFont &font);
    // Lays a figure out for drawing from glyph images; false for any text
    // Qt draws itself.
    bool layoutFigure(const QString &caption, FigureGlyphs::Layout &layout);

    std::unique_ptr<FigureGlyphs> m_figures;
    bool m_autoGrow = false;

    // Shaping text is the costly part of a tick. Figures change every second
    // but keep their shape, and the faces draw every digit equally wide, so
    // a measure taken once serves every text of the same shape. Most labels
    // show one or two shapes: a short list does, where a hash table would
    // cost a kilobyte a label.
    template <typename V>
    class ShapeCache
    {
    public:
        const V *find(const QString &shape) const
        {
            for (const auto &entry : m_entries)
                if (entry.first == shape)
                    return &entry.second;
            return nullptr;
        }
        void insert(const QString &shape, const V &value)
        {
            if (m_entries.size() >= 16)
                m_entries.clear();
            m_entries.append({shape, value});
        }
        void clear() { m_entries.clear(); }

    private:
        QVarLengthArray<std::pair<QString, V>, 2> m_entries;
    };
    QFont m_widthFont;
    bool m_tabularDigits = false;
    ShapeCache<int> m_widths;
    ShapeCache<QRect> m_inks;
};

} // namespace orv
