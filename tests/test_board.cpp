// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The door board, start-up and the two settings: which doors, markers, pictures and
// decision frames show, the board at rest, the prompt, and the car's door.

#include "support.h"

#include <QImage>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

const QColor darkBlue(0, 0, 128);
const QString prompt = QStringLiteral("Klicke auf die gewünschte Tür");

// Checks exactly which slots and frames show for n doors and the given number of frames.
void expectBoard(Wulpe& w, int n, int frames)
{
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(w.imgTuer[k]->isHidden(), k >= n);
        QCOMPARE(w.shpMarker[k]->isHidden(), k >= n);
        QVERIFY(w.imgWulpe[k]->isHidden());
    }
    for (int k = 0; k < 5; ++k)
        QCOMPARE(w.Frame4[k]->isHidden(), k >= frames);
}

// Checks the board at rest: closed doors, plain markers, no prize or non-prize shown.
void expectRest(Wulpe& w)
{
    QVERIFY(w.imgAuto->isHidden());
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(w.imgTuer[k]->Tag(), QStringLiteral("0"));
        QCOMPARE(w.shpMarker[k]->BorderWidth(), 1);
        QCOMPARE(w.shpMarker[k]->BorderColor(), darkBlue);
        QVERIFY(w.imgWulpe[k]->isHidden());
    }
    QCOMPARE(w.AnzahlWahlen, 0);
}

} // namespace

class BoardTest : public QObject {
    Q_OBJECT

private slots:
    void startUpOpensAQuizGameOnThreeDoors();
    void startUpLeavesTheScrollBarAlone();
    void doorCountAndModeDecideWhatShows_data();
    void doorCountAndModeDecideWhatShows();
    void fewerDoorsHideTheOpenedSlots();
    void resetRestoresTheBoardAndNothingElse();
    void promptStandsExactlyWhileAGameIsOpen();
    void arrowAtItsLimitOpensNoGame();
    void draggingTheThumbOpensOneGame();
    void typedDoorCountIsIgnoredAndReplaced();
    void carDoorIsUniformOverTheDoors();
};

void BoardTest::startUpOpensAQuizGameOnThreeDoors()
{
    Harness h;
    expectBoard(*h, 3, 0);
    expectRest(*h);
    QVERIFY(!h->imgModerator->isHidden());
    QVERIFY(!h->imgDon->isHidden());
    QCOMPARE(h->frmAuswahl1->Caption(), prompt);
    QCOMPARE(h->SpielLaeuft, 1);
    QCOMPARE(h->txtTueren->text(), QStringLiteral("3"));
    QCOMPARE(h->AnzahlSpiele, 0);
    QCOMPARE(h->AnzahlAutos, 0);
    QCOMPARE(h->AnzahlWulpen, 0);
    for (PictureBox* box : h->Picture1)
        QVERIFY(box->text().isEmpty());
    // One game opened: the generator stirred once, the car's door drawn once.
    QCOMPARE(h.random->reseeds, 1);
    QCOMPARE(h.random->draws, 1);
    QVERIFY(h->AutoTuer >= 0 && h->AutoTuer < 3);
}

void BoardTest::startUpLeavesTheScrollBarAlone()
{
    Harness h(false);
    QSignalSpy changes(h->vscTueren, &QScrollBar::valueChanged);
    h->Form_Load();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(h->vscTueren->value(), 3);
}

void BoardTest::doorCountAndModeDecideWhatShows_data()
{
    QTest::addColumn<int>("doors");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("frames");
    for (int n = 3; n <= 7; ++n) {
        QTest::addRow("quiz, %d doors", n) << n << 0 << 0;
        QTest::addRow("one game, %d doors", n) << n << 1 << n - 2;
        QTest::addRow("twenty games, %d doors", n) << n << 2 << n - 2;
    }
}

void BoardTest::doorCountAndModeDecideWhatShows()
{
    QFETCH(int, doors);
    QFETCH(int, mode);
    QFETCH(int, frames);
    // Both orders of choosing: the mode first, and the door count first.
    for (bool modeFirst : {true, false}) {
        Harness h;
        showWhole(*h);
        if (modeFirst)
            h->Option2[mode]->click();
        h->vscTueren->setValue(doors);
        if (!modeFirst)
            h->Option2[mode]->click();
        expectBoard(*h, doors, frames);
        expectRest(*h);
        QCOMPARE(h->txtTueren->text(), QString::number(doors));
    }
}

void BoardTest::fewerDoorsHideTheOpenedSlots()
{
    Harness h;
    // A game of seven doors with the car behind door 5, played to its end.
    h->Option2[2]->click();
    h.random->script({drawing(5, 7)});
    h->vscTueren->setValue(7);
    clickUntilDecided(*h, 0);
    QVERIFY(!h->imgAuto->isHidden());
    h->vscTueren->setValue(3);
    expectBoard(*h, 3, 1);
    expectRest(*h);
    QCOMPARE(h->frmAuswahl1->Caption(), prompt);
    QCOMPARE(h->SpielLaeuft, 1);
    QVERIFY(h->AutoTuer >= 0 && h->AutoTuer < 3);
}

