// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a whole: the menu and its timers, the companion program,
// and start-up.

#include "app/frmmain.h"
#include "app/startup.h"
#include "common/fonts.h"
#include "common/periodictimer.h"
#include "countdown/frmmen.h"
#include "multiple_choice/frmdur.h"
#include "support/testsupport.h"
#include "widgets/controls.h"
#include "widgets/colours.h"
#include "widgets/formref.h"
#include "widgets/look.h"
#include "widgets/platform.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QPointer>
#include <QStyle>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace orv;

using test::window;

namespace {
QString box(const QRect &r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What a widget's text is drawn on: its own background where it paints one
// (a window, a filled panel or label, a button's face, a text box), else
// whatever its parent shows.
QColor paperBehind(const QWidget *w)
{
    while (!w->isWindow() && !w->autoFillBackground() && !qobject_cast<const QPushButton *>(w) && !qobject_cast<const QLineEdit *>(w))
        w = w->parentWidget();
    return w->palette().color(w->backgroundRole());
}

// What of a control's look is not the designed one: its palette, but for
// the roles the program colours itself (back=, ink= and paper= tell them;
// every role, for Qt's own windows), and its font. Empty where the look
// holds.
QString offLook(const QWidget *w, const QFont &designed, bool ownColours = true)
{
    QPalette expected = designedPalette();
    for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::ButtonText})
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            if (ownColours)
                expected.setBrush(group, role, w->palette().brush(group, role));
    const QString palette = w->palette() == expected ? QString() : QStringLiteral("the palette ");
    return palette + (w->font() == designed ? QString() : w->font().toString());
}

// What outside tools read of a control and its children, a line each.
void describe(const QObject *object, int depth, QStringList &lines)
{
    QString line = QString(2 * depth, u' ') + QLatin1String(object->metaObject()->className()) + u' ' + object->objectName();
    if (const auto *timer = qobject_cast<const PeriodicTimer *>(object))
        line += QStringLiteral(" interval=%1 enabled=%2").arg(timer->interval()).arg(timer->isEnabled());
    if (const auto *w = qobject_cast<const QWidget *>(object)) {
        if (w->isWindow())
            line += QStringLiteral(" title=\"%1\" size=%2x%3 flags=%4 icon=%5")
                        .arg(w->windowTitle()).arg(w->width()).arg(w->height()).arg(int(w->windowFlags()), 0, 16)
                        .arg(w->windowIcon().availableSizes().size());
        else
            line += QStringLiteral(" at=") + box(w->geometry()) + (w->isVisibleTo(w->parentWidget()) ? "" : " hidden");
        if (object->property("twips").isValid())
            line += QStringLiteral(" twips=") + box(object->property("twips").toRect());
        if (const auto *label = qobject_cast<const QLabel *>(w))
            line += QStringLiteral(" text=\"%1\" align=%2").arg(label->text()).arg(int(label->alignment()), 0, 16);
        if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            line += QStringLiteral(" text=\"%1\"").arg(button->text());
        if (const auto *button = qobject_cast<const QPushButton *>(w))
            line += QStringLiteral(" default=%1 autoDefault=%2").arg(button->isDefault()).arg(button->autoDefault());
        if (const auto *edit = qobject_cast<const QLineEdit *>(w))
            line += QStringLiteral(" text=\"%1\" align=%2 focus=%3")
                        .arg(edit->text()).arg(int(edit->alignment()), 0, 16).arg(int(edit->focusPolicy()));
        line += QStringLiteral(" font=%1/%2/%3").arg(w->font().family()).arg(w->font().pointSizeF()).arg(w->font().bold());
        if (w->autoFillBackground())
            line += QStringLiteral(" back=") + w->palette().color(QPalette::Window).name(QColor::HexArgb);
        line += QStringLiteral(" ink=%1 paper=%2").arg(w->palette().color(w->foregroundRole()).name(), paperBehind(w).name());
        if (const QString off = offLook(w, designedFont(w->font().family(), w->font().pointSizeF(), w->font().bold()));
            !off.isEmpty())
            line += QStringLiteral(" off-look=") + off;
        if (!w->accessibleName().isEmpty())
            line += QStringLiteral(" spoken=\"%1\"").arg(w->accessibleName());
    }
    lines << line;
    for (const QObject *child : object->children())
        describe(child, depth + 1, lines);
}

