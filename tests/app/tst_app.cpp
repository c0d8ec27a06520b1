// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a whole: the menu and its timers, the companion program,
// and start-up.

#include "app/frmmain.h"
#include "app/startup.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/frmmen.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QAccessible>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace orv;

using test::window;

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareApplication();
    }

    // The program presents itself by its name and desktop entry, draws with
    // the designed faces, and gives a screen reader its labels' texts.
    void startUp()
    {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Orvalen"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.orvalen.Orvalen"));
        QVERIFY(QFont::substitutes(kGothic).contains(QStringLiteral("Noto Sans Mono CJK JP"), Qt::CaseInsensitive));
        QVERIFY(QApplication::style()->inherits("QProxyStyle"));
        QLabel *title = formRef<FrmMain>().get()->findChild<QLabel *>(QStringLiteral("Label1"));
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(title);
        QVERIFY(reader && reader->textInterface());
    }

    // Qt's own dialogs and menus speak Japanese whatever the locale (the
    // suite runs under C.UTF-8): the countdown's input dialog, reached
    // through the program's own seam, and a text field's menu.
    void qtSpeaksJapanese()
    {
        FrmMen *men = formRef<FrmMen>().renew();
        men->show();
        QStringList buttons;
        QTimer::singleShot(0, this, [&buttons] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Orvalen"));
            for (const QPushButton *button : dialog->findChildren<QPushButton *>())
                buttons << button->text();
            dialog->reject();
        });
        men->CmdTime_Click(5);
        QCOMPARE(buttons, QStringList({"OK", "キャンセル"}));
        QCOMPARE(men->property("LimTime").toInt(), 0);
        QLineEdit field;
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList actions;
        for (const QAction *action : menu->actions())
            actions << action->text().section(u'\t', 0, 0).section(u'(', 0, 0);
        QCOMPARE(actions.join(u'|'), QStringLiteral("元に戻す|やり直す||切り取り|コピー|貼り付け|削除||すべてを選択"));
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
        test::FakeDesktop desktop;
        desktop.answer = QStringLiteral("12:00");
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        const QRect placed = menu->geometry();
        // The menu's button, focused and Enter pressed (the menu has no default
        // button): its connection is part of what opens.
        menu->findChild<QPushButton *>(opener.section(u'_', 0, 0))->setFocus();
        QTest::keyClick(menu, Qt::Key_Return);
        QPointer<QWidget> timer = window(name);
        QVERIFY(timer && timer->isVisible() && !timer->parentWidget() && !menu->isVisible());
        test::run(timer, steps);
        const qsizetype sounded = desktop.played.size();
        QVERIFY(timer->close());
        QVERIFY(menu->isVisible() && menu->geometry() == placed);
        QVERIFY2(!test::clocks(timer).contains("on"), qPrintable(test::clocks(timer)));
        QVERIFY(!window(QStringLiteral("FrmBtn")) && !window(QStringLiteral("FrmDur")));
        QCoreApplication::processEvents();
        QCOMPARE(desktop.played.size(), sounded);

        test::call(menu, opener.toLatin1());
        QVERIFY(timer.isNull() && window(name)->isVisible());
        const QMetaObject *meta = window(name)->metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QVariant value = meta->property(i).read(window(name));
            QVERIFY2(value == QVariant(value.metaType()), meta->property(i).name());
        }
    }

    // A file daily.exe here shows the Daily button beside the countdown's
    // (a folder of that name does not); every press starts the companion
    // from this folder.
    void theDailyButton_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no file") << "";
        QTest::newRow("a folder of that name") << "dir";
        QTest::newRow("the file") << "file";
    }
    void theDailyButton()
    {
        QFETCH(QString, setup);
        test::FakeDesktop desktop;
        if (setup == u"dir")
            QDir().mkdir(QStringLiteral("daily.exe"));
        QFile script(QStringLiteral("daily.exe"));
        if (setup == u"file" && script.open(QIODevice::WriteOnly)) {
            script.write("#!/bin/sh\necho started >> \"$PWD/starts.log\"\n");
            script.close();
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        auto *daily = menu->findChild<QPushButton *>(QStringLiteral("CmdDaily"));
        const bool shown = setup == u"file";
        QCOMPARE(daily->isVisible(), shown);
        // Alone or beside Daily, the row spans the timer buttons' extent.
        const auto twips = [menu](const char *name) { return twipsOf(menu->findChild<QWidget *>(QLatin1String(name))); };
        const QRect row = shown ? twips("CmdMen") | twips("CmdDaily") : twips("CmdMen");
        QCOMPARE(QPoint(row.left(), row.right()), QPoint(twips("CmdTak").left(), twips("CmdRon").right()));
        QVERIFY(!shown || (twips("CmdDaily").top() == twips("CmdMen").top() && twips("CmdDaily").height() == twips("CmdMen").height()));
        if (!shown)
            return;
        QTest::mouseClick(daily, Qt::LeftButton);
        menu->CmdDaily_Click();
        QCOMPARE(desktop.logged, QStringList({"open daily.exe", "open daily.exe"}));
        const auto starts = [] {
            QFile log(QStringLiteral("starts.log"));
            return log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;
        };
        QTRY_COMPARE_WITH_TIMEOUT(starts(), 2, 5000); // daily.exe, another process, writes its log
    }

    // In a Wayland session with XWayland at hand the program asks for xcb,
    // unless the user has chosen a platform.
    void platformChoice_data()
    {
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QByteArray>("platform");
        const QList<std::pair<const char *, const char *>> rows{
            {"DISPLAY=:0 XDG_SESSION_TYPE=x11", ""}, {"WAYLAND_DISPLAY=w0 DISPLAY=:0", "xcb"},
            {"XDG_SESSION_TYPE=Wayland DISPLAY=:1", "xcb"}, {"WAYLAND_DISPLAY=w0 XDG_SESSION_TYPE=wayland", ""},
            {"WAYLAND_DISPLAY=w0 DISPLAY=:0 QT_QPA_PLATFORM=wayland", ""},
            {"WAYLAND_DISPLAY=w0 DISPLAY=:0 QT_QPA_PLATFORM=", "xcb"}};
        for (const auto &[environment, platform] : rows)
            QTest::addRow("%s", environment) << QString(environment) << QByteArray(platform);
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

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
