#include "common/fonts.h"
#include "widgets/formref.h"
#include "app/frmmain.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

Q_DECLARE_METATYPE(Qt::Alignment)

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }

    void cleanup()
    {
        discardAllForms();
        QDir::setCurrent(m_previous);
        for (const QString &entry : QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            QFileInfo info(QDir(m_dir.path()).filePath(entry));
            info.isDir() ? QDir(info.filePath()).removeRecursively() : QFile::remove(info.filePath());
        }
    }

    void window()
    {
        FrmMain *menu = showMenu();
        QCOMPARE(menu->objectName(), QStringLiteral("FrmMain"));
        QCOMPARE(menu->windowTitle(), QStringLiteral("Orvalen"));
        QCOMPARE(menu->size(), QSize(312, 213));
        QCOMPARE(menu->minimumSize(), menu->maximumSize());
        QVERIFY(!(menu->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(menu->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!menu->windowIcon().isNull());
        QVERIFY(menu->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(menu->windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    // The designed faces resolve to the compiled-in cuts of the Noto faces,
    // and a character the cut lacks still comes from the whole system face.
    void designedFacesMapOntoJapaneseFonts_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("resolved");
        QTest::addColumn<bool>("bold");
        QTest::newRow("fixed pitch") << kGothic << "Noto Sans Mono CJK JP" << false;
        QTest::newRow("fixed pitch, bold") << kGothic << "Noto Sans Mono CJK JP" << true;
        QTest::newRow("proportional") << kPGothic << "Noto Sans CJK JP" << false;
        QTest::newRow("proportional, bold") << kPGothic << "Noto Sans CJK JP" << true;
    }
    void designedFacesMapOntoJapaneseFonts()
    {
        QFETCH(QString, face);
        QFETCH(QString, resolved);
        QFETCH(bool, bold);
        const QFont font = designedFont(face, 15.75, bold);
        QCOMPARE(font.family(), face);
        QCOMPARE(font.pointSizeF(), 15.75);
        QVERIFY2(QFontInfo(font).family().startsWith(resolved), qPrintable(QFontInfo(font).family()));
        QCOMPARE(QFontInfo(font).bold(), bold);
        QVERIFY(isCompiledInCut(QRawFont::fromFont(font)));
        QVERIFY(QFontMetrics(font).inFontUcs4(U'択'));
        QVERIFY(QFontMetrics(font).inFontUcs4(U'③'));
        QVERIFY(QFontMetrics(font).inFontUcs4(U'鬱'));  // not in the cut: the whole face
    }

    // Every character a window shows is in the cut its font resolves to, so
    // no window opens a whole system face.
    void everyShownCharacterIsInTheCut_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("menu") << "";
        QTest::newRow("multiple choice") << "CmdTak_Click";
        QTest::newRow("essay") << "CmdRon_Click";
        QTest::newRow("countdown") << "CmdMen_Click";
    }
    void everyShownCharacterIsInTheCut()
    {
        QFETCH(QString, opener);
        test::CueRecorder cues;
        FrmMain *menu = showMenu();
        if (!opener.isEmpty())
            QVERIFY(QMetaObject::invokeMethod(menu, opener.toLatin1().constData()));
        int checked = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                QString text;
                if (auto *label = qobject_cast<QLabel *>(w))
                    text = label->text();
                else if (auto *button = qobject_cast<QAbstractButton *>(w))
                    text = button->text();
                else if (auto *edit = qobject_cast<QLineEdit *>(w))
                    text = edit->text();
                if (w->font().family() != kGothic && w->font().family() != kPGothic)
                    continue;
                const QRawFont raw = QRawFont::fromFont(w->font());
                QVERIFY(isCompiledInCut(raw));
                for (const char32_t c : text.toUcs4()) {
                    QVERIFY2(raw.supportsCharacter(c), qPrintable(w->objectName() + u' ' + QString::number(c, 16)));
                    ++checked;
                }
            }
        }
        QVERIFY(checked > 0);
    }

    void centredOnTheScreen()
    {
        FrmMain *menu = showMenu();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect outer = menu->frameGeometry();
        QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= 1);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        QTest::newRow("Label1") << "Label1" << QRect(450, 300, 3705, 480) << "Orvalen" << 24.0;
        QTest::newRow("CmdTak") << "CmdTak" << QRect(540, 1380, 1575, 825) << "択　一" << 15.75;
        QTest::newRow("CmdRon") << "CmdRon" << QRect(2430, 1380, 1575, 825) << "論　文" << 15.75;
        QTest::newRow("CmdMen") << "CmdMen" << QRect(540, 2460, 3465, 405) << "ラーメンタイマー" << 12.0;
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        QFETCH(double, points);
        FrmMain *menu = showMenu();
        QWidget *control = menu->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->property("twips").toRect(), twips);
        QCOMPARE(control->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        const QString text = qobject_cast<QLabel *>(control) ? qobject_cast<QLabel *>(control)->text()
                                                             : qobject_cast<QPushButton *>(control)->text();
        QCOMPARE(text, caption);
        QCOMPARE(control->font().family(), kPGothic);
        QCOMPARE(control->font().pointSizeF(), points);
        QVERIFY(control->font().bold());
        QVERIFY(control->isVisible());
    }

    void lookOfTheTitleAndBackground()
    {
        FrmMain *menu = showMenu();
        auto *title = menu->findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(64, 64, 64));
        auto *image = menu->findChild<QLabel *>(QStringLiteral("Image1"));
        QCOMPARE(image->property("twips").toRect(), QRect(0, 0, 4935, 3735));
        QCOMPARE(image->pixmap().size(), QSize(329, 249));
        QVERIFY(!image->hasScaledContents());
        QVERIFY(menu->findChild<QWidget *>(QStringLiteral("Shape1")));
    }

    void stackingFrontToBack()
    {
        FrmMain *menu = showMenu();
        QStringList backToFront;
        for (QObject *child : menu->children())
            if (child->isWidgetType())
                backToFront << child->objectName();
        QCOMPARE(backToFront, QStringList({"Image1", "Shape1", "Label1", "CmdTak", "CmdRon", "CmdDaily", "CmdMen"}));
    }

    void tabOrder()
    {
        QFile::copy(QStringLiteral(ORVALEN_SOURCE_DIR "/resources/s01.wav"), QStringLiteral("daily.exe"));
        FrmMain *menu = showMenu();
        QWidget *w = menu->findChild<QWidget *>(QStringLiteral("CmdTak"));
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order << w->objectName();
            w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || !w->isVisible())
                w = w->nextInFocusChain();
        }
        QCOMPARE(order, QStringList({"CmdTak", "CmdRon", "CmdMen", "CmdDaily"}));
    }

    void dailyHiddenWithoutTheFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no file") << "none";
        QTest::newRow("a directory of that name") << "dir";
        QTest::newRow("a file of another case") << "upper";
    }
    void dailyHiddenWithoutTheFile()
    {
        QFETCH(QString, setup);
        if (setup == "dir")
            QDir().mkdir(QStringLiteral("daily.exe"));
        if (setup == "upper")
            touch(QStringLiteral("DAILY.EXE"));
        FrmMain *menu = showMenu();
        QVERIFY(!button(menu, "CmdDaily")->isVisible());
        QCOMPARE(button(menu, "CmdMen")->property("twips").toRect(), QRect(540, 2460, 3465, 405));
    }

    // With the file present both buttons share the row, side by side.
    void dailyVisibleBesideCmdMen()
    {
        touch(QStringLiteral("daily.exe"));
        FrmMain *menu = showMenu();
        QPushButton *daily = button(menu, "CmdDaily");
        QPushButton *men = button(menu, "CmdMen");
        QVERIFY(daily->isVisible());
        const QRect d = daily->property("twips").toRect();
        const QRect m = men->property("twips").toRect();
        QCOMPARE(d.top(), 2460);
        QCOMPARE(m.top(), 2460);
        QCOMPARE(d.height(), 405);
        QCOMPARE(m.height(), 405);
        QCOMPARE(d.left(), 540);
        QVERIFY(d.left() + d.width() <= m.left());
        QCOMPARE(m.left() + m.width(), 540 + 3465);
        QVERIFY(!daily->geometry().intersects(men->geometry()));
        // Both fully clickable: the centre of each finds that button.
        QCOMPARE(menu->childAt(daily->geometry().center()), daily);
        QCOMPARE(menu->childAt(men->geometry().center()), men);
        // Wide enough for its caption.
        QVERIFY(men->fontMetrics().horizontalAdvance(men->text()) < men->width());
    }

    void dailyLookupHappensOnceAtLoad()
    {
        FrmMain *menu = showMenu();
        touch(QStringLiteral("daily.exe"));
        menu->hide();
        menu->show();
        QVERIFY(!button(menu, "CmdDaily")->isVisible());
    }

    void dailyStartsTheCompanionOnEveryPress()
    {
        writeCompanion();
        FrmMain *menu = showMenu();
        QVERIFY(button(menu, "CmdDaily")->isVisible());
        orv::test::LogCapture log("orvalen.shell");
        menu->CmdDaily_Click();
        QTest::mouseClick(button(menu, "CmdDaily"), Qt::LeftButton);
        QCOMPARE(log.lines(), QStringList({"open daily.exe", "open daily.exe"}));
        QTRY_COMPARE_WITH_TIMEOUT(startsRecorded(), 2, 5000);
    }

    void failedLaunchChangesNothing()
    {
        writeCompanion();
        FrmMain *menu = showMenu();
        QFile::remove(QStringLiteral("daily.exe"));
        const QRect before = menu->geometry();
        menu->CmdDaily_Click();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->geometry(), before);
        QVERIFY(button(menu, "CmdDaily")->isVisible());
    }

    // Runs last: closing the menu is what ends the program.
    void closingTheMenuEndsTheProgram()
    {
        FrmMain *menu = showMenu();
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QTimer::singleShot(0, menu, [menu] { menu->close(); });
        // A safety net so a menu that fails to end the program fails the test
        // instead of hanging it.
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }

private:
    FrmMain *showMenu()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        return menu;
    }
    static QPushButton *button(QWidget *w, const char *name)
    {
        return w->findChild<QPushButton *>(QLatin1String(name));
    }
    // The cut carries the vendor ORVL and a few hundred glyphs, where the
    // system face has 65,535.
    static bool isCompiledInCut(const QRawFont &raw)
    {
        const QByteArray os2 = raw.fontTable("OS/2");
        const QByteArray maxp = raw.fontTable("maxp");
        const int glyphs = maxp.size() >= 6 ? (uchar(maxp[4]) << 8 | uchar(maxp[5])) : 0;
        return os2.mid(58, 4) == "ORVL" && glyphs > 0 && glyphs < 2000;
    }

    static void touch(const QString &name)
    {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    void writeCompanion()
    {
        QFile f(QStringLiteral("daily.exe"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho started >> \"" + QDir(m_dir.path()).filePath("starts.log").toUtf8() + "\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    int startsRecorded() const
    {
        QFile f(QDir(m_dir.path()).filePath(QStringLiteral("starts.log")));
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        return f.readAll().count('\n');
    }

    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