void BoardTest::resetRestoresTheBoardAndNothingElse()
{
    Harness h;
    // One whole game of five doors with the car behind door 2.
    h->Option2[1]->click();
    h->vscTueren->setValue(5);
    h.random->script({drawing(2, 5)});
    h->cmdStart->click();
    settle(*h);
    QVERIFY(!h->imgAuto->isHidden());
    h->imgDon->setLeft(1234);
    h->imgModerator->setLeft(4321);
    h->AnzahlSpiele = 7;
    h->AnzahlAutos = 4;
    h->AnzahlWulpen = 3;
    h->Picture1[0]->Cls();
    h->Picture1[0]->Print(QStringLiteral(" 7 "));

    h->Option2[0]->click();

    expectBoard(*h, 5, 0);
    expectRest(*h);
    QCOMPARE(h->SpielLaeuft, 0);
    QCOMPARE(h->frmAuswahl1->Caption(), QString());
    QCOMPARE(h->imgDon->Left(), 1234.0f);
    QCOMPARE(h->imgModerator->Left(), 4321.0f);
    QVERIFY(!h->imgDon->isHidden());
    QVERIFY(!h->imgModerator->isHidden());
    QCOMPARE(h->AnzahlSpiele, 7);
    QCOMPARE(h->AnzahlAutos, 4);
    QCOMPARE(h->AnzahlWulpen, 3);
    QCOMPARE(h->Picture1[0]->text(), QStringLiteral(" 7 "));
}

void BoardTest::promptStandsExactlyWhileAGameIsOpen()
{
    Harness h;
    showWhole(*h);
    QCOMPARE(h->frmAuswahl1->Caption(), prompt);
    QCOMPARE(h->SpielLaeuft, 1);
    // The board's border stays where it is as the prompt goes: the right half of the
    // board, where the prompt never reaches, looks the same.
    const auto rightHalf = [&h] {
        const QImage board = h->frmAuswahl1->grab().toImage();
        return board.copy(board.width() / 2, 0, board.width() - board.width() / 2, board.height());
    };
    const QImage withPrompt = rightHalf();

    h->Option2[1]->click();
    QCOMPARE(h->frmAuswahl1->Caption(), QString());
    QCOMPARE(h->SpielLaeuft, 0);
    QCOMPARE(rightHalf(), withPrompt);

    // A change of the door count opens a game in every mode.
    h->vscTueren->setValue(4);
    QCOMPARE(h->frmAuswahl1->Caption(), prompt);
    QCOMPARE(h->SpielLaeuft, 1);
    QVERIFY(h->AutoTuer >= 0 && h->AutoTuer < 4);

    h->Option2[2]->click();
    QCOMPARE(h->frmAuswahl1->Caption(), QString());
    QCOMPARE(h->SpielLaeuft, 0);

    h->Option2[0]->click();
    QCOMPARE(h->SpielLaeuft, 0);
    h->vscTueren->setValue(3);
    QCOMPARE(h->frmAuswahl1->Caption(), prompt);
    QCOMPARE(h->SpielLaeuft, 1);
}

void BoardTest::draggingTheThumbOpensOneGame()
{
    Harness h;
    showWhole(*h);
    VScrollBar& bar = *h->vscTueren;
    const int games = h.random->reseeds;
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = option.sliderValue = bar.value();
    option.upsideDown = bar.invertedAppearance();
    const QRect thumb = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
    QVERIFY(thumb.isValid());
    // From 3 at the bottom to 7 at the top: the count and the board stay until the release.
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb.center());
    for (int y = thumb.center().y(); y > 0; y -= 2)
        QTest::mouseMove(&bar, QPoint(thumb.center().x(), y));
    QCOMPARE(bar.value(), 3);
    QCOMPARE(h.random->reseeds, games);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(thumb.center().x(), 1));
    QCOMPARE(bar.value(), 7);
    QCOMPARE(h->txtTueren->text(), QStringLiteral("7"));
    QCOMPARE(h.random->reseeds, games + 1);
}

void BoardTest::arrowAtItsLimitOpensNoGame()
{
    Harness h;
    showWhole(*h);
    VScrollBar& bar = *h->vscTueren;
    const int games = h.random->reseeds;
    clickAt(*h, bar, QPoint(bar.width() / 2, bar.height() - 3));
    settle(*h);
    QCOMPARE(bar.value(), 3);
    QCOMPARE(h.random->reseeds, games);

    clickAt(*h, bar, QPoint(bar.width() / 2, 3));
    settle(*h);
    QCOMPARE(bar.value(), 4);
    QCOMPARE(h.random->reseeds, games + 1);
    expectBoard(*h, 4, 0);
}

void BoardTest::typedDoorCountIsIgnoredAndReplaced()
{
    Harness h;
    showWhole(*h);
    h->txtTueren->setFocus();
    h->txtTueren->selectAll();
    QTest::keyClicks(h->txtTueren, QStringLiteral("17"));
    h->txtTueren->insert(QStringLiteral("ä"));
    QTest::keyClick(h->txtTueren, Qt::Key_Return);
    QCOMPARE(h->vscTueren->value(), 3);
    expectBoard(*h, 3, 0);
    QCOMPARE(h.random->reseeds, 1);

    h->vscTueren->setValue(5);
    QCOMPARE(h->txtTueren->text(), QStringLiteral("5"));
}

void BoardTest::carDoorIsUniformOverTheDoors()
{
    Harness h;
    for (int n = 3; n <= 7; ++n) {
        h->vscTueren->setValue(n);
        const int games = 7000 * n;
        std::vector<int> counts(std::size_t(n), 0);
        for (int g = 0; g < games; ++g) {
            h->vscTueren_Change();
            QVERIFY(h->AutoTuer >= 0 && h->AutoTuer < n);
            ++counts[std::size_t(h->AutoTuer)];
        }
        const double chi = chiSquare(counts);
        QVERIFY2(chi < chiSquareBound(n - 1), qPrintable(QString::number(chi)));
    }
}

QTEST_MAIN(BoardTest)
#include "test_board.moc"
