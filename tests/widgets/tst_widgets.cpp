// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window machinery: the load/unload life of a window, and labels that
// never cut their text.

#include "common/fonts.h"
#include "common/twips.h"
#include "support/testsupport.h"
#include "widgets/accessibility.h"
#include "widgets/controls.h"
#include "widgets/form.h"
#include "widgets/formref.h"

#include <QAccessible>
#include <QLabel>
#include <QApplication>
#include <QPointer>
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
    }
    int loads = 0, unloads = 0, state = 0;

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

// A label's look: its face's size, its box and alignment, and its text.
struct Look
{
    double points;
    QRect twips;
    Qt::Alignment align = Qt::AlignCenter;
    QString text;
};

} // namespace

Q_DECLARE_METATYPE(Look)

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        installAccessibility();
    }
    void cleanup() { discardAllForms(); }

    // An empty reference makes a fresh instance, unloaded; loading it (once)
    // does not show it; unloading keeps it and its state, once; a
    // renewal discards it. Shown, it is centred on the screen.
    void lifeOfAWindow()
    {
        FormRef<ProbeForm> &ref = formRef<ProbeForm>();
        ref.unload(); // empty: nothing made
        QVERIFY(!test::window(QStringLiteral("ProbeForm")));
        ProbeForm *form = ref.get();
        QCOMPARE(ref.get(), form);
        QVERIFY(!form->isLoaded());
        QCOMPARE(form->windowTitle(), QStringLiteral("probe"));
        form->load();
        form->load();
        QVERIFY(form->isLoaded());
        QVERIFY(!form->isVisible());
        QCOMPARE(form->loads, 1);
        QSignalSpy unloaded(form, &Form::unloaded);
        form->show();
        form->state = 42;
        ref.unload();
        QVERIFY(form->close());
        QCOMPARE(form->unloads, 1);
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!form->isLoaded());
        QVERIFY(!form->isVisible());
        form->show();
        QCOMPARE(form->loads, 2);
        QCOMPARE(form->state, 42);
        QPointer<ProbeForm> old = form;
        QCOMPARE(ref.renew()->state, 0);
        QVERIFY(old.isNull());
        QCOMPARE(unloaded.count(), 2);
    }

    // Too wide or too tall for its box, a text is condensed or centred by
    // its ink, and never cut off.
    void textsNeverCutOff_data()
    {
        const QRect display(0, 780, 4485, 1440);
        QTest::addColumn<Look>("look");
        QTest::newRow("72 pt, tall") << Look{.points = 72, .twips = display, .text = "9:59"};
        QTest::newRow("72 pt, tall, right") << Look{.points = 72, .twips = display, .align = Qt::AlignRight | Qt::AlignVCenter, .text = "9:59"};
        QTest::newRow("72 pt, too wide") << Look{.points = 72, .twips = display, .text = "596523:14:07"};
        QTest::newRow("18 pt, narrow box") << Look{.points = 18, .twips = QRect(90, 90, 600, 400), .text = "3:30:00"};
        QTest::newRow("not a figure, too wide") << Look{.points = 18, .twips = QRect(90, 90, 600, 600), .text = "(^｡^)(^｡^)"};
    }
    void textsNeverCutOff()
    {
        QFETCH(Look, look);
        QWidget window; // white, with one label of that look
        setBackgroundColor(&window, Qt::white);
        QLabel *label = addLabel(&window, QStringLiteral("Figure"), look.twips, look.text);
        label->setFont(designedFont(kPGothic, look.points, false));
        label->setAlignment(look.align);
        window.resize(twipsToPx(QRect(0, 0, 4800, 2400)).size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window)); // the window system exposes it before it is drawn
        // A screen reader reads the text as shown.
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(label);
        QVERIFY(reader);
        QVERIFY(reader->textInterface());
        QCOMPARE(reader->textInterface()->text(0, reader->textInterface()->characterCount()), look.text);
        QCOMPARE(reader->textInterface()->text(1, 2), look.text.mid(1, 1));
        const QImage shown = label->grab().toImage();
        const QRect ink = inkBox(shown);
        // Clear of the edges, or a condensed text spanning its box; figures
        // centred by their ink both ways.
        QVERIFY(ink.top() > 0);
        QVERIFY(ink.bottom() < shown.height() - 1);
        const bool condensedToItsBox = ink.width() * 10 >= shown.width() * 8;
        const bool clearOfBothSides = ink.left() > 0 && ink.right() < shown.width() - 1;
        QVERIFY2(condensedToItsBox || clearOfBothSides, "the text is cut off at a side");
        const int slack = 2 * (qCeil(shown.devicePixelRatio()) + 1);
        const int leftGap = ink.left(), rightGap = shown.width() - 1 - ink.right();
        // Right-aligned, the ink at the edge but for the glyphs' side bearings.
        QVERIFY(look.align & Qt::AlignHCenter ? qAbs(leftGap - rightGap) <= slack : rightGap <= 2 * slack);
        QVERIFY(look.text.contains(u'(') || qAbs(ink.top() - (shown.height() - 1 - ink.bottom())) <= slack);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
