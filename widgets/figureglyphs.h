#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVarLengthArray>

#include <array>

class QPainter;

namespace orv {

// Draws figures (digits, ':' and '-') from glyph images rendered once per
// face. Shaping and rasterising a clock's text every second is most of what
// a running timer would cost, and Qt does not cache big glyphs. Private to
// FitLabel, which decides the face and the baseline; this class only renders,
// places and paints the glyphs.
class FigureGlyphs
{
public:
    // Where each character of a figure goes.
    struct Layout
    {
        qreal baseline = 0;
        QVarLengthArray<qreal, 24> pens;  // pen position of each character
        bool operator==(const Layout &other) const { return baseline == other.baseline && pens == other.pens; }
    };

    // What places a figure, kept by the label while the box, the face and
    // the shape of the text (digits being equally wide) stay the same.
    struct Place
    {
        QRect box;
        Qt::Alignment alignment;
        QFont font;
        QString shape;
        qreal baseline = 0;
        bool valid = false;
    };
    Place place;

    // True for a short text of figure characters only.
    static bool isFigure(const QString &text);

    // Renders with this face from now on; another face drops the glyphs.
    void setFace(const QFont &font, QRgb colour, qreal pixelRatio);
    bool hasFace(QRgb colour, qreal pixelRatio) const { return m_colour == colour && m_ratio == pixelRatio; }
    // Changes whenever the face does.
    int faceSerial() const { return m_serial; }

    // Pen positions of `text` on `baseline`, aligned horizontally in `box`,
    // on whole device pixels.
    void layOut(const QString &text, const QRect &box, Qt::Alignment alignment, qreal baseline, Layout &layout);
    // The box the ink of character i covers; empty for a glyph without ink.
    QRectF glyphBox(const Layout &layout, const QString &text, int i);
    // Paints the glyphs whose ink meets `exposed`.
    void paint(QPainter &painter, const Layout &layout, const QString &text, const QRect &exposed);

private:
    struct Glyph
    {
        QImage image;    // the ink, cropped
        QPointF offset;  // of the image from the pen position on the baseline
        qreal advance = 0;
        bool ready = false;
    };
    const Glyph &glyph(QChar c);

    QFont m_font;  // as drawn, condensed when the figure is too wide
    QRgb m_colour = 0;
    qreal m_ratio = 0;
    int m_serial = 0;
    std::array<Glyph, 12> m_glyphs;
};

} // namespace orv
