#include "common/fonts.h"
#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/frmtak.h"
#include "widgets/accessibility.h"
#include "widgets/formref.h"
#include "app/frmmain.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace orv;

namespace {

// Every named element of a window's accessibility tree: name -> value.
QMap<QString, QString> readTree(QWidget *window)
{
    QMap<QString, QString> found;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        if (!node)
            return;
        const QString name = node->text(QAccessible::Name);
        if (!name.isEmpty() && node->object() != window && !node->state().invisible)
            found.insert(name, node->text(QAccessible::Value));
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return found;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        installAccessibility();
    }
    void cleanup() { discardAllForms(); }

    void menu()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        const auto tree = readTree(menu);
        for (const char *name : {"択　一", "論　文", "ラーメンタイマー", "Orvalen"})
            QVERIFY2(tree.contains(QString::fromUtf8(name)), name);
    }

    void multipleChoiceFigures()
    {
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdTak_Click();
        FrmTak *tak = formRef<FrmTak>().peek();
        for (int i = 0; i < 3; ++i)
            tak->Timer2_Timer();
        for (int i = 0; i < 100; ++i)
            tak->Timer1_Timer();
        tak->CmdNext_Click();
        auto tree = readTree(tak);
        QCOMPARE(tree.value("残り時間"), QStringLiteral("3:28:20"));
        QCOMPARE(tree.value("アドバンテージ"), QStringLiteral("1:50"));
        QCOMPARE(tree.value("必要処理時間"), QStringLiteral("3:32"));
        QCOMPARE(tree.value("実際の進度（問目）"), QStringLiteral("2"));
        QCOMPARE(tree.value("標準進度（問目）"), QStringLiteral("1"));
        QCOMPARE(tree.value("標準処理時間（残）"), QStringLiteral("1:50"));
        QVERIFY(tree.contains("タイマー間隔(ミリ秒)"));
        QVERIFY(readTree(formRef<FrmBtn>().peek()).contains("次の問題へ（Done）"));
        const auto dur = readTree(formRef<FrmDur>().peek());
        QCOMPARE(dur.value("経過時間"), QStringLiteral("0"));
        QCOMPARE(dur.value("必要処理時間(残)"), QStringLiteral("3:32"));
        QCOMPARE(dur.value("標準処理時間(残)"), QStringLiteral("3:30"));
    }

    void essayFigures()
    {
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdRon_Click();
        FrmRon *ron = formRef<FrmRon>().peek();
        for (int i = 0; i < 3; ++i)
            ron->Timer2_Timer();
        for (int i = 0; i < 700; ++i)
            ron->Timer1_Timer();
        const auto tree = readTree(ron);
        QCOMPARE(tree.value("第1問 答案構成の残り時間"), QStringLiteral("18:20"));
        QCOMPARE(tree.value("第2問 論点抽出の残り時間"), QStringLiteral("10:00"));
        QCOMPARE(tree.value("残り時間"), QStringLiteral("1:48:20"));
        QCOMPARE(tree.value("標準処理時間（残）"), QStringLiteral("48:20"));
        QVERIFY(!tree.contains("第1問 論点抽出の残り時間")); // hidden with its phase
    }

    void countdownFigures()
    {
        formRef<FrmMain>()->show();
        formRef<FrmMain>()->CmdMen_Click();
        FrmMen *men = formRef<FrmMen>().peek();
        auto tree = readTree(men);
        for (const char *key : {"１分", "３分", "時間または時刻を入力"})
            QVERIFY2(tree.contains(QString::fromUtf8(key)), key);
        men->CmdTime_Click(0);
        for (int i = 0; i < 65; ++i)
            men->Timer1_Timer();
        tree = readTree(men);
        QCOMPARE(tree.value("残り時間"), QStringLiteral("(^｡^)"));
        QCOMPARE(tree.value("超過時間"), QStringLiteral("5"));
        QVERIFY(tree.contains("ミュート"));
    }

    // Tab reaches every menu button, and Enter presses the focused one where
    // the window has no default button.
    void keyboardOnTheMenu()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        QApplication::setActiveWindow(menu);
        auto *ron = menu->findChild<QPushButton *>(QStringLiteral("CmdRon"));
        ron->setFocus();
        QTest::keyClick(menu, Qt::Key_Return);
        QVERIFY(formRef<FrmRon>().peek() && formRef<FrmRon>()->isVisible());
        formRef<FrmRon>()->close();
        menu->findChild<QPushButton *>(QStringLiteral("CmdMen"))->setFocus();
        QTest::keyClick(menu->focusWidget(), Qt::Key_Space);
        QVERIFY(formRef<FrmMen>().peek() && formRef<FrmMen>()->isVisible());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
