#include "shell/form.h"

#include "common/fonts.h"
#include "common/numbers.h"
#include "common/twips.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace orv {

Form::Form(const QString &name, const QString &caption, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
{
    setObjectName(name);
    setWindowTitle(caption);
    // Controls without a font of their own use the window's: the
    // proportional Gothic face at its usual 9 pt.
    setFont(designedFont(kPGothic, 9, false));
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

QObject *Form::named(const char *name)
{
    if (m_named.isEmpty()) {
        // Controls are all made in the constructor, so one pass suffices.
        for (QObject *child : findChildren<QObject *>())
            if (!child->objectName().isEmpty())
                m_named.insert(child->objectName().toUtf8(), child);
    }
    const QByteArray key = QByteArray::fromRawData(name, qstrlen(name));
    if (QObject *found = m_named.value(key))
        return found;
    // Made after the first lookup: find it the slow way once.
    QObject *late = findChild<QObject *>(QString::fromUtf8(name));
    if (late)
        m_named.insert(QByteArray(name), late);
    return late;
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
    if (m_loaded) {
        m_loaded = false;
        formQueryUnload();
    }
    event->accept();
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

void Form::nameControls(std::initializer_list<std::pair<const char *, const char *>> names)
{
    for (const auto &[control, name] : names)
        if (auto *widget = qobject_cast<QWidget *>(named(control)))
            widget->setAccessibleName(QString::fromUtf8(name));
}

void Form::growLabelsToText()
{
    for (FitLabel *label : findChildren<FitLabel *>())
        label->setAutoGrow(true);
}

void Form::setDefaultButton(QPushButton *button)
{
    for (QPushButton *other : findChildren<QPushButton *>())
        if (other != button)
            other->setDefault(false);
    if (button)
        button->setDefault(true);
}

void Form::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QPushButton *target = nullptr;
        bool hasDefault = false;
        for (QPushButton *button : findChildren<QPushButton *>()) {
            if (button->isDefault()) {
                hasDefault = true;
                if (button->isVisible() && button->isEnabled())
                    target = button;
            }
        }
        // A window without a default button lets Enter press the focused
        // button, as Space does.
        if (!hasDefault) {
            auto *focused = qobject_cast<QPushButton *>(focusWidget());
            if (focused && focused->isVisible() && focused->isEnabled())
                target = focused;
        }
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
    formFramed();
}

void placeTwips(QWidget *control, const QRect &twips)
{
    // Labels keep their box at hand too: bars move every second, and a
    // dynamic property is slow to look up.
    auto *label = qobject_cast<FitLabel *>(control);
    if (label) {
        if (label->m_hasTwips && label->m_twips == twips)
            return;
        label->m_twips = twips;
        label->m_hasTwips = true;
    }
    control->setProperty("twips", twips);
    control->setGeometry(twipsToPx(twips));
}

QRect twipsOf(const QWidget *control)
{
    if (auto *label = qobject_cast<const FitLabel *>(control); label && label->m_hasTwips)
        return label->m_twips;
    return control->property("twips").toRect();
}

void setBackgroundColor(QWidget *control, const QColor &color)
{
    if (control->autoFillBackground() && control->palette().color(QPalette::Window) == color)
        return;
    QPalette p = control->palette();
    p.setColor(QPalette::Window, color);
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

void setTextColor(QWidget *control, const QColor &color)
{
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    control->setPalette(p);
}

FitLabel::FitLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void FitLabel::setAutoGrow(bool grow)
{
    m_autoGrow = grow;
    fitToText();
}

void FitLabel::fitToText()
{
    const QRect designed = twipsToPx(twipsOf(this));
    if (!m_autoGrow || designed.isNull())
        return;
    const int needed = textWidth(text()) + 2 * margin() + 1;
    QRect box = designed;
    if (needed > designed.width()) {
        const int extra = needed - designed.width();
        if (alignment() & Qt::AlignRight)
            box.setLeft(designed.left() - extra);
        else if (alignment() & Qt::AlignHCenter)
            box.adjust(-extra / 2, 0, extra - extra / 2, 0);
        else
            box.setWidth(needed);
    }
    if (geometry() != box)
        setGeometry(box);
}

int FitLabel::textWidth(const QString &caption)
{
    // Shaping text is the costly part of a tick. Figures change every second
    // but keep their shape, and the faces draw every digit equally wide, so
    // a width measured once serves every text of the same shape.
    if (m_widthFont != font()) {
        m_widthFont = font();
        m_widths.clear();
        const QFontMetrics metrics(m_widthFont);
        const int zero = metrics.horizontalAdvance(QLatin1Char('0'));
        m_tabularDigits = true;
        for (char d = '1'; d <= '9'; ++d)
            m_tabularDigits = m_tabularDigits && metrics.horizontalAdvance(QLatin1Char(d)) == zero;
    }
    const QString shape = shapeKey(caption);
    if (const int *known = m_widths.find(shape))
        return *known;
    const int width = QFontMetrics(m_widthFont).horizontalAdvance(caption);
    m_widths.insert(shape, width);
    return width;
}

QString FitLabel::shapeKey(const QString &caption) const
{
    QString shape = caption;
    if (m_tabularDigits)
        for (QChar &c : shape)
            if (c >= u'1' && c <= u'9')
                c = u'0';
    return shape;
}

QRect FitLabel::inkOf(const QString &caption, const QFont &font)
{
    // Digits share their height, so the ink of one figure serves its shape.
    const QString key = QString::number(font.stretch()) + u'|' + shapeKey(caption);
    if (const QRect *known = m_inks.find(key))
        return *known;
    const QRect ink = QFontMetrics(font).tightBoundingRect(caption);
    m_inks.insert(key, ink);
    return ink;
}

QRect FitLabel::textBox() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

QFont FitLabel::fontFitting(int needed, int width) const
{
    QFont font = this->font();
    if (needed > width)
        font.setStretch(qMax(1, 100 * width / needed));
    return font;
}

namespace {
// Where the baseline goes for the ink to sit centred in the box.
int inkCentredBaseline(const QRect &box, const QRect &ink)
{
    return box.top() + (box.height() - ink.height()) / 2 - ink.top();
}

// The characters of figures, and where each keeps its glyph.
int figureIndex(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c == u':')
        return 10;
    if (c == u'-')
        return 11;
    return -1;
}

bool isFigure(const QString &text)
{
    if (text.isEmpty() || text.size() > 24)
        return false;
    for (QChar c : text)
        if (figureIndex(c) < 0)
            return false;
    return true;
}
} // namespace

const FitLabel::FigureGlyph &FitLabel::figureGlyph(QChar c)
{
    FigureGlyph &glyph = m_face->glyphs[figureIndex(c)];
    if (glyph.ready)
        return glyph;
    glyph.ready = true;
    const QFontMetricsF metrics(m_face->font);
    glyph.advance = metrics.horizontalAdvance(c);
    // Room on every side for ink beyond the advance and the line. The pen
    // sits on a whole device pixel, so the image does too.
    const qreal ratio = m_face->pixelRatio;
    const qreal pad = std::ceil(metrics.height() / 2);
    const QPointF pen(std::ceil(pad * ratio) / ratio, std::ceil((pad + metrics.ascent()) * ratio) / ratio);
    QImage canvas(qCeil((glyph.advance + 2 * pad) * ratio), qCeil((metrics.height() + 2 * pad) * ratio),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(m_face->font);
        painter.setPen(QColor::fromRgba(m_face->colour));
        painter.drawText(pen, QString(c));
    }
    int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (right < 0)
        return glyph;  // no ink
    glyph.image = canvas.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
    glyph.image.setDevicePixelRatio(ratio);
    glyph.offset = QPointF(left / ratio - pen.x(), top / ratio - pen.y());
    return glyph;
}

bool FitLabel::layoutFigure(const QString &caption, FigureLayout &layout)
{
    if (!isFigure(caption) || wordWrap() || frameWidth() != 0 || indent() > 0)
        return false;
    const QRect box = textBox();
    if (box.width() <= 0 || box.height() <= 0)
        return false;
    // palette() is in the group of the label's state: disabled, inactive.
    const QRgb colour = palette().color(foregroundRole()).rgba();
    const qreal ratio = devicePixelRatioF();
    FigurePlace *place = m_place.get();
    const bool placed = place && m_face && m_face->colour == colour && m_face->pixelRatio == ratio
                        && place->box == box && place->alignment == alignment() && place->font == font()
                        && sameShape(place->shape, caption);
    if (!placed) {
        if (!place) {
            m_place = std::make_unique<FigurePlace>();
            place = m_place.get();
        }
        place->box = box;
        place->alignment = alignment();
        place->font = font();
        place->shape = caption;
        const QFont drawn = fontFitting(textWidth(caption), box.width());
        if (!m_face || m_face->font != drawn || m_face->colour != colour || m_face->pixelRatio != ratio) {
            m_face = std::make_unique<FigureFace>();
            m_face->font = drawn;
            m_face->colour = colour;
            m_face->pixelRatio = ratio;
        }
        const QFontMetricsF line(drawn);
        if (QFontMetrics(drawn).height() > box.height() && (alignment() & Qt::AlignVCenter)) {
            // Big glyphs: centre the ink itself rather than the line, which
            // faces with tall ascenders push out of the designed box.
            place->baseline = inkCentredBaseline(box, inkOf(caption, drawn));
        } else if (alignment() & Qt::AlignBottom) {
            place->baseline = box.bottom() + 1 - line.descent();
        } else if (alignment() & Qt::AlignVCenter) {
            place->baseline = box.top() + (box.height() - line.height()) / 2 + line.ascent();
        } else {
            place->baseline = box.top() + line.ascent();
        }
        // Whole device pixels, as glyphs are drawn without subpixel positions.
        place->baseline = std::round(place->baseline * ratio) / ratio;
    }

    qreal width = 0;
    for (QChar c : caption)
        width += figureGlyph(c).advance;
    qreal x = box.left();
    if (alignment() & Qt::AlignRight)
        x = box.right() + 1 - width;
    else if (alignment() & Qt::AlignHCenter)
        x = box.left() + (box.width() - width) / 2;
    layout.baseline = place->baseline;
    layout.pens.clear();
    for (QChar c : caption) {
        layout.pens.append(std::round(x * ratio) / ratio);
        x += figureGlyph(c).advance;
    }
    return true;
}

bool FitLabel::sameShape(const QString &a, const QString &b) const
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        // As shapeKey: equally wide digits are one shape.
        const bool digits = m_tabularDigits && a[i] >= u'0' && a[i] <= u'9' && b[i] >= u'0' && b[i] <= u'9';
        if (a[i] != b[i] && !digits)
            return false;
    }
    return true;
}

