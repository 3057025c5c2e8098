// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's two information boxes, the end of the program, and Qt's own texts in German.

#include "support.h"

#include "window/meldungen.h"
#include "window/sprache.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Chooses a menu entry and checks the box it opens, then closes it with its OK button
// and lets the handler end. False if no box opened.
bool chooseAndClose(QAction* entry, const std::function<void(QMessageBox&)>& inspect)
{
    entry->trigger();
    auto& window = static_cast<Wulpe&>(*qobject_cast<QWidget*>(entry->parent())->window());
    // The entry acts from the event loop, in its turn among the input.
    QMessageBox* box = nullptr;
    if (!QTest::qWaitFor([&] { return (box = shownBox(window)) != nullptr; }, 1000))
        return false;
    inspect(*box);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
    settle(window);
    return true;
}

void checkInformationBox(QMessageBox& box, const QString& title)
{
    QCOMPARE(box.windowTitle(), title);
    QCOMPARE(box.icon(), QMessageBox::Information);
    QCOMPARE(box.buttons().size(), 1);
    QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    // A dialog of the window, which keeps the window's input away while it is open (see
    // closingTheWindowEndsTheProgram) without the toolkit's modality.
    QVERIFY(box.isWindow() && box.windowType() == Qt::Dialog && qobject_cast<Wulpe*>(box.parentWidget()));
    QCOMPARE(box.textFormat(), Qt::PlainText);
}

} // namespace

class MeldungenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void explanationHoldsItsLinesWithElevenLfCrPairs();
    void explanationBoxShowsOneLineBreakPerPair();
    void explanationTwiceChangesNothing();
    void authorshipBoxShowsOneLine();
    void qtsOwnTextsAreGerman();

    void endeLeavesTheEventLoopWithoutAQuestion();
    void closingTheWindowEndsTheProgram();
};

void MeldungenTest::initTestCase()
{
    QVERIFY(installGermanQtTexts(*qApp));
}

void MeldungenTest::explanationHoldsItsLinesWithElevenLfCrPairs()
{
    const QString text = explanationText();
    QCOMPARE(text.count(QStringLiteral("\n\r")), 11);
    QCOMPARE(text.count(QLatin1Char('\n')), 11);
    QCOMPARE(text.count(QLatin1Char('\r')), 11);
    QVERIFY(text.endsWith(QStringLiteral("gleichwahrscheinlich.")));

    // Lines and empty lines between the LF CR pairs: 2, 2, 1, 1, 2, 1, 2 breaks.
    const QStringList expected = {
        QStringLiteral("Im Modus >ganzes Spiel< und auch im Modus >20 Spiele<"), {},
        QStringLiteral("wird bei der Auswahl"), {},
        QStringLiteral(">Umwahl zufällig<"),
        QStringLiteral("eine der möglichen Türen zufällig gewählt."),
        QStringLiteral("Die aktuell gewählte kann dabei sein."), {},
        QStringLiteral(">neue Tür wählen<"),
        QStringLiteral("die aktuell gewählte Tür verlassen."), {},
        QStringLiteral("In beiden Fällen ist jede mögliche Tür gleichwahrscheinlich."),
    };
    QCOMPARE(text.split(QStringLiteral("\n\r")), expected);
}

void MeldungenTest::explanationBoxShowsOneLineBreakPerPair()
{
    Harness h;
    showWhole(*h);
    const bool seen = chooseAndClose(h->cmdInfo, [](QMessageBox& box) {
        checkInformationBox(box, QStringLiteral("Wulpenproblem"));
        QVERIFY(!box.text().contains(QLatin1Char('\r')));
        QCOMPARE(box.text().count(QLatin1Char('\n')), 11);
        QCOMPARE(box.text(), QString(explanationText()).replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        QCOMPARE(label->text(), box.text());
    });
    QVERIFY(seen);
    QVERIFY(!shownBox(*h));
}

void MeldungenTest::explanationTwiceChangesNothing()
{
    Harness h;
    showWhole(*h);
    h->vscTueren->setValue(5);
    h->AnzahlSpiele = 40000;
    h->AnzahlAutos = 25000;
    h->Picture1[0]->Print(QStringLiteral("40000"));
    h->imgTuer[2]->setTag(QStringLiteral("2"));
    const GameState before = stateOf(*h);
    const int draws = h.random->draws;
    for (int n = 0; n < 2; ++n) {
        QVERIFY(chooseAndClose(h->cmdInfo, [](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("Wulpenproblem"));
        }));
        QVERIFY(stateOf(*h) == before);
    }
    QVERIFY(chooseAndClose(h->cmdcopy, [](QMessageBox&) {}));
    QVERIFY(stateOf(*h) == before);
    QCOMPARE(h.random->draws, draws);
}

void MeldungenTest::authorshipBoxShowsOneLine()
{
    Harness h;
    showWhole(*h);
    const QString line = authorshipText();
    QVERIFY(!line.trimmed().isEmpty());
    QVERIFY(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    QVERIFY(chooseAndClose(h->cmdcopy, [&](QMessageBox& box) {
        checkInformationBox(box, QStringLiteral("Programmiert von"));
        QCOMPARE(box.text(), line);
    }));
}

void MeldungenTest::qtsOwnTextsAreGerman()
{
    Harness h;
    std::unique_ptr<QMenu> menu(h->txtTueren->createStandardContextMenu());
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << action->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(entries.contains(QStringLiteral("&Rückgängig")), qPrintable(entries.join(u'|')));
    QVERIFY2(entries.contains(QStringLiteral("&Kopieren")), qPrintable(entries.join(u'|')));
    QVERIFY2(entries.contains(QStringLiteral("Alles auswählen")), qPrintable(entries.join(u'|')));
}

void MeldungenTest::endeLeavesTheEventLoopWithoutAQuestion()
{
    Harness h;
    showWhole(*h);
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    // Clicks that wait behind "Ende" are never handled: no door moves, no game opens.
    const int draws = h.random->draws;
    const auto click = [](QWidget& widget) {
        const QPointF centre = QRectF(widget.rect()).center();
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(&widget, new QMouseEvent(type, centre, widget.mapToGlobal(centre),
                                                                 Qt::LeftButton, Qt::LeftButton, {}));
    };
    QCOMPARE(runUntilTheProgramEnds(*h, [&] {
        click(*h->cmdEnde);
        click(*h->imgTuer[0]);
        click(*h->cmdStart);
    }), 0);
    QCOMPARE(quitting.count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(h->AnzahlWahlen, 0);
    QCOMPARE(h.random->draws, draws);
}

void MeldungenTest::closingTheWindowEndsTheProgram()
{
    Harness h;
    showWhole(*h);
    QCOMPARE(runUntilTheProgramEnds(*h, [&] { h->close(); }), 0);

    // Also under a box. The box is no modal window, for the toolkit would keep the
    // desktop's close request from a window that one blocks; the window's own input is
    // dropped while the box is open, as under a modal one.
    Harness boxed;
    showWhole(*boxed);
    QCOMPARE(runUntilTheProgramEnds(*boxed, [&] {
        boxed->cmdInfo->trigger();
        QVERIFY(QTest::qWaitFor([&] { return shownBox(*boxed) != nullptr; }, 1000));
        QVERIFY(!QGuiApplication::modalWindow());
        clickCentre(*boxed, *boxed->imgTuer[0]);
        boxed->close();
    }), 0);
    QVERIFY(!shownBox(*boxed) && boxed->idle());
    QCOMPARE(boxed->AnzahlWahlen, 0);
}

QTEST_MAIN(MeldungenTest)
#include "test_meldungen.moc"
