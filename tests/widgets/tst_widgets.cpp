// The window machinery: the load/unload life of a window, its default
// button, and labels that fit their text and repaint only what changed yet
// look exactly as a fresh paint.

#include "common/fonts.h"
#include "common/twips.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/fitlabel.h"
#include "widgets/form.h"
#include "widgets/formref.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace orv;

namespace {

// A window that counts its loads and unloads and holds one piece of state.
class ProbeForm : public Form
{
public:
    ProbeForm() : Form(QStringLiteral("ProbeForm"), QStringLiteral("probe"), fixedDialogFlags())
    {
        setClientSizeTwips(3000, 1500);
        label = addLabel(this, QStringLiteral("Label1"), QRect(0, 0, 600, 300), QStringLiteral("x"));
        for (int i = 0; i < 2; ++i)
            buttons[i] = addButton(this, indexedName("Cmd", i), QRect(0, 300 + 300 * i, 600, 300), {});
    }
    using Form::setDefaultButton;
    int loads = 0, unloads = 0, state = 0;
    QLabel *label;
    QPushButton *buttons[2];

protected:
    void formLoad() override { ++loads; }
    void formQueryUnload() override { ++unloads; }
};

// The box of the pixels that differ from white.
QRect inkBox(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) != 0xffffff)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Keeps a copy of a window as the screen would show it: painted afresh
// once, then only where Qt repaints.
class ScreenCopy : public QObject
{
public:
    explicit ScreenCopy(QWidget *window) : m_window(window), m_image(fresh())
    {
        m_window->installEventFilter(this);
        for (QWidget *w : m_window->findChildren<QWidget *>())
            w->installEventFilter(this);
    }

    // The copy once the pending repaints have settled (one may bring
    // another), without the windows' own timers.
    QImage shown()
    {
        for (int round = 0; round < 10; ++round) {
            const QRegion before = m_dirty;
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
            if (round > 0 && m_dirty == before)
                break;
        }
        m_rendering = true;
        m_window->render(&m_image, m_dirty.boundingRect().topLeft(), m_dirty);
        m_rendering = false;
        m_dirty = QRegion();
        return m_image;
    }

    QImage fresh()
    {
        const qreal ratio = m_window->devicePixelRatioF();
        QImage image((QSizeF(m_window->size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        m_rendering = true;
        m_window->render(&image);
        m_rendering = false;
        return image;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_rendering) {
            auto *widget = static_cast<QWidget *>(watched);
            m_dirty += static_cast<QPaintEvent *>(event)->region().translated(widget->mapTo(m_window, QPoint()));
        }
        return false;
    }

private:
    QWidget *m_window;
    QImage m_image;
    QRegion m_dirty;
    bool m_rendering = false;
};

// A white window with one label of the given look, shown.
QLabel *labelIn(QWidget &window, const QRect &twips, const QString &text, const QFont &font, int align)
{
    setBackgroundColor(&window, Qt::white);
    QLabel *label = addLabel(&window, QStringLiteral("Figure"), twips, text);
    label->setFont(font);
    label->setAlignment(Qt::Alignment(align));
    window.resize(twipsToPx(QRect(0, 0, 4800, 2400)).size());
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? label : nullptr;
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { discardAllForms(); }

    // An empty reference makes a fresh instance, unloaded; touching a control
    // loads it without showing it; unloading keeps it and its state, once; a
    // renewal discards it. Shown, it is centred on the screen.
    void lifeOfAWindow()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref.unload(); // empty: nothing made
        QVERIFY(ref.isEmpty());
        ProbeForm *form = ref.get();
        QVERIFY(ref.get() == form && !form->isLoaded());
        QVERIFY(form->control<QLabel>(QStringLiteral("Label1")) && form->control<QLabel>(QStringLiteral("Label1")));
        QVERIFY(form->isLoaded() && !form->isVisible());
        QCOMPARE(form->loads, 1);
        QSignalSpy unloaded(form, &Form::unloaded);
        form->show();
        form->state = 42;
        ref.unload();
        QVERIFY(form->close());
        QCOMPARE(form->unloads, 1);
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!form->isLoaded() && !form->isVisible());
        form->show();
        QCOMPARE(form->loads, 2);
        QCOMPARE(form->state, 42);
        form->centreOnScreen();
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY((form->frameGeometry().center() - centre).manhattanLength() <= 2);
        QPointer<ProbeForm> old = form;
        QCOMPARE(ref.renew()->state, 0);
        QVERIFY(old.isNull());
        QCOMPARE(unloaded.count(), 2);
    }

