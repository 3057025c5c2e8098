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

// Shows the box and waits until it is closed. The box is no modal window: the
// toolkit would then keep the desktop's request to close the main window from it, and
// the program could not be ended from the desktop while the box is open. The gate
// keeps the window's input away instead, as modality would, and what a screen reader
// asks of the window waits with the rest of the input and follows when the box is
// closed.
Task showInformation(InputHold& hold, QWidget* parent, const QString& title, const QString& text)
{
    const InputHold::Scope holding(hold, InputHold::Kind::Box);
    auto* box = new QMessageBox(QMessageBox::Information, title, displayedText(text), QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // The explanation quotes the strategies as >...<, which is not markup.
    box->setTextFormat(Qt::PlainText);
    struct Closed {
        QMessageBox& box;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiting)
        {
            QObject::connect(&box, &QDialog::finished, &box, [waiting] { waiting.resume(); },
                             Qt::SingleShotConnection);
        }
        void await_resume() const noexcept {}
    };
    box->show();
    // The box takes the keyboard, also where no window manager hands it over: Return,
    // Space and Escape close it.
    box->activateWindow();
    co_await Closed{*box};
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

Task Wulpe::cmdInfo_Click()
{
    return showInformation(*m_hold, this, QStringLiteral("Wulpenproblem"), explanationText());
}

Task Wulpe::cmdcopy_Click()
{
    return showInformation(*m_hold, this, QStringLiteral("Programmiert von"), authorshipText());
}

void Wulpe::cmdEnde_Click()
{
    // Nothing is kept between runs, so there is nothing to save or to ask about. Clicks
    // that wait behind "Ende" are never handled.
    endProgram();
}

void Wulpe::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        endProgram();
}

void Wulpe::endProgram()
{
    finishEverything();
    QCoreApplication::exit(0);
}

void Wulpe::finishEverything()
{
    m_hold->end();
    for (QMessageBox* box : findChildren<QMessageBox*>(QString(), Qt::FindDirectChildrenOnly))
        box->done(QMessageBox::Ok);
    m_alarm.ringNow();
}