QRectF FitLabel::glyphBox(const FigureLayout &layout, const QString &caption, int i)
{
    const FigureGlyph &glyph = figureGlyph(caption[i]);
    if (glyph.image.isNull())
        return {};
    const QPointF at(layout.pens[i] + glyph.offset.x(), layout.baseline + glyph.offset.y());
    return QRectF(at, glyph.image.deviceIndependentSize());
}

void FitLabel::changeText(const QString &next)
{
    FigureLayout before;
    const QString previous = text();
    if (!updatesEnabled() || !isVisible() || previous.size() != next.size() || !layoutFigure(previous, before)) {
        setText(next);
        return;
    }
    // QLabel repaints its whole box on a new text; hold that back (a plain
    // flag, as the label has no children) and repaint what changed.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(next);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    const FigureFace *face = m_face.get();
    FigureLayout after;
    if (!layoutFigure(next, after) || !(after == before) || m_face.get() != face) {
        update();
        return;
    }
    QRectF changed;
    for (int i = 0; i < next.size(); ++i) {
        if (next[i] != previous[i])
            changed |= glyphBox(before, previous, i) | glyphBox(after, next, i);
    }
    update(changed.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void FitLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    if (FigureLayout layout; layoutFigure(caption, layout)) {
        QPainter painter(this);
        for (int i = 0; i < caption.size(); ++i) {
            const QRectF box = glyphBox(layout, caption, i);
            if (box.toAlignedRect().intersects(event->rect()))
                painter.drawImage(box.topLeft(), figureGlyph(caption[i]).image);
        }
        return;
    }
    const QRect box = textBox();
    if (caption.isEmpty() || wordWrap() || box.width() <= 0 || box.height() <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    const int needed = textWidth(caption);
    const QFont font = fontFitting(needed, box.width());
    const QFontMetrics metrics(font);
    // Where the ink of a vertically centred line would fall: faces with tall
    // ascenders push big glyphs out of the designed boxes.
    bool inkFits = true;
    QRect ink;
    if (metrics.height() > box.height()) {
        ink = inkOf(caption, font);
        const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        inkFits = baseline + ink.top() >= box.top() && baseline + ink.bottom() <= box.bottom();
    }
    if (needed <= box.width() && inkFits) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    if (inkFits || !(alignment() & Qt::AlignVCenter)) {
        painter.drawText(box, int(alignment()) | Qt::TextSingleLine, caption);
        return;
    }
    // Centre the ink itself rather than the line.
    const int inkBaseline = inkCentredBaseline(box, ink);
    const int width = qMin(needed, box.width());
    int x = box.left();
    if (alignment() & Qt::AlignRight)
        x = box.right() + 1 - width;
    else if (alignment() & Qt::AlignHCenter)
        x = box.left() + (box.width() - width) / 2;
    painter.drawText(QPoint(x, inkBaseline), caption);
}

void setCaption(QLabel *label, const QString &text)
{
    if (label->text() == text)
        return;
    if (auto *fit = qobject_cast<FitLabel *>(label))
        fit->changeText(text);
    else
        label->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(label, text);
        QAccessible::updateAccessibility(&changed);
    }
    if (auto *fit = qobject_cast<FitLabel *>(label))
        fit->fitToText();
}

QLabel *addLabel(QWidget *parent, const QString &name, const QRect &twips, const QString &caption)
{
    auto *label = new FitLabel(caption, parent);
    label->setObjectName(name);
    placeTwips(label, twips);
    return label;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QRect &twips, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Plain buttons: only the window's default button takes Enter.
    button->setAutoDefault(false);
    placeTwips(button, twips);
    return button;
}

QFrame *addPanel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    // A panel always paints: one covers another.
    setBackgroundColor(panel, background.isValid() ? background : panel->palette().color(QPalette::Window));
    placeTwips(panel, twips);
    return panel;
}

QFrame *addCountdownCover(QWidget *window)
{
    QFrame *cover = addPanel(window, QStringLiteral("Picture1"), QRect(90, 120, 4485, 2985));
    QLabel *digit = addLabel(cover, QStringLiteral("Label1"), QRect(1440, 780, 1455, 1440), QStringLiteral("③"));
    digit->setAlignment(Qt::AlignCenter);
    digit->setFont(designedFont(kPGothic, 72, false));
    return cover;
}

QLabel *addColourBlock(QWidget *parent, const QString &name, const QRect &twips, const QColor &color)
{
    QLabel *block = addLabel(parent, name, twips);
    setBackgroundColor(block, color);
    return block;
}

QString indexedName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

namespace {
QPointer<QWidget> &mainMenu()
{
    static QPointer<QWidget> menu;
    return menu;
}
} // namespace

void registerMainMenu(QWidget *menu)
{
    mainMenu() = menu;
}

void hideMainMenu()
{
    if (QWidget *menu = mainMenu())
        menu->hide();
}

void showMainMenu()
{
    if (QWidget *menu = mainMenu())
        menu->show();
}

} // namespace orv
