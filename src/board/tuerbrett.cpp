// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wulpe.h"

// The door board: shows the doors in play and brings it back to rest between games.

void Wulpe::TuerenAufbauen()
{
    // Each control is switched once, straight to where it ends: hiding every slot and
    // showing the ones in play again would send a pair of events per control and game.
    const std::int16_t N = static_cast<std::int16_t>(vscTueren->value());
    for (int j = 0; j < int(imgTuer.size()); ++j) {
        imgTuer[j]->setVisible(j <= N - 1);
        imgWulpe[j]->hide();
        shpMarker[j]->setVisible(j <= N - 1);
    }
    // In the quiz the player decides by clicking doors, so no decision frame shows.
    const bool automatic = mode() != Mode::Quiz;
    for (int j = 0; j < int(Frame4.size()); ++j)
        Frame4[j]->setVisible(automatic && j <= N - 3);
}

void Wulpe::TuerenZuruecksetzen()
{
    SpielLaeuft = 0;
    m_timesHeld.fill(0);
    imgAuto->hide();
    for (int j = 0; j < int(imgTuer.size()); ++j) {
        shpMarker[j]->setBorderWidth(Marker::RestWidth);
        imgWulpe[j]->hide();
        imgTuer[j]->show();
        setZustand(j, DoorState::Free);
        // Reset with every door, as the design's procedure does; once would do as well.
        AnzahlWahlen = 0;
        shpMarker[j]->setBorderColor(paletteColor(Marker::RestColor));
        tellChosen(j);
    }
    frmAuswahl1->setCaption(QString());
    TuerenAufbauen();
}
