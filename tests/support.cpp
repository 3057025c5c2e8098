// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support.h"

#include <QAccessible>
#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cmath>

void FakeClock::pausing(double length)
{
    sleeps.push_back(length);
    now += length;
    if (onSleep)
        onSleep();
}

QAccessibleInterface* accessibleOf(QObject* control)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    auto* entry = qobject_cast<QAction*>(control);
    auto* bar = entry ? qobject_cast<QMenuBar*>(entry->parent()) : nullptr;
    QAccessibleInterface* menu = bar ? QAccessible::queryAccessibleInterface(bar) : nullptr;
    for (int k = 0; !iface && menu && k < menu->childCount(); ++k)
        iface = menu->child(k)->object() == control ? menu->child(k) : nullptr;
    return iface;
}

QMessageBox* shownBox(const Wulpe& window)
{
    for (QMessageBox* box : window.findChildren<QMessageBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

void settle(Wulpe& window)
{
    QVERIFY2(window.runUntilIdle(10000), "a move or waiting input did not end");
}

float ScriptedRandom::next()
{
    ++draws;
    if (!m_script.empty()) {
        const float value = m_script.front();
        m_script.pop_front();
        return value;
    }
    return unitFloat(m_engine() >> 40);
}

float drawing(int door, int doorCount)
{
    return (static_cast<float>(door) + 0.5f) / static_cast<float>(doorCount);
}

double chiSquare(const std::vector<int>& counts)
{
    double total = 0;
    for (int c : counts)
        total += c;
    const double expected = total / double(counts.size());
    double chi = 0;
    for (int c : counts)
        chi += (c - expected) * (c - expected) / expected;
    return chi;
}

double chiSquareBound(int degrees)
{
    static const double bounds[] = {0, 23.93, 27.63, 30.66, 33.38, 35.89, 38.26};
    return bounds[degrees];
}

Harness::Harness(bool load, ScreenSpec screen, unsigned seed)
{
    auto fakeClock = std::make_unique<FakeClock>();
    auto fakeRandom = std::make_unique<ScriptedRandom>(seed);
    clock = fakeClock.get();
    random = fakeRandom.get();
    Services services{std::make_unique<FakeScreen>(screen.widthTwips, screen.heightTwips,
                                                   screen.twipsPerPixel),
                      std::move(fakeClock), std::move(fakeRandom)};
    window = std::make_unique<Wulpe>(std::move(services));
    if (load)
        window->Form_Load();
}

void openQuiz(Harness& h, int doorCount, int car)
{
    h->vscTueren->setValue(doorCount);
    h.random->script({drawing(car, doorCount)});
    h->cmdStart->click();
    QCOMPARE(h->AutoTuer, car);
}

void scriptDoors(Harness& h, const QList<int>& doors, int doorCount)
{
    for (int door : doors)
        h.random->script({drawing(door, doorCount)});
}

void playQuiz(Harness& h, int doorCount, int car, const QList<int>& clicks, const QList<int>& hosts)
{
    openQuiz(h, doorCount, car);
    scriptDoors(h, hosts, doorCount);
    for (int door : clicks) {
        h->imgTuer_Click(std::int16_t(door));
        settle(*h);
    }
}

void clickUntilDecided(Wulpe& window, int door)
{
    for (int move = window.AnzahlWahlen; move < window.vscTueren->value() - 1; ++move) {
        window.imgTuer_Click(std::int16_t(door));
        settle(window);
    }
}

GameState stateOf(const Wulpe& w)
{
    GameState s{w.AnzahlSpiele, w.AnzahlAutos, w.AnzahlWulpen, w.AutoTuer, w.GewaehlteTuer,
                w.AnzahlWahlen, w.vscTueren->value(), w.SpielLaeuft, w.frmAuswahl1->Caption(),
                {}, {}, {}, {}, {}, {}};
    for (int k = 0; k < 7; ++k) {
        s.tags << w.imgTuer[k]->Tag();
        s.shown << !w.imgTuer[k]->isHidden() << !w.imgWulpe[k]->isHidden() << !w.shpMarker[k]->isHidden();
        s.markerWidths << w.shpMarker[k]->BorderWidth();
        s.markerColors << w.shpMarker[k]->BorderColor().rgb();
    }
    for (PictureBox* box : w.Picture1)
        s.boxes << box->text();
    s.shown << !w.imgAuto->isHidden();
    for (Frame* frame : w.Frame4)
        s.shown << !frame->isHidden();
    for (OptionButton* button : w.Option2)
        s.selected << button->isChecked();
    for (OptionButton* button : w.Option1)
        s.selected << button->isChecked();
    return s;
}

void showWhole(Wulpe& window)
{
    window.resize(1100, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void clickAt(Wulpe& window, QWidget& widget, QPoint point)
{
    const QPoint inWindow = widget.mapTo(&window, point);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, inWindow);
}

namespace {

Qt::Key keyFor(char32_t c)
{
    switch (c) {
    case U'\t': return Qt::Key_Tab;
    case U'\n':
    case U'\r': return Qt::Key_Return;
    case 0x1B: return Qt::Key_Escape;
    case 0x7F: return Qt::Key_Delete;
    case U'\b': return Qt::Key_Backspace;
    }
    if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z'))
        return Qt::Key(c);
    if (c >= U'a' && c <= U'z')
        return Qt::Key(c - U'a' + U'A');
    return Qt::Key_unknown;
}

} // namespace

void typeInto(QWidget& widget, const QString& text)
{
    for (char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, &widget, keyFor(c), QString::fromUcs4(&c, 1), Qt::NoModifier);
}

void clickCentre(Wulpe& window, QWidget& widget)
{
    clickAt(window, widget, widget.rect().center());
}

int runUntilTheProgramEnds(Wulpe& window, const std::function<void()>& action)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    QTimer::singleShot(0, &window, action);
    return QCoreApplication::exec();
}
