// The window machinery: the load/unload life of a window, its default
// button, and labels that fit their text and repaint only what changed yet
// look exactly as a fresh paint.

#include "app/frmmain.h"
#include "common/fonts.h"
#include "common/twips.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/fitlabel.h"
#include "widgets/form.h"
#include "widgets/formref.h"

#include <QApplication>
#include <QLabel>
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
        addLabel(this, QStringLiteral("Label1"), QRect(0, 0, 600, 300), QStringLiteral("x"));
        for (int i = 0; i < 3; ++i)
            buttons[i] = addButton(this, indexedName("Cmd", i), QRect(0, 300 + 300 * i, 600, 300), QStringLiteral("b"));
    }
    void makeDefault(QPushButton *b) { setDefaultButton(b); }
    int loads = 0;
    int unloads = 0;
    int state = 0;
    QPushButton *buttons[3];

protected:
    void formLoad() override { ++loads; }
    void formQueryUnload() override { ++unloads; }
};

// The box of the pixels that differ from the background.
QRect inkBox(const QImage &image, QRgb background)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) != (background & 0xffffff))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Keeps a copy of a window as the screen would show it: painted afresh
// once, then only where Qt repaints.
class ScreenCopy : public QObject
{
public:
    explicit ScreenCopy(QWidget *window) : m_window(window)
    {
        m_window->installEventFilter(this);
        for (QWidget *child : m_window->findChildren<QWidget *>())
            child->installEventFilter(this);
        m_image = fresh();
    }

