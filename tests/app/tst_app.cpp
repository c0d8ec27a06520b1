// The program as a whole: the menu and its timers, the companion program,
// the faces the windows are drawn with, start-up, and what a screen reader
// hears.

#include "app/frmmain.h"
#include "app/startup.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "support/testsupport.h"
#include "widgets/accessibility.h"
#include "widgets/formref.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace orv;

namespace {

QWidget *window(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

// Runs "Handler", "Handler*N" or "Handler:arg" steps on a window.
void run(QWidget *w, const QString &steps)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QByteArray handler = step.section(QRegularExpression(QStringLiteral("[*:]")), 0, 0).toLatin1();
        if (step.contains(u':'))
            QVERIFY(QMetaObject::invokeMethod(w, handler, Q_ARG(int, step.section(u':', 1).toInt())));
        else
            test::call(w, handler, step.contains(u'*') ? step.section(u'*', 1).toInt() : 1);
    }
}

// Every named, visible element of a window's accessibility tree as
// "name=value".
QStringList heard(QWidget *window)
{
    QStringList found;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        const QString name = node->text(QAccessible::Name);
        if (!name.isEmpty() && node->object() != window && !node->state().invisible)
            found << name + u'=' + node->text(QAccessible::Value);
        if (auto *text = node->textInterface())
            if (text->text(0, text->characterCount()) != node->text(QAccessible::Value))
                found << "text differs: " + name;
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return found;
}

