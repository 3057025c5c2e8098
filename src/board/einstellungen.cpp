// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wulpe.h"

#include "game/regeln.h"

// Start-up, the two settings (door count and mode) and opening a new game.

void Wulpe::Form_Load()
{
    FensterAnordnen();
    TuerenAufbauen();
    imgAuto->hide();
    imgModerator->show();
    zeroCounters();
    SpielVorbereiten();
}

void Wulpe::vscTueren_Change()
{
    txtTueren->setText(QString::number(vscTueren->value()));
    TuerenZuruecksetzen();
    // The reset has built the board already; building it again is the design's own step.
    TuerenAufbauen();
    SpielVorbereiten();
}

Mode Wulpe::mode() const
{
    for (std::size_t k = 0; k < Option2.size(); ++k) {
        if (Option2[k]->Value())
            return static_cast<Mode>(k);
    }
    return Mode::Quiz;
}

void Wulpe::Option2_Click(std::int16_t)
{
    // The board follows the new mode; a game that was open is abandoned, uncounted.
    TuerenZuruecksetzen();
}

void Wulpe::SpielVorbereiten()
{
    TuerenZuruecksetzen();
    m_services.random->reseed();
    AutoTuer = drawDoor(m_services.random->next(), vscTueren->value());
    AnzahlWahlen = 0;
    SpielLaeuft = 1;
    frmAuswahl1->setCaption(QStringLiteral("Klicke auf die gewünschte Tür"));
}