    // What the window shows once the pending repaints have settled (one may
    // bring another). The windows' own timers stay out of it.
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
        m_rendering = true;
        const qreal ratio = m_window->devicePixelRatioF();
        QImage image((QSizeF(m_window->size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
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

// A white window with one label of the given look.
QLabel *labelIn(QWidget &window, const QRect &twips, const QString &text, const QFont &font, int align)
{
    setBackgroundColor(&window, Qt::white);
    QLabel *label = addLabel(&window, QStringLiteral("Figure"), twips, text);
    label->setFont(font);
    label->setAlignment(Qt::Alignment(align));
    window.resize(twipsToPx(QRect(0, 0, 4800, 2400)).size());
    window.show();
    return label;
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { discardAllForms(); }

    // An empty reference makes a fresh instance, unloaded; touching a control
    // loads it without showing it; unloading keeps it and its state; a
    // renewal discards it.
    void lifeOfAWindow()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref.unload(); // empty: nothing made
        QVERIFY(ref.isEmpty());
        ProbeForm *form = ref.get();
        QCOMPARE(ref.get(), form);
        QVERIFY(!form->isLoaded() && !form->isVisible());
        QVERIFY(form->control<QLabel>(QStringLiteral("Label1")));
        form->control<QLabel>(QStringLiteral("Label1"));
        QVERIFY(form->isLoaded() && !form->isVisible());
        QCOMPARE(form->loads, 1);
        QSignalSpy unloaded(form, &Form::unloaded);
        form->show();
        form->state = 42;
        ref.unload();
        QVERIFY(form->close()); // already unloaded: the handler does not run again
        QCOMPARE(form->unloads, 1);
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!form->isLoaded() && !form->isVisible());
        form->show();
        QCOMPARE(form->loads, 2);
        QCOMPARE(form->state, 42);
        QPointer<ProbeForm> old = form;
        ProbeForm *fresh = ref.renew();
        QVERIFY(old.isNull());
        QCOMPARE(unloaded.count(), 2);
        QCOMPARE(fresh->state, 0);
        QVERIFY(!fresh->isLoaded());
    }

    // Enter presses the default button while it is visible and enabled;
    // without one, the focused button.
    void enterPressesTheDefaultButton()
    {
        ProbeForm *form = formRef<ProbeForm>().get();
        form->show();
        QSignalSpy first(form->buttons[0], &QPushButton::clicked);
        QSignalSpy second(form->buttons[1], &QPushButton::clicked);
        form->buttons[0]->setFocus();
        QTest::keyClick(form, Qt::Key_Return);
        QCOMPARE(first.count(), 1);
        form->makeDefault(form->buttons[1]);
        form->makeDefault(form->buttons[1]);
        QTest::keyClick(form, Qt::Key_Enter);
        QCOMPARE(second.count(), 1);
        QCOMPARE(first.count(), 1);
        form->buttons[1]->setEnabled(false);
        QTest::keyClick(form, Qt::Key_Return);
        form->buttons[1]->setEnabled(true);
        form->buttons[1]->hide();
        QTest::keyClick(form, Qt::Key_Return);
        QCOMPARE(first.count() + second.count(), 2);
        form->makeDefault(form->buttons[2]);
        QVERIFY(!form->buttons[1]->isDefault() && form->buttons[2]->isDefault());
    }

    void centredOnTheScreen()
    {
        ProbeForm *form = formRef<ProbeForm>().get();
        form->show();
        form->centreOnScreen();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(form->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form->frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    // A label sized to its text grows away from its aligned edge, never
    // shrinks below its designed box, and keeps that box as its twips.
    void labelsGrowAwayFromTheirEdge_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("edges"); // which designed edges stay: l, r
        QTest::newRow("left") << int(Qt::AlignLeft) << "l";
        QTest::newRow("right") << int(Qt::AlignRight) << "r";
        QTest::newRow("centre") << int(Qt::AlignHCenter) << "";
    }
    void labelsGrowAwayFromTheirEdge()
    {
        QFETCH(int, align);
        QFETCH(QString, edges);
        ProbeForm *form = formRef<ProbeForm>().get();
        auto *label = form->findChild<QLabel *>(QStringLiteral("Label1"));
        label->setAlignment(Qt::Alignment(align) | Qt::AlignVCenter);
        const QRect designed = label->geometry();
        setCaption(label, QStringLiteral("標準処理時間（残）"));
        form->findChild<FitLabel *>()->setAutoGrow(true);
        const QRect grown = label->geometry();
        QVERIFY(grown.width() > label->fontMetrics().horizontalAdvance(label->text()));
        QCOMPARE(grown.left() == designed.left(), edges.contains(u'l'));
        QCOMPARE(grown.right() == designed.right(), edges.contains(u'r'));
        QVERIFY(qAbs(grown.center().x() - designed.center().x()) <= (edges.isEmpty() ? 1 : grown.width()));
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
        QTest::newRow("clock, right") << designedFont(kGothic, 12, true) << int(Qt::AlignRight | Qt::AlignVCenter)
                                      << "3:29:58";
        QTest::newRow("left") << designedFont(kGothic, 14.25, true) << int(Qt::AlignLeft | Qt::AlignVCenter) << "10:00";
        QTest::newRow("centred") << designedFont(kPGothic, 15.75, true) << int(Qt::AlignCenter) << "17";
        QTest::newRow("top") << designedFont(kPGothic, 9, false) << int(Qt::AlignLeft | Qt::AlignTop) << "-5";
        QTest::newRow("bottom") << designedFont(kGothic, 12, true) << int(Qt::AlignRight | Qt::AlignBottom)
                                << "-:--:--";
    }
    void figuresLandWhereQtDrawsThem()
    {
        QFETCH(QFont, font);
        QFETCH(int, align);
        QFETCH(QString, text);
        QWidget window;
        QLabel *label = labelIn(window, QRect(150, 150, 1800, 450), text, font, align);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = label->grab().toImage();
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(shown.devicePixelRatio());
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(label->font());
            painter.drawText(QRect(QPoint(), label->size()), align | Qt::TextSingleLine, text);
        }
        const QRect drawn = inkBox(shown, qRgb(255, 255, 255));
        const QRect reference = inkBox(expected, qRgb(255, 255, 255));
        QVERIFY(!reference.isEmpty());
        const int slack = qCeil(shown.devicePixelRatio());
        const QMargins off(drawn.left() - reference.left(), drawn.top() - reference.top(),
                           drawn.right() - reference.right(), drawn.bottom() - reference.bottom());
        QVERIFY2(qAbs(off.left()) <= slack && qAbs(off.top()) <= slack && qAbs(off.right()) <= slack
                     && qAbs(off.bottom()) <= slack,
                 qPrintable(QStringLiteral("ink off by %1 %2 %3 %4").arg(off.left()).arg(off.top())
                                .arg(off.right()).arg(off.bottom())));
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
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = label->grab().toImage();
        const QRect ink = inkBox(shown, qRgb(255, 255, 255));
        QVERIFY(!ink.isEmpty());
        // Not touching an edge, or a condensed text spanning its box.
        QVERIFY(ink.top() > 0 && ink.bottom() < shown.height() - 1);
        QVERIFY(ink.width() * 10 >= shown.width() * 8 || (ink.left() > 0 && ink.right() < shown.width() - 1));
        // Figures are centred by their ink, both ways.
        const int slack = 2 * (qCeil(shown.devicePixelRatio()) + 1);
        QVERIFY(qAbs(ink.left() - (shown.width() - 1 - ink.right())) <= slack);
        if (!text.contains(u'('))
            QVERIFY(qAbs(ink.top() - (shown.height() - 1 - ink.bottom())) <= slack);
    }

    // A label updated a character at a time ends up exactly as a fresh
    // paint, through changes of shape, colour, state and visibility.
    void repaintingWhatChangedLeavesNoTrace()
    {
        QWidget window;
        QLabel *clock = labelIn(window, QRect(90, 90, 1500, 400), QStringLiteral("10:05"),
                                designedFont(kGothic, 15.75, true), Qt::AlignRight | Qt::AlignVCenter);
        setBackgroundColor(&window, QColor(192, 192, 192));
        QLabel *big = addLabel(&window, QStringLiteral("Big"), QRect(90, 600, 4000, 1500), QStringLiteral("1:10"));
        big->setFont(designedFont(kPGothic, 72, false));
        big->setAlignment(Qt::AlignCenter);
        big->show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScreenCopy screen(&window);
        for (int s = 65; s >= 50; --s) {
            setCaption(clock, QStringLiteral("%1:%2").arg(s / 60 + 9).arg(s % 60, 2, 10, QLatin1Char('0')));
            setCaption(big, QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0')));
            QVERIFY2(screen.shown() == screen.fresh(), qPrintable(QString::number(s)));
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

    // Every timer window through its first ticks: what is on screen is
    // always what a fresh paint gives.
    void timerWindowsStayWhole_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("window");
        QTest::newRow("multiple-choice") << "CmdTak_Click" << "FrmTak";
        QTest::newRow("essay") << "CmdRon_Click" << "FrmRon";
        QTest::newRow("countdown") << "CmdMen_Click" << "FrmMen";
    }
    void timerWindowsStayWhole()
    {
        QFETCH(QString, opener);
        QFETCH(QString, window);
        test::CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        test::call(menu, opener.toLatin1());
        QWidget *timerWindow = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window)
                timerWindow = w;
        // Two minutes on the countdown: short of the alarm, whose 72 pt face
        // Qt itself draws a little differently from one paint to the next.
        if (window == u"FrmMen")
            QVERIFY(QMetaObject::invokeMethod(timerWindow, "CmdTime_Click", Q_ARG(int, 1)));
        else
            test::call(timerWindow, "Timer2_Timer", 3);
        std::vector<std::unique_ptr<ScreenCopy>> screens;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != menu && w->objectName() != u"FrmBtn" && QTest::qWaitForWindowExposed(w))
                screens.push_back(std::make_unique<ScreenCopy>(w));
        QVERIFY(!screens.empty());
        for (int t = 1; t <= 75; ++t) {
            test::call(timerWindow, "Timer1_Timer");
            for (auto &screen : screens)
                QVERIFY2(screen->shown() == screen->fresh(), qPrintable(QStringLiteral("tick %1").arg(t)));
        }
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
