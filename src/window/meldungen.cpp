// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "meldungen.h"

#include "wulpe.h"

#include "inputhold.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>

#include <array>

namespace {

struct ExplanationLine {
    const char* text;
    int breaks;
};

constexpr std::array explanationLines = {
    ExplanationLine{"Im Modus >ganzes Spiel< und auch im Modus >20 Spiele<", 2},
    ExplanationLine{"wird bei der Auswahl", 2},
    ExplanationLine{">Umwahl zufällig<", 1},
    ExplanationLine{"eine der möglichen Türen zufällig gewählt.", 1},
    ExplanationLine{"Die aktuell gewählte kann dabei sein.", 2},
    ExplanationLine{">neue Tür wählen<", 1},
    ExplanationLine{"die aktuell gewählte Tür verlassen.", 2},
    ExplanationLine{"In beiden Fällen ist jede mögliche Tür gleichwahrscheinlich.", 0},
};

const QString lineBreak = QStringLiteral("\n\r");

// While the box is open, what a screen reader asks of the window waits with the rest of
// the input and follows when the box is closed.
void showInformation(InputHold& hold, QWidget* parent, const QString& title, const QString& text)
{
    const InputHold::Scope holding(hold);
    QMessageBox box(QMessageBox::Information, title, displayedText(text), QMessageBox::Ok, parent);
    // The explanation quotes the strategies as >...<, which is not markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

QString explanationText()
{
    QString text;
    for (const ExplanationLine& line : explanationLines) {
        text += QString::fromUtf8(line.text);
        text += lineBreak.repeated(line.breaks);
    }
    return text;
}

QString authorshipText()
{
    return QStringLiteral("Wulpe-Team, Arbeitsgruppe Mathematikunterricht");
}

QString displayedText(const QString& text)
{
    QString shown = text;
    return shown.replace(lineBreak, QStringLiteral("\n"));
}

void Wulpe::cmdInfo_Click()
{
    showInformation(*m_hold, this, QStringLiteral("Wulpenproblem"), explanationText());
}

void Wulpe::cmdcopy_Click()
{
    showInformation(*m_hold, this, QStringLiteral("Programmiert von"), authorshipText());
}

void Wulpe::cmdEnde_Click()
{
    // Nothing is kept between runs, so there is nothing to save or to ask about. Clicks
    // that wait behind "Ende" are never handled.
    m_hold->end();
    QCoreApplication::exit(0);
}

void Wulpe::closeEvent(QCloseEvent* event)
{
    m_hold->end();
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::exit(0);
}
