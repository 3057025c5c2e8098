// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wulpe.h"

#include "layout/platzierung.h"
#include "window/inputhold.h"

#include <QScreen>
#include <QWindow>

// Scales every control from the design screen to the real screen. Only the screen's size
// counts, never the window's, so every run on the same screen puts every control on the
// same place, however often and however the window is resized. A maximised window's
// screen is the area the desktop gives it (see SystemScreen).

namespace {

struct Factors {
    double x, y, font;
};

float scaled(float design, double factor)
{
    return static_cast<float>(double(design) * factor);
}

QString rowElementName(const Placement& row, int i)
{
    return elementName(row.name, row.index < 0 ? -1 : row.index + row.indexStep * i);
}

void put(Placed& control, const Placement& row, int i, const Factors& f)
{
    if (auto* line = dynamic_cast<Line*>(&control)) {
        line->setEnds(scaled(row.left, f.x), scaled(row.top, f.y), scaled(row.width, f.x),
                      scaled(row.height, f.y));
        return;
    }
    // One rectangle instead of four single properties: the same end state, placed once.
    control.setRect(scaled(row.left + row.leftStep * float(i), f.x), scaled(row.top, f.y),
                    scaled(row.width, f.x), scaled(row.height, f.y));
    if (row.fontSize > 0)
        control.setFontSize(scaled(row.fontSize, f.font));
}

} // namespace

void Wulpe::FensterAnordnen()
{
    const Screen& screen = *m_services.screen;
    const QSizeF size = screen.sizeTwips();
    // Twips become pixels at the rate at which the screen reports its size, so the layout
    // fills the same share of every screen; it changes when the window changes screens.
    m_units.twipsPerPixel = screen.twipsPerPixel();
    m_units.fitCaptions = true;
    FaktorX = size.width() / EntwurfBreite;
    FaktorY = size.height() / EntwurfHoehe;
    Faktor = FaktorX;
    if (FaktorY < FaktorX)
        Faktor = FaktorY;

    const Factors factors{FaktorX, FaktorY, Faktor};
    for (const PlacementGroup& group : placementTable) {
        for (int i = 0; i <= group.last; ++i) {
            for (const Placement& row : group.rows)
                put(*control(rowElementName(row, i)), row, i, factors);
        }
    }

    // A decided game shows the car in place of its hidden door; a re-layout must not
    // carry it off to another door or beside the board.
    if (AutoTuer >= 0 && AutoTuer < int(imgTuer.size()) && !imgAuto->isHidden()
        && imgTuer[AutoTuer]->isHidden())
        put(*imgAuto, doorPlacement, AutoTuer, factors);
}

void Wulpe::Form_Resize()
{
    FensterAnordnen();
}

void Wulpe::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    connect(windowHandle(), &QWindow::screenChanged, this, &Wulpe::followScreen,
            Qt::UniqueConnection);
    followScreen(windowHandle()->screen());
}

void Wulpe::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Before the window is shown its showing lays it out.
    if (event->type() == QEvent::WindowStateChange && isVisible())
        layOutWhenFree();
}

void Wulpe::followScreen(QScreen* screen)
{
    disconnect(m_screenResolution);
    disconnect(m_screenSize);
    if (screen) {
        m_screenResolution = connect(screen, &QScreen::logicalDotsPerInchChanged, this,
                                     &Wulpe::layOutWhenFree);
        m_screenSize = connect(screen, &QScreen::geometryChanged, this, &Wulpe::layOutWhenFree);
    }
    layOutWhenFree();
}

void Wulpe::layOutWhenFree()
{
    if (!m_hold->holding()) {
        Form_Resize();
        return;
    }
    if (m_layoutWaiting)
        return;
    m_layoutWaiting = true;
    m_hold->enqueue([this] {
        m_layoutWaiting = false;
        Form_Resize();
    });
}
