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
    if (const auto it = m_widths.constFind(shape); it != m_widths.cend())
        return it.value();
    if (m_widths.size() > 64)
        m_widths.clear();
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
    if (const auto it = m_inks.constFind(key); it != m_inks.cend())
        return it.value();
    if (m_inks.size() > 64)
        m_inks.clear();
    const QRect ink = QFontMetrics(font).tightBoundingRect(caption);
    m_inks.insert(key, ink);
    return ink;
}

void FitLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (caption.isEmpty() || wordWrap() || box.width() <= 0 || box.height() <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    QFont font = this->font();
    const int needed = textWidth(caption);
    if (needed > box.width())
        font.setStretch(qMax(1, 100 * box.width() / needed));
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
    const int inkBaseline = box.top() + (box.height() - ink.height()) / 2 - ink.top();
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
