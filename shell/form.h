#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QRect>
#include <QLabel>
#include <QWidget>

#include <QImage>
#include <QVarLengthArray>

#include <array>
#include <initializer_list>
#include <memory>
#include <utility>

class QFrame;
class QPushButton;

namespace orv {

// A top-level window with the load/unload life of the program's windows.
//
// Constructing a form builds its controls with all state zero or empty, but
// does not load it. Loading runs formLoad() once; it happens when the window
// is shown or when code asks for one of its controls. Unloading closes the
// window, running formQueryUnload(), and keeps the object and its state; the
// next show loads it again. A close is never refused.
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

    // A control by object name; touching a control loads the window first.
    template <class T>
    T *control(const QString &name)
    {
        load();
        return findChild<T *>(name);
    }

    void setVisible(bool visible) override;

    // A child control or timer by object name, without loading the window;
    // a cached lookup for the windows' hot paths. nullptr when absent.
    QObject *named(const char *name);

    // Border styles of the windows.
    static Qt::WindowFlags fixedSingleFlags();   // minimise and close, no maximise
    static Qt::WindowFlags fixedDialogFlags();   // close only

protected:
    virtual void formLoad() {}
    virtual void formQueryUnload() {}
    // Runs once, when the window manager has first framed the window: only
    // then are the outer size and place of a window known.
    virtual void formFramed() {}
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Enter presses the default button while it is visible and enabled.
    void keyPressEvent(QKeyEvent *event) override;

    void setClientSizeTwips(int width, int height);
    // Gives controls the names a listener hears for them (Japanese, saying
    // what a figure is): pairs of object name and accessible name.
    void nameControls(std::initializer_list<std::pair<const char *, const char *>> names);

    // Makes every text label of the window size itself to its text.
    void growLabelsToText();

    // Makes one button the window's default (the one Enter presses) and
    // clears the flag on every other.
    void setDefaultButton(QPushButton *button);
    // Centres the outer window on the primary screen.
    void centreOnScreen();

private:
    void checkFramed();

    bool m_loaded = false;
    bool m_recentre = false;
    bool m_framed = false;
    bool m_showing = false;
    QHash<QByteArray, QObject *> m_named;
};

void placeTwips(QWidget *control, const QRect &twips);
QRect twipsOf(const QWidget *control);

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
    friend void placeTwips(QWidget *control, const QRect &twips);
    friend QRect twipsOf(const QWidget *control);
    // The box the text is drawn in, inside the margins.
    QRect textBox() const;
    // The label's font, condensed when a text needing that width is wider.
    QFont fontFitting(int needed, int width) const;
    int textWidth(const QString &caption);
    QString shapeKey(const QString &caption) const;
    QRect inkOf(const QString &caption, const QFont &font);

    // Figures (digits, colons, dashes) are drawn from glyph images rendered
    // once per face: shaping and rasterising them every second is most of
    // what a running timer costs, and big glyphs are not cached by Qt.
    struct FigureGlyph
    {
        QImage image;    // the ink, cropped
        QPointF offset;  // of the image from the pen position on the baseline
        qreal advance = 0;
        bool ready = false;
    };
    struct FigureFace
    {
        QFont font;  // as drawn, condensed when the figure is too wide
        QRgb colour = 0;
        qreal pixelRatio = 0;
        std::array<FigureGlyph, 12> glyphs;
    };
    // What places a figure, kept while the box, the face and the shape of
    // the text (digits being equally wide) stay the same.
    struct FigurePlace
    {
        QRect box;
        Qt::Alignment alignment;
        QFont font;
        QString shape;
        qreal baseline = 0;
    };
    struct FigureLayout
    {
        qreal baseline = 0;
        QVarLengthArray<qreal, 24> pens;  // pen position of each character
        bool operator==(const FigureLayout &other) const
        {
            return baseline == other.baseline && pens == other.pens;
        }
    };
    bool layoutFigure(const QString &caption, FigureLayout &layout);
    bool sameShape(const QString &a, const QString &b) const;
    const FigureGlyph &figureGlyph(QChar c);
    QRectF glyphBox(const FigureLayout &layout, const QString &caption, int i);

    std::unique_ptr<FigureFace> m_face;
    std::unique_ptr<FigurePlace> m_place;

    QRect m_twips;
    bool m_hasTwips = false;
    bool m_autoGrow = false;
    QFont m_widthFont;
    bool m_tabularDigits = false;
    // A few measures by text shape. Most labels show one or two shapes, so a
    // short list does, where a hash table would cost a kilobyte a label.
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
    ShapeCache<int> m_widths;
    ShapeCache<QRect> m_inks;
};

// Sets a label's caption; a label that sizes itself to its text follows it.
void setCaption(QLabel *label, const QString &text);

// Places a control from twips and records the twips as its "twips" property.
void placeTwips(QWidget *control, const QRect &twips);
// The control's place in twips, as last set by placeTwips.
QRect twipsOf(const QWidget *control);

void setBackgroundColor(QWidget *control, const QColor &color);
void setTextColor(QWidget *control, const QColor &color);

// A colour written as &H00BBGGRR.
constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

// Small builders for the common controls: named, placed, captioned.
QLabel *addLabel(QWidget *parent, const QString &name, const QRect &twips,
                 const QString &caption = {});
QPushButton *addButton(QWidget *parent, const QString &name, const QRect &twips,
                       const QString &caption);
// A panel; with a valid colour it paints that background.
QFrame *addPanel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background = {});
// The cover of a timer's start countdown: the panel "Picture1" over the
// window's panels, with the digit "Label1" showing "③".
QFrame *addCountdownCover(QWidget *window);
// A caption-less label that shows only its background colour (bars, legend squares).
QLabel *addColourBlock(QWidget *parent, const QString &name, const QRect &twips, const QColor &color);

// The control of a window with this object name; indexed members are named
// like "LabelA(0)".
QString indexedName(const char *name, int index);

// The main menu, reached by the timer windows only through hide and show.
void registerMainMenu(QWidget *menu);
void hideMainMenu();
void showMainMenu();

} // namespace orv