// The compiled-in cut carries the vendor ORVL and a few hundred glyphs,
// where the system's face has 65,535.
bool isTheCut(const QRawFont &raw)
{
    const QByteArray maxp = raw.fontTable("maxp");
    const int glyphs = maxp.size() >= 6 ? (uchar(maxp[4]) << 8 | uchar(maxp[5])) : 0;
    return raw.fontTable("OS/2").mid(58, 4) == "ORVL" && glyphs > 0 && glyphs < 2000;
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        installAccessibility();
    }

    void init()
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }

    void cleanup()
    {
        discardAllForms();
        QDir::setCurrent(m_previous);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    // Whatever state a timer is in, closing it stops its clocks, silences it,
    // takes its companions and shows the menu again where it was; the next
    // opening starts afresh.
    void closingATimer_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("steps");
        QTest::newRow("paper, counting down") << "CmdTak_Click" << "FrmTak" << "Timer2_Timer";
        QTest::newRow("paper, running") << "CmdTak_Click" << "FrmTak" << "Timer2_Timer*3 Timer1_Timer*500 CmdNext_Click";
        QTest::newRow("paper, over") << "CmdTak_Click" << "FrmTak" << "Timer2_Timer*3 Timer1_Timer*12600";
        QTest::newRow("essay, counting down") << "CmdRon_Click" << "FrmRon" << "Timer2_Timer";
        QTest::newRow("essay, running") << "CmdRon_Click" << "FrmRon" << "Timer2_Timer*3 Timer1_Timer*100";
        QTest::newRow("essay, over") << "CmdRon_Click" << "FrmRon" << "Timer2_Timer*3 Timer1_Timer*7200";
        QTest::newRow("kitchen, keypad") << "CmdMen_Click" << "FrmMen" << "";
        QTest::newRow("kitchen, counting") << "CmdMen_Click" << "FrmMen" << "CmdTime_Click:0 Timer1_Timer";
        QTest::newRow("kitchen, alarm") << "CmdMen_Click" << "FrmMen" << "CmdTime_Click:0 Timer1_Timer*61";
        QTest::newRow("kitchen, clock") << "CmdMen_Click" << "FrmMen" << "CmdTime_Click:5";
        QTest::newRow("kitchen, clock alarm") << "CmdMen_Click" << "FrmMen" << "CmdTime_Click:5 Timer3_Timer";
    }
    void closingATimer()
    {
        QFETCH(QString, opener);
        QFETCH(QString, name);
        QFETCH(QString, steps);
        test::CueRecorder cues;
        test::FakeDesktop desktop;
        desktop.answer = QStringLiteral("12:00");
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        const QRect placed = menu->geometry();
        test::call(menu, opener.toLatin1());
        QPointer<QWidget> timer = window(name);
        QVERIFY(timer && timer->isVisible() && !timer->parentWidget());
        QVERIFY(!menu->isVisible());
        run(timer, steps);
        // Hidden, the menu holds neither its picture nor a native window.
        QTRY_VERIFY(!menu->testAttribute(Qt::WA_WState_Created));
        QVERIFY(menu->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
        const int sounded = cues.played().size();

        QVERIFY(timer->close());
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->geometry(), placed);
        QCOMPARE(menu->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().size(), QSize(329, 249));
        for (PeriodicTimer *clock : timer->findChildren<PeriodicTimer *>())
            QVERIFY2(!clock->isEnabled(), qPrintable(clock->objectName()));
        QVERIFY(!window(QStringLiteral("FrmBtn")) && !window(QStringLiteral("FrmDur")));
        QTest::qWait(20);
        QCOMPARE(cues.played().size(), sounded);

        test::call(menu, opener.toLatin1());
        QVERIFY(timer.isNull());
        QWidget *fresh = window(name);
        QVERIFY(fresh && fresh->isVisible());
        int windows = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            windows += w->objectName() == name;
        QCOMPARE(windows, 1);
        const QMetaObject *meta = fresh->metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QVariant value = meta->property(i).read(fresh);
            QVERIFY2(value == QVariant(value.metaType()), meta->property(i).name());
        }
        fresh->close();
        QVERIFY(menu->isVisible());
    }

    // Without a file daily.exe here, the Daily button stays hidden and the
    // countdown's button spans the row; with one they share it.
    void theDailyButton_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no file") << "" << false;
        QTest::newRow("a folder of that name") << "dir" << false;
        QTest::newRow("another case") << "DAILY.EXE" << false;
        QTest::newRow("the file") << "daily.exe" << true;
    }
    void theDailyButton()
    {
        QFETCH(QString, setup);
        QFETCH(bool, shown);
        if (setup == u"dir")
            QDir().mkdir(QStringLiteral("daily.exe"));
        else if (!setup.isEmpty())
            QFile(setup).open(QIODevice::WriteOnly);
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        auto *daily = menu->findChild<QPushButton *>(QStringLiteral("CmdDaily"));
        auto *men = menu->findChild<QPushButton *>(QStringLiteral("CmdMen"));
        QCOMPARE(daily->isVisible(), shown);
        QCOMPARE(men->geometry().right(), menu->findChild<QWidget *>(QStringLiteral("CmdRon"))->geometry().right());
        QCOMPARE(men->geometry().left() > 40, shown);
        QVERIFY(!daily->isVisible() || daily->geometry().right() < men->geometry().left());
        // Looked up once, at load.
        QFile(QStringLiteral("daily.exe")).open(QIODevice::WriteOnly);
        menu->hide();
        menu->show();
        QCOMPARE(daily->isVisible(), shown);
        QStringList order;
        for (QWidget *w = menu->findChild<QWidget *>(QStringLiteral("CmdTak")); order.size() < 4;
             w = w->nextInFocusChain())
            if (w->focusPolicy() != Qt::NoFocus && w->isVisible())
                order << w->objectName();
        QCOMPARE(order.join(u' '), shown ? "CmdTak CmdRon CmdMen CmdDaily" : "CmdTak CmdRon CmdMen CmdTak");
    }

    // Every press starts the companion, from this folder; a companion gone
    // since changes nothing.
    void dailyStartsTheCompanion()
    {
        QFile script(QStringLiteral("daily.exe"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho started >> \"$PWD/starts.log\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        test::LogCapture log("orvalen.shell");
        QTest::mouseClick(menu->findChild<QPushButton *>(QStringLiteral("CmdDaily")), Qt::LeftButton);
        menu->CmdDaily_Click();
        QCOMPARE(log.lines(), QStringList({"open daily.exe", "open daily.exe"}));
        QTRY_COMPARE_WITH_TIMEOUT(QString(readFile("starts.log")).count(u'\n'), 2, 5000);
        QFile::remove(QStringLiteral("daily.exe"));
        menu->CmdDaily_Click();
        QVERIFY(menu->isVisible());
    }

    // The designed faces resolve to the compiled-in cuts of the Noto faces;
    // a character the cut lacks still comes from the whole system face.
    void theFaces_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("fixed") << kGothic << false << "Noto Sans Mono CJK JP";
        QTest::newRow("fixed, bold") << kGothic << true << "Noto Sans Mono CJK JP";
        QTest::newRow("proportional") << kPGothic << false << "Noto Sans CJK JP";
        QTest::newRow("proportional, bold") << kPGothic << true << "Noto Sans CJK JP";
    }
    void theFaces()
    {
        QFETCH(QString, face);
        QFETCH(bool, bold);
        QFETCH(QString, resolved);
        const QFont font = designedFont(face, 15.75, bold);
        QCOMPARE(font.family(), face);
        QVERIFY2(QFontInfo(font).family().startsWith(resolved), qPrintable(QFontInfo(font).family()));
        QCOMPARE(QFontInfo(font).bold(), bold);
        QVERIFY(isTheCut(QRawFont::fromFont(font)));
        QVERIFY(QFontMetrics(font).inFontUcs4(U'鬱'));
    }

    // Every character any window shows is in the cut its font resolves to,
    // so no window opens a whole system face.
    void everyShownCharacterIsInTheCut()
    {
        test::CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        int checked = 0;
        for (const char *opener : {"", "CmdTak_Click", "CmdRon_Click", "CmdMen_Click"}) {
            if (*opener)
                test::call(menu, opener);
            for (QWidget *top : QApplication::topLevelWidgets()) {
                for (QWidget *w : top->findChildren<QWidget *>()) {
                    QString text = w->property("text").toString();
                    if (!top->isVisible() || (w->font().family() != kGothic && w->font().family() != kPGothic))
                        continue;
                    const QRawFont raw = QRawFont::fromFont(w->font());
                    QVERIFY(isTheCut(raw));
                    for (const char32_t c : text.toUcs4()) {
                        QVERIFY2(raw.supportsCharacter(c), qPrintable(w->objectName() + u' ' + QString::number(c, 16)));
                        ++checked;
                    }
                }
            }
        }
        QVERIFY(checked > 300);
    }

    // What a screen reader hears: the names of the figures and the texts
    // they show.
    void whatAScreenReaderHears_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("menu") << "" << "FrmMain" << ""
                              << QStringList{"Orvalen=Orvalen", "ラーメンタイマー=", "択　一=", "論　文="};
        QTest::newRow("paper") << "CmdTak_Click" << "FrmTak" << "Timer2_Timer*3 Timer1_Timer*100 CmdNext_Click"
                               << QStringList{"アドバンテージ=1:50", "タイマー間隔(ミリ秒)=1000", "実際の進度（問目）=2",
                                              "必要処理時間=3:32", "標準処理時間（残）=1:50", "標準進度（問目）=1",
                                              "残り時間=3:28:20"};
        QTest::newRow("per question") << "CmdTak_Click" << "FrmDur" << "Timer2_Timer*3 Timer1_Timer*40"
                                      << QStringList{"経過時間=40", "必要処理時間(残)=2:50", "標準処理時間(残)=2:50"};
        QTest::newRow("essay") << "CmdRon_Click" << "FrmRon" << "Timer2_Timer*3 Timer1_Timer*700"
                               << QStringList{"第1問 答案作成の残り時間=30:00", "第1問 答案構成の残り時間=18:20",
                                              "第1問=1", "第2問 答案作成の残り時間=30:00",
                                              "第2問 答案構成の残り時間=20:00", "第2問 論点抽出の残り時間=10:00",
                                              "第2問=2", "タイマー間隔(ミリ秒)=1000", "標準処理時間（残）=48:20",
                                              "標準進度（問目）=1", "残り時間=1:48:20"};
        QTest::newRow("kitchen") << "CmdMen_Click" << "FrmMen" << "CmdTime_Click:0 Timer1_Timer*65"
                                 << QStringList{"超過=(over)", "超過時間=5", "残り時間=(^｡^)", "ミュート="};
    }
    void whatAScreenReaderHears()
    {
        QFETCH(QString, opener);
        QFETCH(QString, name);
        QFETCH(QString, steps);
        QFETCH(QStringList, expected);
        test::CueRecorder cues;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        if (!opener.isEmpty())
            test::call(menu, opener.toLatin1());
        run(window(opener.isEmpty() ? "FrmMain" : name == u"FrmDur" ? "FrmTak" : name), steps);
        const QStringList got = heard(window(name));
        for (const QString &entry : expected) {
            const bool found = entry.endsWith(u'=') ? got.indexOf(QRegularExpression(
                                   u'^' + QRegularExpression::escape(entry))) >= 0
                                                    : got.contains(entry);
            QVERIFY2(found, qPrintable(entry + " among " + got.join(u',')));
        }
        QVERIFY(got.filter(QStringLiteral("text differs")).isEmpty());
    }

    // Tab reaches the menu's buttons, and Enter presses the focused one.
    void theMenuByKeyboard()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        QApplication::setActiveWindow(menu);
        menu->findChild<QPushButton *>(QStringLiteral("CmdRon"))->setFocus();
        QTest::keyClick(menu, Qt::Key_Return);
        QVERIFY(window(QStringLiteral("FrmRon"))->isVisible());
    }

    void platformChoice_data()
    {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("X11") << "DISPLAY=:0 XDG_SESSION_TYPE=x11" << QByteArray();
        QTest::newRow("Wayland, XWayland") << "WAYLAND_DISPLAY=w0 DISPLAY=:0" << QByteArray("xcb");
        QTest::newRow("session type only") << "XDG_SESSION_TYPE=Wayland DISPLAY=:1" << QByteArray("xcb");
        QTest::newRow("no XWayland") << "WAYLAND_DISPLAY=w0 XDG_SESSION_TYPE=wayland" << QByteArray();
        QTest::newRow("user chose") << "WAYLAND_DISPLAY=w0 DISPLAY=:0 QT_QPA_PLATFORM=wayland" << QByteArray();
        QTest::newRow("empty choice") << "WAYLAND_DISPLAY=w0 DISPLAY=:0 QT_QPA_PLATFORM=" << QByteArray("xcb");
    }
    void platformChoice()
    {
        QFETCH(QString, environment);
        QFETCH(QByteArray, platform);
        QProcessEnvironment env;
        for (const QString &entry : environment.split(u' '))
            env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        QCOMPARE(choosePlatform(env), platform);
    }

    // Work held back until the first frame is out runs once, after it.
    void afterTheFirstPaint()
    {
        int runs = 0;
        QWidget w;
        afterFirstPaint(&w, [&runs] { ++runs; });
        QTest::qWait(10);
        QCOMPARE(runs, 0);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(runs, 1);
        w.repaint();
        QTest::qWait(10);
        QCOMPARE(runs, 1);
    }

    // Runs last: closing the menu is what ends the program.
    void closingTheMenuEndsTheProgram()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        QTimer::singleShot(0, menu, [menu] { menu->close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }

private:
    static QByteArray readFile(const char *name)
    {
        QFile f(QString::fromLatin1(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
