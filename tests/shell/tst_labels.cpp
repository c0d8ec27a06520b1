// Labels on screen: figures drawn where Qt would draw the same text, and a
// label repainted piece by piece looks exactly like one painted afresh.

#include "common/fonts.h"
#include "common/twips.h"
#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "widgets/form.h"
#include "widgets/controls.h"
#include "widgets/fitlabel.h"
#include "widgets/formref.h"
#include "app/frmmain.h"

#include "support/testsupport.h"

#include <QApplication>
#include <QPainter>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using namespace orv;

namespace {

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

    // What the window shows after the pending repaints.
    QImage shown()
    {
        // The windows' own timers stay out: a tick between this copy and
        // the fresh paint would tell them apart.
        // Until the repaints settle: one may bring another (an activation
        // change repaints what it concerns).
        for (int round = 0; round < 10; ++round) {
            const QRegion before = m_dirty;
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
            if (round > 0 && m_dirty == before)
                break;
        }
        m_rendering = true;
        // The region's corner lands on the offset given.
        m_window->render(&m_image, m_dirty.boundingRect().topLeft(), m_dirty);
        m_rendering = false;
        m_dirty = QRegion();
        return m_image;
    }

    // The window painted afresh.
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

} // namespace

class TestLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { discardAllForms(); }

    // A figure that fits its box lands where Qt's own text drawing puts it.
    void figuresLandWhereQtDrawsThem_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("text");
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int centre = Qt::AlignCenter;
        QTest::newRow("clock, bold, right") << kGothic << 12.0 << true << right << QStringLiteral("3:29:58");
        QTest::newRow("minutes, left") << kGothic << 14.25 << true << left << QStringLiteral("10:00");
        QTest::newRow("counter, centred") << kPGothic << 15.75 << true << centre << QStringLiteral("17");
        QTest::newRow("dashes") << kGothic << 12.0 << true << right << QStringLiteral("-:--:--");
        QTest::newRow("negative") << kPGothic << 9.0 << false << left << QStringLiteral("-5");
    }
    void figuresLandWhereQtDrawsThem()
    {
        QFETCH(QString, face);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(int, align);
        QFETCH(QString, text);
        QWidget window;
        setBackgroundColor(&window, Qt::white);
        QLabel *label = addLabel(&window, QStringLiteral("Figure"), QRect(150, 150, 1800, 450), text);
        label->setFont(designedFont(face, points, bold));
        label->setAlignment(Qt::Alignment(align));
        window.resize(twipsToPx(QRect(0, 0, 2100, 750)).size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage shown = label->grab().toImage();
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(shown.devicePixelRatio());
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(label->font());
            painter.setPen(Qt::black);
            painter.drawText(QRect(QPoint(), label->size()), align | Qt::TextSingleLine, text);
        }
        const QRect drawn = inkBox(shown, qRgb(255, 255, 255));
        const QRect reference = inkBox(expected, qRgb(255, 255, 255));
        QVERIFY(!reference.isEmpty());
        const int slack = qCeil(shown.devicePixelRatio());
        QVERIFY2(qAbs(drawn.left() - reference.left()) <= slack && qAbs(drawn.right() - reference.right()) <= slack
                     && qAbs(drawn.top() - reference.top()) <= slack
                     && qAbs(drawn.bottom() - reference.bottom()) <= slack,
                 qPrintable(QStringLiteral("ink at %1,%2 %3x%4, Qt's at %5,%6 %7x%8")
                                .arg(drawn.x()).arg(drawn.y()).arg(drawn.width()).arg(drawn.height())
                                .arg(reference.x()).arg(reference.y()).arg(reference.width())
                                .arg(reference.height())));
    }

    // Too wide or too tall for the box, a figure is condensed or centred by
    // its ink, and never cut off.
    void figuresNeverCutOff_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::newRow("72 pt, tall") << 72.0 << QRect(0, 780, 4485, 1440) << QStringLiteral("9:59:59");
        QTest::newRow("72 pt, too wide") << 72.0 << QRect(0, 780, 4485, 1440) << QStringLiteral("596523:14:07");
        QTest::newRow("18 pt, narrow box") << 18.0 << QRect(90, 90, 600, 400) << QStringLiteral("3:30:00");
    }
    void figuresNeverCutOff()
    {
        QFETCH(double, points);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QWidget window;
        setBackgroundColor(&window, Qt::white);
        QLabel *label = addLabel(&window, QStringLiteral("Figure"), twips, text);
        label->setFont(designedFont(kPGothic, points, false));
        label->setAlignment(Qt::AlignCenter);
        window.resize(twipsToPx(QRect(0, 0, 4800, 2400)).size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage shown = label->grab().toImage();
        const QRect ink = inkBox(shown, qRgb(255, 255, 255));
        QVERIFY(!ink.isEmpty());
        // Not touching the top or bottom: nothing was clipped. A condensed
        // figure spans its box.
        QVERIFY(ink.top() > 0 && ink.bottom() < shown.height() - 1);
        QVERIFY(ink.width() * 10 >= shown.width() * 8 || (ink.left() > 0 && ink.right() < shown.width() - 1));
        // Centred both ways, to the pixel.
        const int slack = qCeil(shown.devicePixelRatio()) + 1;
        QVERIFY(qAbs(ink.left() - (shown.width() - 1 - ink.right())) <= 2 * slack);
        QVERIFY(qAbs(ink.top() - (shown.height() - 1 - ink.bottom())) <= 2 * slack);
    }

    // A label updated a character at a time ends up exactly as a fresh
    // paint: nothing of an old glyph stays behind, through changes of shape,
    // colour, state and visibility.
    void repaintingWhatChangedLeavesNoTrace()
    {
        QWidget window;
        setBackgroundColor(&window, QColor(192, 192, 192));
        auto *clock = static_cast<FitLabel *>(
            addLabel(&window, QStringLiteral("Clock"), QRect(90, 90, 1500, 400), QStringLiteral("10:05")));
        clock->setFont(designedFont(kGothic, 15.75, true));
        clock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel *big = addLabel(&window, QStringLiteral("Big"), QRect(90, 600, 4000, 1500), QStringLiteral("1:10"));
        big->setFont(designedFont(kPGothic, 72, false));
        big->setAlignment(Qt::AlignCenter);
        window.resize(twipsToPx(QRect(0, 0, 4200, 2200)).size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        ScreenCopy screen(&window);
        int step = 0;
        auto check = [&] {
            ++step;
            return screen.shown() == screen.fresh();
        };
        for (int s = 65; s >= 50; --s) {
            setCaption(clock, QStringLiteral("%1:%2").arg(s / 60 + 9).arg(s % 60, 2, 10, QLatin1Char('0')));
            setCaption(big, QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0')));
            QVERIFY2(check(), qPrintable(QStringLiteral("step %1").arg(step)));
        }
        setCaption(clock, QStringLiteral("9:59"));  // shorter
        QVERIFY(check());
        setCaption(clock, QStringLiteral("--:--"));
        QVERIFY(check());
        setTextColor(clock, Qt::yellow);
        setCaption(clock, QStringLiteral("12:34"));
        QVERIFY(check());
        clock->setEnabled(false);
        setCaption(clock, QStringLiteral("12:35"));
        QVERIFY(check());
        clock->hide();
        setCaption(clock, QStringLiteral("12:36"));
        clock->show();
        QVERIFY(check());
        setCaption(big, QStringLiteral("残り"));  // not a figure: drawn by Qt
        QVERIFY(check());
        setCaption(big, QStringLiteral("0:00"));
        QVERIFY(check());
    }

    // Every timer window through its first minutes of ticks: what is on
    // screen is always what a fresh paint gives.
    void timerWindowsStayWhole_data()
    {
        QTest::addColumn<QString>("timer");
        QTest::newRow("multiple-choice") << QStringLiteral("FrmTak");
        QTest::newRow("essay") << QStringLiteral("FrmRon");
        QTest::newRow("countdown") << QStringLiteral("FrmMen");
    }
    void timerWindowsStayWhole()
    {
        QFETCH(QString, timer);
        test::CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        std::function<void()> tick;
        QList<QWidget *> windows;
        if (timer == u"FrmTak") {
            menu->CmdTak_Click();
            FrmTak *tak = formRef<FrmTak>().peek();
            for (int i = 0; i < 3; ++i)
                tak->Timer2_Timer();
            windows = {tak, formRef<FrmDur>().peek()};
            tick = [tak] { tak->Timer1_Timer(); };
        } else if (timer == u"FrmRon") {
            menu->CmdRon_Click();
            FrmRon *ron = formRef<FrmRon>().peek();
            for (int i = 0; i < 3; ++i)
                ron->Timer2_Timer();
            windows = {ron};
            tick = [ron] { ron->Timer1_Timer(); };
        } else {
            menu->CmdMen_Click();
            FrmMen *men = formRef<FrmMen>().peek();
            // Two minutes: through "1:00" to "59", short of the alarm, whose
            // 72 pt face Qt itself draws a little differently from one
            // paint to the next.
            men->CmdTime_Click(1);
            windows = {men};
            tick = [men] { men->Timer1_Timer(); };
        }
        std::vector<std::unique_ptr<ScreenCopy>> screens;
        for (QWidget *window : windows) {
            QVERIFY(window && QTest::qWaitForWindowExposed(window));
            screens.push_back(std::make_unique<ScreenCopy>(window));
        }
        for (int t = 1; t <= 75; ++t) {
            tick();
            for (auto &screen : screens)
                QVERIFY2(screen->shown() == screen->fresh(), qPrintable(QStringLiteral("tick %1").arg(t)));
        }
    }
};

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
