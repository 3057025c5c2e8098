#include "window/wulpe.h"

#include "regeln.h"

// The statistics: games, cars and Wulpen since start-up or the last clearing, each
// outcome also as a share of the games.

namespace {

void writeBox(PictureBox& box, const QString& text)
{
    box.Cls();
    box.Print(text);
}

} // namespace

void Wulpe::countGame(bool won)
{
    std::int64_t& outcome = won ? AnzahlAutos : AnzahlWulpen;
    ++outcome;
    writeBox(*Picture1[won ? 1 : 3], printedNumber(outcome));
    ++AnzahlSpiele;
    writeBox(*Picture1[2], printedPercent(shareHundredths(AnzahlAutos, AnzahlSpiele)));
    writeBox(*Picture1[4], printedPercent(shareHundredths(AnzahlWulpen, AnzahlSpiele)));
    writeBox(*Picture1[0], printedNumber(AnzahlSpiele));
}

// The boxes stay empty afterwards: they show nothing, not 0, until a game is decided.
void Wulpe::ZaehlerLoeschen()
{
    for (PictureBox* box : Picture1)
        box->Cls();
    AnzahlAutos = 0;
    AnzahlWulpen = 0;
    AnzahlSpiele = 0;
}

void Wulpe::Command1_Click()
{
    ZaehlerLoeschen();
}
