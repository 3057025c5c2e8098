// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
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

PictureBox& Wulpe::box(StatBox which) const
{
    return *Picture1.at(static_cast<std::size_t>(which));
}

void Wulpe::countGame(bool won)
{
    std::int64_t& outcome = won ? AnzahlAutos : AnzahlWulpen;
    ++outcome;
    writeBox(box(won ? StatBox::Cars : StatBox::Wulpen), printedNumber(outcome));
    ++AnzahlSpiele;
    writeBox(box(StatBox::CarShare), printedPercent(shareHundredths(AnzahlAutos, AnzahlSpiele)));
    writeBox(box(StatBox::WulpeShare), printedPercent(shareHundredths(AnzahlWulpen, AnzahlSpiele)));
    writeBox(box(StatBox::Games), printedNumber(AnzahlSpiele));
}

// The boxes stay empty afterwards: they show nothing, not 0, until a game is decided.
void Wulpe::ZaehlerLoeschen()
{
    for (PictureBox* box : Picture1)
        box->Cls();
    zeroCounters();
}

void Wulpe::zeroCounters()
{
    AnzahlAutos = 0;
    AnzahlWulpen = 0;
    AnzahlSpiele = 0;
}

void Wulpe::Command1_Click()
{
    ZaehlerLoeschen();
}
