// Memory stays flat over a long day: each timer window opened and closed
// 2,000 times, and 50 whole papers each in a fresh window, leave at most
// 1 MiB more anonymous memory than the first 20 openings or the first paper.
// The cues go to the real player, sound server or none.

#include "app/frmmain.h"
#include "common/fonts.h"
#include "cues/cue.h"
#include "support/testsupport.h"
#include "widgets/formref.h"
#include "widgets/sharedpalettestyle.h"

#include <QApplication>
#include <QFile>
#include <QTest>

using namespace orv;

namespace {

// Anonymous memory in KiB: unlike PSS it does not move when other
// processes map the same libraries.
long anonymousKiB()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : rollup.readAll().split('\n'))
        if (line.startsWith("Anonymous:"))
            return line.mid(10).trimmed().split(' ').value(0).toLong();
    return -1;
}

QWidget *window(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestMemory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer keeps freed memory in quarantine");
#endif
        installFontSubstitutions();
        installSharedPaletteStyle();
        QVERIFY(anonymousKiB() > 0);
        prepareCues();
        formRef<FrmMain>()->show();
    }

    void reopening_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("name");
        QTest::newRow("multiple choice") << "CmdTak_Click" << "FrmTak";
        QTest::newRow("essay") << "CmdRon_Click" << "FrmRon";
        QTest::newRow("countdown") << "CmdMen_Click" << "FrmMen";
    }
    void reopening()
    {
        QFETCH(QString, opener);
        QFETCH(QString, name);
        long first = 0;
        for (int i = 1; i <= 2000; ++i) {
            test::call(formRef<FrmMain>().get(), opener.toLatin1());
            settle(); // painted, as on screen
            window(qPrintable(name))->close();
            settle();
            if (i == 20)
                first = anonymousKiB();
        }
        const long grown = anonymousKiB() - first;
        const QString what = QStringLiteral("%1: %2 KiB after 20 openings, %3 KiB more after 2000")
                                 .arg(name).arg(first).arg(grown);
        qInfo("%s", qPrintable(what));
        QVERIFY2(grown <= 1024, qPrintable(what));
    }

    // The pacing timer's 12,600 ticks with a question done every 210, then
    // the essay timer's 7,200.
    void papers()
    {
        FrmMain *menu = formRef<FrmMain>().get();
        long first = 0;
        for (int paper = 1; paper <= 50; ++paper) {
            menu->CmdTak_Click();
            QWidget *tak = window("FrmTak");
            test::call(tak, "Timer2_Timer", 3);
            for (int t = 1; t <= 12600; ++t) {
                QMetaObject::invokeMethod(tak, "Timer1_Timer");
                if (t % 210 == 0)
                    QMetaObject::invokeMethod(tak, "CmdNext_Click");
            }
            settle();
            tak->close();
            menu->CmdRon_Click();
            QWidget *ron = window("FrmRon");
            test::call(ron, "Timer2_Timer", 3);
            test::call(ron, "Timer1_Timer", 7200);
            settle();
            ron->close();
            settle();
            if (paper == 1)
                first = anonymousKiB();
        }
        const long grown = anonymousKiB() - first;
        const QString what = QStringLiteral("papers: %1 KiB after the first, %2 KiB more after 50").arg(first).arg(grown);
        qInfo("%s", qPrintable(what));
        QVERIFY2(grown <= 1024, qPrintable(what));
    }

    void cleanupTestCase()
    {
        discardAllForms();
        stopCues();
    }
};

QTEST_MAIN(TestMemory)
#include "tst_memory.moc"
