#include "window/wulpe.h"

#include "game/regeln.h"

// Start-up, the two settings (door count and mode) and opening a new game.

void Wulpe::Form_Load()
{
    FensterAnordnen();
    TuerenAufbauen();
    imgAuto->hide();
    imgModerator->show();
    AnzahlSpiele = 0;
    AnzahlAutos = 0;
    AnzahlWulpen = 0;
    SpielVorbereiten();
}

void Wulpe::vscTueren_Change()
{
    txtTueren->setText(QString::number(vscTueren->value()));
    TuerenZuruecksetzen();
    TuerenAufbauen();
    SpielVorbereiten();
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
