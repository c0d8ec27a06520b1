#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmtak.h"
#include "widgets/controls.h"
#include "widgets/formref.h"
#include "app/frmmain.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

using namespace orv;

namespace {

// A window that counts its loads and unloads and holds one piece of state.
class ProbeForm : public Form
{
public:
    ProbeForm() : Form(QStringLiteral("ProbeForm"), QStringLiteral("probe"), fixedDialogFlags())
    {
        addLabel(this, QStringLiteral("Label1"), QRect(0, 0, 600, 300), QStringLiteral("x"));
    }
    int loads = 0;
    int unloads = 0;
    int state = 0;

protected:
    void formLoad() override { ++loads; }
    void formQueryUnload() override { ++unloads; }
};

int instancesNamed(const QString &name)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += (w->objectName() == name);
    return n;
}

} // namespace

class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { discardAllForms(); }

    void emptyReferenceCreatesAFreshUnloadedInstance()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        QVERIFY(ref.isEmpty());
        ProbeForm *form = ref.get();
        QVERIFY(!ref.isEmpty());
        QCOMPARE(ref.get(), form);
        QVERIFY(!form->isLoaded());
        QVERIFY(!form->isVisible());
        QCOMPARE(form->loads, 0);
        QCOMPARE(form->state, 0);
    }

    void touchingAControlLoadsWithoutShowing()
    {
        ProbeForm *form = formRef<ProbeForm>().get();
        QLabel *label = form->control<QLabel>(QStringLiteral("Label1"));
        QVERIFY(label);
        QVERIFY(form->isLoaded());
        QVERIFY(!form->isVisible());
        form->control<QLabel>(QStringLiteral("Label1"));
        QCOMPARE(form->loads, 1);
    }

    void unloadKeepsTheInstanceAndItsState()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref->show();
        ref->state = 42;
        ref.unload();
        QVERIFY(!ref.isEmpty());
        QVERIFY(!ref->isVisible());
        QVERIFY(!ref->isLoaded());
        QCOMPARE(ref->unloads, 1);
        QCOMPARE(ref->state, 42);
        // Showing again loads it again, with the state it kept.
        ref->show();
        QCOMPARE(ref->loads, 2);
        QCOMPARE(ref->state, 42);
    }

    void unloadingAnUnloadedWindowDoesNothing()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref.unload(); // empty reference: nothing to do, nothing created
        QVERIFY(ref.isEmpty());
        ref.get();
        ref.unload();
        QCOMPARE(ref->unloads, 0);
    }

    void resetDiscardsTheInstance()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref->show();
        ref->state = 7;
        QPointer<ProbeForm> old = ref.get();
        ref.unload();
        ref.reset();
        QVERIFY(old.isNull());
        QVERIFY(ref.isEmpty());
        QCOMPARE(ref->state, 0);
        QCOMPARE(ref->loads, 0);
    }

    void windowCloseRunsTheCloseHandlerOnce()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref->show();
        QVERIFY(ref->close());
        QVERIFY(ref->close()); // already unloaded: the handler does not run again
        QCOMPARE(ref->unloads, 1);
    }

    // Each timer button: the menu hides while the timer window is open, comes
    // back when it closes, and a reopening gives a fresh instance.
    void timerWindowsStandInForTheMenu_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("multiple choice") << "CmdTak_Click" << "FrmTak" << "択一タイマー";
        QTest::newRow("essay") << "CmdRon_Click" << "FrmRon" << "論文タイマー";
        QTest::newRow("countdown") << "CmdMen_Click" << "FrmMen" << "ラーメンタイマー";
    }
    void timerWindowsStandInForTheMenu()
    {
        QFETCH(QString, slot);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        const QRect placed = menu->geometry();
        QVERIFY(QMetaObject::invokeMethod(menu, slot.toLatin1().constData()));
        QWidget *timer = findWindow(window);
        QVERIFY(timer);
        QVERIFY(timer->isVisible());
        QVERIFY(!timer->parentWidget());
        QCOMPARE(timer->windowTitle(), caption);
        QVERIFY(!menu->isVisible());
        QCOMPARE(instancesNamed(window), 1);
        // Hidden, the menu holds no picture and no native window...
        auto *picture = menu->findChild<QLabel *>(QStringLiteral("Image1"));
        QTRY_VERIFY(!menu->testAttribute(Qt::WA_WState_Created));
        QVERIFY(picture->pixmap().isNull());

        QVERIFY(timer->close());
        QVERIFY(menu->isVisible());
        // ...and shown again it has both, where it was.
        QVERIFY(menu->testAttribute(Qt::WA_WState_Created));
        QCOMPARE(picture->pixmap().size(), QSize(329, 249));
        QCOMPARE(menu->geometry(), placed);

        QPointer<QWidget> first = timer;
        QVERIFY(QMetaObject::invokeMethod(menu, slot.toLatin1().constData()));
        QVERIFY(first.isNull());
        QCOMPARE(instancesNamed(window), 1);
        QVERIFY(findWindow(window)->isVisible());
        QVERIFY(!menu->isVisible());
        findWindow(window)->close();
        QVERIFY(menu->isVisible());
    }

    // Opening a timer while its window is still open (which the hidden menu
    // normally prevents) still ends with one fresh, visible instance.
    void reopeningAnOpenTimerReplacesIt()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        menu->show();
        menu->CmdRon_Click();
        QPointer<QWidget> first = findWindow(QStringLiteral("FrmRon"));
        menu->CmdRon_Click();
        QVERIFY(first.isNull());
        QCOMPARE(instancesNamed(QStringLiteral("FrmRon")), 1);
        QVERIFY(findWindow(QStringLiteral("FrmRon"))->isVisible());
    }

private:
    static QWidget *findWindow(const QString &name)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name)
                return w;
        return nullptr;
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
