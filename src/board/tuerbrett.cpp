#include "window/wulpe.h"

// The door board: shows the doors in play and brings it back to rest between games.

void Wulpe::TuerenAufbauen()
{
    // Each control is switched once, straight to where it ends: hiding every slot and
    // showing the ones in play again would send a pair of events per control and game.
    const std::int16_t N = static_cast<std::int16_t>(vscTueren->value());
    for (int j = 0; j <= 6; ++j) {
        imgTuer[j]->setVisible(j <= N - 1);
        imgWulpe[j]->hide();
        shpMarker[j]->setVisible(j <= N - 1);
    }
    // In the quiz the player decides by clicking doors, so no decision frame shows.
    const bool automatic = Option2[2]->Value() || Option2[1]->Value();
    for (int j = 0; j <= 4; ++j)
        Frame4[j]->setVisible(automatic && j <= N - 3);
}

void Wulpe::TuerenZuruecksetzen()
{
    SpielLaeuft = 0;
    imgAuto->hide();
    for (int j = 0; j <= 6; ++j) {
        shpMarker[j]->setBorderWidth(1);
        imgWulpe[j]->hide();
        imgTuer[j]->show();
        setZustand(j, 0);
        AnzahlWahlen = 0;
        shpMarker[j]->setBorderColor(paletteColor(1));
    }
    frmAuswahl1->setCaption(QString());
    TuerenAufbauen();
}