// A window's controls, and the order Tab takes through them.
QStringList described(QWidget *window)
{
    QStringList lines;
    describe(window, 0, lines);
    QStringList tabs;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            tabs << w->objectName();
    lines << QStringLiteral("  tab order: ") + tabs.join(u' ');
    return lines;
}
} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::palette().color(QPalette::Window).lightness() < 128,
                 "not on the tests' dark desktop (QT_QPA_PLATFORMTHEME=orvalen-test-desktop)");
        prepareApplication();
    }

    // The program presents itself by its name and desktop entry, draws with
    // the designed faces, and gives a screen reader its labels' texts.
    void startUp()
    {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Orvalen"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.orvalen.Orvalen"));
        // The cut faces registered, and first, then the system's, for each
        // designed face.
        QVERIFY2(QFontDatabase::families().contains(QStringLiteral(ORVALEN_CUT_FACE_FAMILY)),
                 qPrintable(QFontDatabase::families().filter(QStringLiteral("Noto")).join(u',')));
        QCOMPARE(QFont::substitutes(kGothic).mid(0, 3),
                 QStringList({"noto sans mono cjk jp [orvl]", "noto sans mono cjk jp", "ipagothic"}));
        QCOMPARE(QFont::substitutes(kPGothic).mid(0, 3), QStringList({"noto sans cjk jp [orvl]", "noto sans cjk jp", "ipapgothic"}));
        // Whatever the desktop names (the tests' desktop: Windows).
        const auto *style = qobject_cast<QProxyStyle *>(QApplication::style());
        QVERIFY(style);
        QCOMPARE(style->baseStyle()->name(), QStringLiteral("fusion"));
        QVERIFY(QAccessible::queryAccessibleInterface(formRef<FrmMain>().get()->findChild<QLabel *>())->textInterface());
    }

    // Every window as it opens, as outside tools see it: each control's name,
    // class, place, text, face, colours drawn and spoken name, the clocks and
    // the tab order, against tests/app/object-model.txt. ORVALEN_OBJECT_MODEL=<file>
    // writes what is seen there, to compare or to take as the new model. The
    // same on a dark desktop whose theme gives every class of control its own
    // palette and font, even one that changes while each timer runs.
    void theObjectModel_data()
    {
        QTest::addColumn<bool>("turning");
        QTest::addColumn<int>("path");
        QTest::newRow("a dark desktop") << false << int(test::DesktopScheme::Theme);
        QTest::newRow("it turns light and dark again while each timer runs") << true << int(test::DesktopScheme::Theme);
        QTest::newRow("KDE's way: the application's palette set too") << true << int(test::DesktopScheme::ApplicationPalette);
        QTest::newRow("qt6ct's way: every control's palette set") << true << int(test::DesktopScheme::EveryControl);
    }
    void theObjectModel()
    {
        QFETCH(bool, turning);
        QFETCH(int, path);
        const test::DesktopScheme scheme{test::DesktopScheme::Path(path)};
        bool dark = true;
        const auto turn = [&] { return turning ? scheme.set(dark = !dark) : void(); };
        test::FakeDesktop desktop;
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        turn();
        QStringList seen = described(menu);
        for (const char *opener : {"CmdTak_Click", "CmdRon_Click", "CmdMen_Click"}) {
            QVERIFY(test::call(menu, opener));
            turn();
            QMap<QString, QWidget *> opened;
            for (QWidget *shown : QApplication::topLevelWidgets())
                if (shown != menu && shown->isVisible())
                    opened.insert(shown->objectName(), shown);
            for (QWidget *shown : std::as_const(opened))
                seen += described(shown);
            for (QWidget *shown : std::as_const(opened))
                shown->close();
        }
        seen += described(formRef<FrmDur>().get());
        QFile(QStringLiteral("daily.exe")).open(QIODevice::WriteOnly); // and the menu with its Daily button
        seen += described(test::opened<FrmMain>());
        if (const QString out = qEnvironmentVariable("ORVALEN_OBJECT_MODEL"); !out.isEmpty()) {
            QFile file(out);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write((seen.join(u'\n') + u'\n').toUtf8());
        }
        QFile model(QStringLiteral(ORVALEN_SOURCE_DIR "/tests/app/object-model.txt"));
        QVERIFY(model.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(model.readAll())
                                         .replace(QStringLiteral(ORVALEN_MODEL_AS_WRITTEN), QStringLiteral(ORVALEN_MODEL_HERE))
                                         .split(u'\n', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < qMax(seen.size(), expected.size()); ++i)
            QCOMPARE(seen.value(i), expected.value(i));
    }

    // Work held back until a window's first frame runs once, after that frame
    // is drawn, and leaves nothing behind.
    void afterTheFirstFrame()
    {
        struct Window : QWidget
        {
            void paintEvent(QPaintEvent *) override { ++paints; }
            int paints = 0;
        } window;
        int runs = 0;
        afterFirstPaint(&window, [&] { runs += window.paints; });
        window.show();
        QTRY_COMPARE(runs, 1); // the window system exposes the window, and it is drawn
        window.repaint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(runs, 1);
        QVERIFY(window.children().isEmpty());
    }

    // Qt's own windows, the countdown's input dialog reached through the
    // program's own seam and its text box's menu, speak Japanese whatever the
    // locale (the suite runs under C.UTF-8) and have the program's one look
    // on a desktop whose theme would give them its palettes, fonts and icons
    // and its order and words for the buttons, also when the scheme changes
    // while they are open.
    void qtWindows_data()
    {
        QTest::addColumn<int>("path");
        QTest::newRow("the theme's scheme") << int(test::DesktopScheme::Theme);
        QTest::newRow("KDE's way: the application's palette set too") << int(test::DesktopScheme::ApplicationPalette);
    }
    void qtWindows()
    {
        QFETCH(int, path);
        FrmMen *men = test::opened<FrmMen>();
        QStringList seen;
        // Run by the dialog's own event loop; whatever is open is closed, so
        // that a missing dialog fails here rather than hangs.
        QTimer::singleShot(0, this, [&] {
            if (auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                const std::unique_ptr<QMenu> menu(dialog->findChild<QLineEdit *>()->createStandardContextMenu());
                menu->popup(dialog->geometry().center());
                const test::DesktopScheme scheme{test::DesktopScheme::Path(path)};
                for (const bool dark : {true, false, true}) {
                    scheme.set(dark);
                    QWidgetList all = dialog->findChildren<QWidget *>() << dialog << menu.get();
                    for (const QWidget *w : std::as_const(all))
                        if (const QString off = offLook(w, designedDialogFont(), false); !off.isEmpty())
                            seen << w->objectName() + u' ' + off;
                }
                QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
                std::sort(buttons.begin(), buttons.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
                seen << dialog->windowTitle() << QString::number(menu->actions().size());
                for (const QPushButton *button : buttons)
                    seen << button->text() + (button->icon().isNull() ? "" : "+icon");
            }
            for (QWidget *shown : QApplication::topLevelWidgets())
                if (auto *open = qobject_cast<QDialog *>(shown))
                    open->reject();
        });
        men->CmdTime_Click(5);
        QCOMPARE(seen, QStringList({"Orvalen", "9", "OK+icon", "キャンセル+icon"}));
        QCOMPARE(men->property("LimTime").toInt(), 0);
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
        QVERIFY(timer);
        QVERIFY(timer->isVisible());
        QCOMPARE(timer->parentWidget(), nullptr);
        QVERIFY(!menu->isVisible());
        QVERIFY(test::run(timer, steps));
        const qsizetype sounded = desktop.played.size();
        QVERIFY(timer->close());
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->geometry(), placed);
        QVERIFY2(!test::clocks(timer).contains("on"), qPrintable(test::clocks(timer)));
        QCOMPARE(window(QStringLiteral("FrmBtn")), nullptr);
        QCOMPARE(window(QStringLiteral("FrmDur")), nullptr);
        QCoreApplication::processEvents();
        QCOMPARE(desktop.played.size(), sounded);

        QVERIFY(test::call(menu, opener.toLatin1()));
        QVERIFY(timer.isNull());
        QVERIFY(window(name)->isVisible());
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
        // A real program of this system, that logs each start in its folder.
        if (setup == u"file")
            QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/" ORVALEN_FAKE_DAILY),
                                QStringLiteral("daily.exe")));
        FrmMain *menu = test::opened<FrmMain>();
        auto *daily = menu->findChild<QPushButton *>(QStringLiteral("CmdDaily"));
        QCOMPARE(daily->isVisible(), setup == u"file");
        if (!daily->isVisible())
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

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
