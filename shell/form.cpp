#include "shell/form.h"

#include "common/fonts.h"
#include "common/numbers.h"
#include "common/twips.h"

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
    return m_named.value(QByteArray::fromRawData(name, qstrlen(name)));
}

void Form::setVisible(bool visible)
{
    if (visible)
        load();
    QWidget::setVisible(visible);
    // Centring at load had to guess the frame; once shown it is known.
    if (visible && m_recentre) {
        m_recentre = false;
        centreOnScreen();
    }
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
        for (QPushButton *button : findChildren<QPushButton *>()) {
            if (button->isDefault() && button->isVisible() && button->isEnabled()) {
                button->click();
                event->accept();
                return;
            }
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

void placeTwips(QWidget *control, const QRect &twips)
{
    control->setProperty("twips", twips);
    control->setGeometry(twipsToPx(twips));
}

QRect twipsOf(const QWidget *control)
{
    return control->property("twips").toRect();
}

void setBackgroundColor(QWidget *control, const QColor &color)
{
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

void FitLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int needed = caption.isEmpty() ? 0 : fontMetrics().horizontalAdvance(caption);
    if (needed <= box.width() || wordWrap() || box.width() <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    QFont narrow = font();
    narrow.setStretch(qMax(1, 100 * box.width() / needed));
    QPainter painter(this);
    painter.setFont(narrow);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(box, int(alignment()) | Qt::TextSingleLine, caption);
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
    if (background.isValid())
        setBackgroundColor(panel, background);
    placeTwips(panel, twips);
    return panel;
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