    // Enter presses the default button while it is visible and enabled (and
    // then nothing else); without one, the focused button.
    void enterPressesTheDefaultButton()
    {
        ProbeForm *form = formRef<ProbeForm>().get();
        form->show();
        QSignalSpy first(form->buttons[0], &QPushButton::clicked), second(form->buttons[1], &QPushButton::clicked);
        form->buttons[0]->setFocus();
        QTest::keyClick(form, Qt::Key_Return);
        form->setDefaultButton(form->buttons[1]);
        form->buttons[1]->setEnabled(false);
        QTest::keyClick(form, Qt::Key_Enter);
        QCOMPARE(first.count() * 10 + second.count(), 10);
    }

    // A label sized to its text grows away from its aligned edge, never
    // shrinks below its designed box, and keeps that box as its twips.
    void labelsGrowAwayFromTheirEdge_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("edges"); // which designed edges stay
        QTest::newRow("left") << int(Qt::AlignLeft) << "l";
        QTest::newRow("right") << int(Qt::AlignRight) << "r";
        QTest::newRow("centre") << int(Qt::AlignHCenter) << "";
    }
    void labelsGrowAwayFromTheirEdge()
    {
        QFETCH(int, align);
        QFETCH(QString, edges);
        QLabel *label = formRef<ProbeForm>()->label;
        label->setAlignment(Qt::Alignment(align) | Qt::AlignVCenter);
        const QRect designed = label->geometry();
        setCaption(label, QStringLiteral("標準処理時間（残）"));
        static_cast<FitLabel *>(label)->setAutoGrow(true);
        const QRect grown = label->geometry();
        QVERIFY(grown.width() > label->fontMetrics().horizontalAdvance(label->text()));
        QCOMPARE(QString(grown.left() == designed.left() ? "l" : "") + (grown.right() == designed.right() ? "r" : ""),
                 edges);
        QVERIFY(edges.size() || qAbs(grown.center().x() - designed.center().x()) <= 1);
        QCOMPARE(twipsOf(label), QRect(0, 0, 600, 300));
        setCaption(label, QStringLiteral("x"));
        QCOMPARE(label->geometry(), designed);
    }

    // A figure that fits its box lands where Qt's own text drawing puts it.
    void figuresLandWhereQtDrawsThem_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("text");
        QTest::newRow("right") << designedFont(kGothic, 12, true) << int(Qt::AlignRight | Qt::AlignVCenter) << "3:29:58";
        QTest::newRow("left") << designedFont(kGothic, 14.25, true) << int(Qt::AlignLeft | Qt::AlignVCenter) << "10:00";
        QTest::newRow("centred") << designedFont(kPGothic, 15.75, true) << int(Qt::AlignCenter) << "17";
        QTest::newRow("top") << designedFont(kPGothic, 9, false) << int(Qt::AlignLeft | Qt::AlignTop) << "-5";
        QTest::newRow("bottom") << designedFont(kGothic, 12, true) << int(Qt::AlignRight | Qt::AlignBottom) << "-:--:--";
    }
    void figuresLandWhereQtDrawsThem()
    {
        QFETCH(QFont, font);
        QFETCH(int, align);
        QFETCH(QString, text);
        QWidget window;
        QLabel *label = labelIn(window, QRect(150, 150, 1800, 450), text, font, align);
        QVERIFY(label);
        const QImage shown = label->grab().toImage();
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(shown.devicePixelRatio());
        expected.fill(Qt::white);
        QPainter painter(&expected);
        painter.setFont(label->font());
        painter.drawText(QRect(QPoint(), label->size()), align | Qt::TextSingleLine, text);
        painter.end();
        const QRect drawn = inkBox(shown);
        const QRect reference = inkBox(expected);
        const int slack = qCeil(shown.devicePixelRatio());
        QVERIFY(!reference.isEmpty());
        for (const int off : {drawn.left() - reference.left(), drawn.top() - reference.top(),
                              drawn.right() - reference.right(), drawn.bottom() - reference.bottom()})
            QVERIFY2(qAbs(off) <= slack, qPrintable(QStringLiteral("ink %1 pixels off").arg(off)));
    }

    // Too wide or too tall for its box, a text is condensed or centred by
    // its ink, and never cut off.
    void textsNeverCutOff_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::newRow("72 pt, tall") << 72.0 << QRect(0, 780, 4485, 1440) << "9:59:59";
        QTest::newRow("72 pt, too wide") << 72.0 << QRect(0, 780, 4485, 1440) << "596523:14:07";
        QTest::newRow("18 pt, narrow box") << 18.0 << QRect(90, 90, 600, 400) << "3:30:00";
        QTest::newRow("not a figure, too wide") << 18.0 << QRect(90, 90, 600, 600) << "(^｡^)(^｡^)";
    }
    void textsNeverCutOff()
    {
        QFETCH(double, points);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QWidget window;
        QLabel *label = labelIn(window, twips, text, designedFont(kPGothic, points, false), Qt::AlignCenter);
        QVERIFY(label);
        const QImage shown = label->grab().toImage();
        const QRect ink = inkBox(shown);
        // Clear of the edges, or a condensed text spanning its box; figures
        // centred by their ink both ways.
        QVERIFY(ink.top() > 0 && ink.bottom() < shown.height() - 1);
        QVERIFY(ink.width() * 10 >= shown.width() * 8 || (ink.left() > 0 && ink.right() < shown.width() - 1));
        const int slack = 2 * (qCeil(shown.devicePixelRatio()) + 1);
        QVERIFY(qAbs(ink.left() - (shown.width() - 1 - ink.right())) <= slack);
        QVERIFY(text.contains(u'(') || qAbs(ink.top() - (shown.height() - 1 - ink.bottom())) <= slack);
    }

    // A label updated a character at a time ends up exactly as a fresh
    // paint, through changes of shape, colour, state and visibility.
    void repaintingWhatChangedLeavesNoTrace()
    {
        QWidget window;
        QLabel *clock = labelIn(window, QRect(90, 90, 1500, 400), QStringLiteral("10:05"),
                                designedFont(kGothic, 15.75, true), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(clock);
        setBackgroundColor(&window, QColor(192, 192, 192));
        QLabel *big = addLabel(&window, QStringLiteral("Big"), QRect(90, 600, 4000, 1500), QStringLiteral("1:10"));
        big->setFont(designedFont(kPGothic, 72, false));
        big->setAlignment(Qt::AlignCenter);
        big->show();
        ScreenCopy screen(&window);
        const auto caption = [](int s) { return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0')); };
        for (int s = 65; s >= 50; --s) {
            setCaption(clock, caption(s + 540));
            setCaption(big, caption(s));
            QVERIFY2(screen.shown() == screen.fresh(), qPrintable(caption(s)));
        }
        const std::function<void()> changes[] = {
            [&] { setCaption(clock, QStringLiteral("9:59")); },
            [&] { setCaption(clock, QStringLiteral("--:--")); },
            [&] { setTextColor(clock, Qt::yellow); setCaption(clock, QStringLiteral("12:34")); },
            [&] { clock->setEnabled(false); setCaption(clock, QStringLiteral("12:35")); },
            [&] { clock->hide(); setCaption(clock, QStringLiteral("12:36")); clock->show(); },
            [&] { setCaption(big, QStringLiteral("残り")); },
            [&] { setCaption(big, QStringLiteral("0:00")); },
        };
        for (const auto &change : changes) {
            change();
            QVERIFY(screen.shown() == screen.fresh());
        }
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
