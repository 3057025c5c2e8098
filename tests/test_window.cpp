// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The window on creation: every control where the design puts it, the option groups,
// the scroll bar's range, clicks through the markers, and the random door draws.

#include "support.h"

#include "game/regeln.h"
#include "window/display.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>
#include <QWindow>
#include <QWheelEvent>

#include <cmath>
#include <set>
#include <tuple>

namespace {

// The family a font of the design is asked for by: on Windows, the design's bitmap
// sans-serif gives way to its TrueType successor.
QString familyOn(const char* designFont)
{
    const QString family = QString::fromUtf8(designFont);
#ifdef Q_OS_WIN
    if (family == u"MS Sans Serif")
        return QStringLiteral("Microsoft Sans Serif");
#endif
    return family;
}

struct Expected {
    const char* name;
    const char* kind;
    const char* container;
    const char* caption;
    float left, top, width, height;
    const char* font;
    float size;  // 0: the window's font, or none
    bool italic;
    int tab;
};

// The design values, written out independently of the program's own table.
const Expected expectedControls[] = {
    {"Label3", "label", "client", "Das Wulpenproblem", 480, 240, 6612, 612, "Times New Roman", 25.5f, true, 41},
    {"Frame2", "frame", "client", "Einstellungen", 480, 960, 11292, 2772, "MS Sans Serif", 9.75f, false, 1},
    {"frmAuswahl1", "frame", "client", "", 480, 3840, 11292, 3252, "MS Sans Serif", 9.75f, false, 0},
    {"Frame3", "frame", "client", "Statistik", 480, 7200, 11292, 1212, "MS Sans Serif", 9.75f, false, 28},
    {"Label5", "label", "Frame2", "Türen", 360, 480, 732, 372, "MS Sans Serif", 12, false, 2},
    {"txtTueren", "text", "Frame2", "3", 1080, 480, 372, 372, "MS Sans Serif", 12, false, 3},
    {"vscTueren", "scroll", "Frame2", "", 1440, 360, 252, 612, nullptr, 0, false, 4},
    {"Option2(0)", "option", "Frame2", "Quiz nachspielen", 2040, 480, 2172, 372, "MS Sans Serif", 12, false, 5},
    {"Option2(1)", "option", "Frame2", "ganzes Spiel", 4440, 480, 1812, 372, "MS Sans Serif", 12, false, 6},
    {"Option2(2)", "option", "Frame2", "20 Spiele", 6360, 480, 1332, 372, "MS Sans Serif", 12, false, 32},
    {"cmdStart", "button", "Frame2", "Spielstart", 8040, 360, 1332, 612, "MS Sans Serif", 12, false, 7},
    {"cmdEnde", "button", "Frame2", "Ende", 9600, 360, 1332, 612, "MS Sans Serif", 12, false, 43},
    {"Frame4(0)", "frame", "Frame2", "1. Entscheidung", 360, 1320, 1812, 1212, nullptr, 0, false, 8},
    {"Frame4(1)", "frame", "Frame2", "2. Entscheidung", 2640, 1320, 1812, 1212, nullptr, 0, false, 12},
    {"Frame4(2)", "frame", "Frame2", "3. Entscheidung", 4800, 1320, 1812, 1212, nullptr, 0, false, 16},
    {"Frame4(3)", "frame", "Frame2", "4. Entscheidung", 6960, 1320, 1812, 1212, nullptr, 0, false, 20},
    {"Frame4(4)", "frame", "Frame2", "5. Entscheidung", 9120, 1320, 1812, 1212, nullptr, 0, false, 24},
    {"Option1(0)", "option", "Frame4(0)", "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 11},
    {"Option1(1)", "option", "Frame4(0)", "Tür beibehalten", 120, 360, 1452, 252, nullptr, 0, false, 10},
    {"Option1(2)", "option", "Frame4(0)", "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 9},
    {"Option1(3)", "option", "Frame4(1)", "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 13},
    {"Option1(4)", "option", "Frame4(1)", "Tür beibehalten", 120, 360, 1572, 252, nullptr, 0, false, 14},
    {"Option1(5)", "option", "Frame4(1)", "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 15},
    {"Option1(6)", "option", "Frame4(2)", "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 19},
    {"Option1(7)", "option", "Frame4(2)", "Tür beibehalten", 120, 360, 1452, 252, nullptr, 0, false, 18},
    {"Option1(8)", "option", "Frame4(2)", "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 17},
    {"Option1(9)", "option", "Frame4(3)", "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 23},
    {"Option1(10)", "option", "Frame4(3)", "Tür beibehalten", 120, 360, 1572, 252, nullptr, 0, false, 22},
    {"Option1(11)", "option", "Frame4(3)", "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 21},
    {"Option1(12)", "option", "Frame4(4)", "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 25},
    {"Option1(13)", "option", "Frame4(4)", "Tür beibehalten", 120, 360, 1572, 252, nullptr, 0, false, 26},
    {"Option1(14)", "option", "Frame4(4)", "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 27},
    {"imgAuto", "image", "frmAuswahl1", "", 5160, 480, 972, 1452, nullptr, 0, false, -1},
    {"imgModerator", "image", "frmAuswahl1", "", 6720, 2160, 972, 972, nullptr, 0, false, -1},
    {"imgDon", "image", "frmAuswahl1", "", 5640, 2160, 1092, 972, nullptr, 0, false, -1},
    {"Label2(0)", "label", "Frame3", "Spiele", 360, 480, 1092, 372, "MS Sans Serif", 13.5f, false, 33},
    {"Picture1(0)", "picture", "Frame3", "", 1320, 360, 1092, 612, "MS Sans Serif", 24, false, 34},
    {"Label2(1)", "label", "Frame3", "Autos", 3240, 480, 852, 372, "MS Sans Serif", 13.5f, false, 35},
    {"Picture1(1)", "picture", "Frame3", "", 4080, 240, 1212, 372, "MS Sans Serif", 13.5f, false, 36},
    {"Picture1(2)", "picture", "Frame3", "", 4080, 720, 1212, 372, "MS Sans Serif", 13.5f, false, 38},
    {"Label2(2)", "label", "Frame3", "Wulpen", 6240, 480, 1092, 372, "MS Sans Serif", 13.5f, false, 37},
    {"Picture1(3)", "picture", "Frame3", "", 7320, 240, 1212, 372, "MS Sans Serif", 13.5f, false, 39},
    {"Picture1(4)", "picture", "Frame3", "", 7320, 720, 1212, 372, "MS Sans Serif", 13.5f, false, 40},
    {"Command1", "button", "Frame3", "Zähler löschen", 9600, 360, 1332, 612, nullptr, 0, false, 42},
    {"Label1", "label", "Frame3", "Spiele", 240, 1680, 852, 372, "MS Sans Serif", 12, false, 31},
    {"Text1", "text", "Frame3", "0", 1440, 1680, 972, 420, "MS Sans Serif", 13.5f, false, 29},
    {"Command2", "button", "Frame3", "löschen", 3600, 1680, 1332, 492, "MS Sans Serif", 12, false, 30},
};

QString kindOf(Placed* c)
{
    if (dynamic_cast<Label*>(c)) return "label";
    if (dynamic_cast<Frame*>(c)) return "frame";
    if (dynamic_cast<CommandButton*>(c)) return "button";
    if (dynamic_cast<OptionButton*>(c)) return "option";
    if (dynamic_cast<TextBox*>(c)) return "text";
    if (dynamic_cast<VScrollBar*>(c)) return "scroll";
    if (dynamic_cast<PictureBox*>(c)) return "picture";
    if (dynamic_cast<Image*>(c)) return "image";
    if (dynamic_cast<Shape*>(c)) return "shape";
    if (dynamic_cast<Line*>(c)) return "line";
    return "?";
}

QString captionOf(QWidget& w)
{
    if (auto* l = qobject_cast<QLabel*>(&w)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(&w)) return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(&w)) return b->text();
    if (auto* t = qobject_cast<QLineEdit*>(&w)) return t->text();
    return {};
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasItsDesignValuesOnCreation_data();
    void everyControlHasItsDesignValuesOnCreation();
    void doorSlotsFollowTheirFormulaOnCreation();
    void initialStatesOnCreation();
    void tabPlacesAreZeroToFortyThreeEachOnce();
    void everySettingByKeyboardFromStartUp();
    void windowCaptionClientAreaAndMenuBar();
    void opensMaximisedAndGivesBackItsCreationSize();
    void controlsBelowTheStatisticsFrameAreClippedAway();
    void fontsArePointsOfTheScreenNotOfQt();

    void optionButtonsClearOnlyTheirOwnGroup();
    void scrollBarStaysWithinThreeToSeven();
    void clickInsideAMarkerReachesTheDoor();
    void aLongCountIsPrintedSmallerNotCutOff();
    void stateStartsWithItsStartValues();

    void doorDrawIsFloorOfRTimesN();
    void doorDrawIsUniform();
    void generatorsGiveTheirAuthorsReferenceOutputs();
    void reseedingInATightLoopNeverRepeatsAGame();
};

void WindowTest::everyControlHasItsDesignValuesOnCreation_data()
{
    QTest::addColumn<int>("row");
    for (int r = 0; r < int(std::size(expectedControls)); ++r)
        QTest::newRow(expectedControls[r].name) << r;
}

void WindowTest::everyControlHasItsDesignValuesOnCreation()
{
    QFETCH(int, row);
    const Expected& e = expectedControls[row];
    Harness h(false);
    Placed* c = h->control(e.name);
    QVERIFY2(c, e.name);
    QWidget& w = c->widget();
    QCOMPARE(w.objectName(), QString::fromUtf8(e.name));
    QCOMPARE(kindOf(c), QString::fromUtf8(e.kind));
    QCOMPARE(w.parentWidget()->objectName(), QString::fromUtf8(e.container));
    QCOMPARE(captionOf(w), QString::fromUtf8(e.caption));
    QCOMPARE(c->Left(), e.left);
    QCOMPARE(c->Top(), e.top);
    QCOMPARE(c->Width(), e.width);
    QCOMPARE(c->Height(), e.height);
    if (e.font) {
        QCOMPARE(w.font().family(), familyOn(e.font));
        QCOMPARE(c->FontSize(), e.size);
        QCOMPARE(w.font().italic(), e.italic);
        QCOMPARE(w.font().weight(), QFont::Normal);
    } else if (c->hasFont()) {
        QCOMPARE(w.font().family(), familyOn("MS Sans Serif"));
    }
    QCOMPARE(w.property("TabIndex").toInt(), e.tab);
    // What lies below its frame is never seen, and hidden (see below).
    const QStringList clipped = {QStringLiteral("Label1"), QStringLiteral("Text1"), QStringLiteral("Command2")};
    QCOMPARE(w.isHidden(), clipped.contains(w.objectName()));
    QVERIFY(!w.accessibleName().isEmpty());
}

void WindowTest::doorSlotsFollowTheirFormulaOnCreation()
{
    Harness h(false);
    for (int k = 0; k < 7; ++k) {
        for (const char* name : {"imgTuer", "imgWulpe"}) {
            Placed* c = h->control(QStringLiteral("%1(%2)").arg(name).arg(k));
            QVERIFY(c);
            QCOMPARE(c->Left(), 480.0f + 1560.0f * float(k));
            QCOMPARE(c->Top(), 480.0f);
            QCOMPARE(c->Width(), 972.0f);
            QCOMPARE(c->Height(), 1452.0f);
            QCOMPARE(c->widget().parentWidget(), h->frmAuswahl1);
            QVERIFY(!c->widget().isHidden());
        }
        Shape* marker = h->shpMarker[k];
        QCOMPARE(marker->objectName(), QStringLiteral("shpMarker(%1)").arg(k));
        QCOMPARE(marker->Left(), 360.0f + 1560.0f * float(k));
        QCOMPARE(marker->Top(), 360.0f);
        QCOMPARE(marker->Width(), 1212.0f);
        QCOMPARE(marker->Height(), 1692.0f);
        QCOMPARE(marker->BorderWidth(), 1);
        QCOMPARE(marker->BorderColor(), QColor(255, 0, 0));
        QCOMPARE(h->imgTuer[k]->Tag(), QStringLiteral("0"));
        QCOMPARE(h->imgTuer[k]->accessibleName(), QStringLiteral("Tür %1").arg(k + 1));
    }
    QCOMPARE(h->Line1->X1(), 360.0f);
    QCOMPARE(h->Line1->Y1(), 1200.0f);
    QCOMPARE(h->Line1->X2(), 10920.0f);
    QCOMPARE(h->Line1->Y2(), 1200.0f);
    QCOMPARE(h->Line1->BorderColor(), h->palette().color(QPalette::Midlight));
    QCOMPARE(h->controls().size(), qsizetype(std::size(expectedControls) + 7 * 3 + 1));
}

void WindowTest::initialStatesOnCreation()
{
    Harness h(false);
    QVERIFY(h->Option2[0]->isChecked());
    QVERIFY(!h->Option2[1]->isChecked());
    QVERIFY(!h->Option2[2]->isChecked());
    for (int k = 0; k < 15; ++k)
        QCOMPARE(h->Option1[k]->isChecked(), k % 3 == 2);
    QCOMPARE(h->vscTueren->value(), 3);
    QCOMPARE(h->vscTueren->minimum(), 3);
    QCOMPARE(h->vscTueren->maximum(), 7);
    QCOMPARE(h->vscTueren->singleStep(), 1);
    QCOMPARE(h->txtTueren->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(h->Text1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    for (PictureBox* box : h->Picture1) {
        QVERIFY(box->text().isEmpty());
        QCOMPARE(box->palette().color(QPalette::Window), box->palette().color(QPalette::Midlight));
    }
    for (QWidget* picture : {h->imgAuto, h->imgModerator, h->imgDon}) {
        QVERIFY(static_cast<Image*>(picture)->picture());
        QVERIFY(static_cast<Image*>(picture)->picture()->isValid());
    }
    QVERIFY(h->imgTuer[0]->picture()->isValid());
    QVERIFY(h->imgWulpe[0]->picture()->isValid());
}

void WindowTest::tabPlacesAreZeroToFortyThreeEachOnce()
{
    Harness h(false);
    std::set<int> places;
    for (Placed* c : h->controls()) {
        const int tab = c->widget().property("TabIndex").toInt();
        if (tab >= 0)
            QVERIFY2(places.insert(tab).second, qPrintable(c->widget().objectName()));
    }
    QCOMPARE(int(places.size()), 44);
    QCOMPARE(*places.begin(), 0);
    QCOMPARE(*places.rbegin(), 43);
}

void WindowTest::everySettingByKeyboardFromStartUp()
{
    Harness h;
    showWhole(*h);
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    QWindow* window = h->windowHandle();
    const auto focus = [] {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    };
    // Where the focus goes at each press of the key.
    const auto stops = [&](Qt::Key key, int presses) {
        QStringList found;
        for (int n = 0; n < presses; ++n) {
            QTest::keyClick(window, key);
            settle(*h);
            found << focus();
        }
        return found;
    };
    const auto reversed = [](QStringList list) {
        std::reverse(list.begin(), list.end());
        return list;
    };

    // The focus starts where the door keys reach the doors.
    QCOMPARE(focus(), QStringLiteral("vscTueren"));
    QTest::keyClick(window, Qt::Key_1);
    // The host has opened a door once the move is over.
    QTRY_VERIFY(h->Zustand(1) == DoorState::Opened || h->Zustand(2) == DoorState::Opened);
    QCOMPARE(h->AnzahlWahlen, 1);
    QCOMPARE(h->GewaehlteTuer, 0);

    // Tab and Shift+Tab visit the controls on show in the order of their tab places; of
    // a group of option buttons, the selected one.
    const QStringList quiz = {"Option2(0)", "cmdStart", "Command1", "cmdEnde", "txtTueren", "vscTueren"};
    QCOMPARE(stops(Qt::Key_Tab, 6), quiz);
    QCOMPARE(stops(Qt::Key_Backtab, 6), reversed(quiz.mid(0, 5)) << QStringLiteral("vscTueren"));

    // On the door count Up and Down act as its arrows: the upper one adds a door.
    stops(Qt::Key_Up, 3);
    QCOMPARE(h->vscTueren->value(), 6);
    stops(Qt::Key_Down, 1);
    QCOMPARE(h->vscTueren->value(), 5);
    QCOMPARE(h->txtTueren->text(), QStringLiteral("5"));

    // The mode and a strategy by the arrow keys, along the row of modes and down the
    // column of strategies; the decision frames on show join the order with their
    // selected buttons.
    stops(Qt::Key_Tab, 1);
    QCOMPARE(stops(Qt::Key_Right, 1), QStringList{"Option2(1)"});
    QVERIFY(h->Option2[1]->isChecked());
    QCOMPARE(stops(Qt::Key_Tab, 2), (QStringList{"cmdStart", "Option1(2)"}));
    QCOMPARE(stops(Qt::Key_Up, 1), QStringList{"Option1(0)"});
    QVERIFY(h->Option1[0]->isChecked());

    // The door keys reach the doors from every control but the text box.
    QSignalSpy door(h->imgTuer[0], &Image::Click);
    QStringList whole;
    for (int n = 0; n < 9; ++n) {
        whole << stops(Qt::Key_Tab, 1);
        // A hand needs a moment between two presses of a key: a release and a press in the
        // same millisecond are the desktop's repeat of a key held down.
        QTest::qWait(2);
        QTest::keyClick(window, Qt::Key_1);
        QCOMPARE(door.count(), int(whole.size() - whole.count(QStringLiteral("txtTueren"))));
    }
    QCOMPARE(whole, (QStringList{"Option1(5)", "Option1(8)", "Command1", "cmdEnde", "txtTueren",
                                 "vscTueren", "Option2(1)", "cmdStart", "Option1(0)"}));
    QCOMPARE(h->vscTueren->value(), 5);

    // "20 Spiele" comes after the decision frames; Space on "Spielstart" plays the games.
    stops(Qt::Key_Backtab, 2);
    QCOMPARE(stops(Qt::Key_Right, 1), QStringList{"Option2(2)"});
    QCOMPARE(stops(Qt::Key_Tab, 9), (QStringList{"Command1", "cmdEnde", "txtTueren", "vscTueren", "cmdStart",
                                                 "Option1(0)", "Option1(5)", "Option1(8)", "Option2(2)"}));
    QCOMPARE(stops(Qt::Key_Backtab, 4).last(), QStringLiteral("cmdStart"));
    QTest::keyClick(window, Qt::Key_Space);
    QTRY_COMPARE(h->AnzahlSpiele, 20);
}

void WindowTest::windowCaptionClientAreaAndMenuBar()
{
    Harness h(false);
    QCOMPARE(h->windowTitle(), QStringLiteral("Simulation"));
    QCOMPARE(h->objectName(), QStringLiteral("Wulpe"));
    h->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    // 3750 x 2505 twips at 12 twips per pixel.
    QCOMPARE(h->centralWidget()->size(), QSize(313, 209));
    QCOMPARE(h->windowState(), Qt::WindowNoState);

    const QList<QAction*> entries = h->menuBar()->actions();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0]->text(), QStringLiteral("Erläuterung"));
    QCOMPARE(entries[0]->objectName(), QStringLiteral("cmdInfo"));
    QCOMPARE(entries[1]->text(), QStringLiteral("copyright"));
    QCOMPARE(entries[1]->objectName(), QStringLiteral("cmdcopy"));
    for (QAction* entry : entries) {
        QVERIFY(!entry->menu());
        QVERIFY(entry->isEnabled());
        QVERIFY(!entry->isCheckable());
    }
}

void WindowTest::opensMaximisedAndGivesBackItsCreationSize()
{
    Harness h;
    showMaximisedOnScreen(*h);
    QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    QVERIFY(h->isMaximized());
    const QRect available = h->screen()->availableGeometry();
    if (QGuiApplication::platformName() == u"windows") {
        // Windows keeps a maximised window's sizing border past the available area's
        // edges: the frame covers the area, and the window's inside lies within it.
        QTRY_VERIFY(h->frameGeometry().contains(available) && available.contains(h->geometry()));
    } else {
        QTRY_COMPARE(h->frameGeometry(), available);
    }
    // Un-maximised, the window has its size of creation again, and the layout that
    // depends on the screen alone is the same.
    const QRect ende = h->cmdEnde->geometry();
    h->showNormal();
    QTRY_COMPARE(h->centralWidget()->size(), QSize(313, 209));
    QCOMPARE(h->windowState(), Qt::WindowNoState);
    QCOMPARE(h->cmdEnde->geometry(), ende);
}

void WindowTest::controlsBelowTheStatisticsFrameAreClippedAway()
{
    Harness h;
    showWhole(*h);
    const QRect frame = h->Frame3->rect();
    for (QWidget* hidden : {static_cast<QWidget*>(h->Label1), static_cast<QWidget*>(h->Text1),
                            static_cast<QWidget*>(h->Command2)}) {
        QVERIFY(hidden->geometry().top() >= frame.bottom());
        QVERIFY(hidden->visibleRegion().isEmpty());
        // Hidden, so that neither Tab nor a screen reader finds a control nobody sees.
        QVERIFY(hidden->isHidden());
    }
}

void WindowTest::fontsArePointsOfTheScreenNotOfQt()
{
    // At 12 twips per pixel a point is 20/12 pixels, whatever DPI Qt assumes.
    Harness h(false);
    const QFontInfo info(h->cmdStart->font());
    QCOMPARE(info.pointSizeF() * h->cmdStart->logicalDpiY() / 72.0, 12.0 * 20.0 / 12.0);
}

void WindowTest::optionButtonsClearOnlyTheirOwnGroup()
{
    Harness h;
    showWhole(*h);
    h->Option2[1]->click();
    QVERIFY(!h->Option2[0]->isChecked());
    QVERIFY(h->Option2[1]->isChecked());
    QVERIFY(!h->Option2[2]->isChecked());
    for (int k = 0; k < 15; ++k)
        QCOMPARE(h->Option1[k]->isChecked(), k % 3 == 2);

    h->Option1[3 * 1 + 0]->click();
    h->Option1[3 * 3 + 1]->click();
    for (int k = 0; k < 15; ++k) {
        const bool expected = k == 3 || k == 10 || (k % 3 == 2 && k != 5 && k != 11);
        QCOMPARE(h->Option1[k]->isChecked(), expected);
    }
    QVERIFY(h->Option2[1]->isChecked());

    // A click on the selected button keeps it selected, in every group, also in the
    // settings frame that holds the decision frames with their own selected buttons.
    clickCentre(*h, *h->Option2[1]);
    settle(*h);
    QVERIFY(h->Option2[1]->isChecked());
    QCOMPARE(int(std::count_if(h->Option2.begin(), h->Option2.end(), [](auto* b) { return b->isChecked(); })), 1);
    clickCentre(*h, *h->Option1[3]);
    settle(*h);
    QVERIFY(h->Option1[3]->isChecked());
    h->Option2[0]->click();
    clickCentre(*h, *h->Option2[0]);
    settle(*h);
    QVERIFY(h->Option2[0]->isChecked());
}

void WindowTest::scrollBarStaysWithinThreeToSeven()
{
    Harness h;
    showWhole(*h);
    VScrollBar& bar = *h->vscTueren;
    const QPoint upper(bar.width() / 2, 3);
    const QPoint lower(bar.width() / 2, bar.height() - 3);
    QSignalSpy changes(&bar, &QScrollBar::valueChanged);
    clickAt(*h, bar, lower);
    settle(*h);
    QCOMPARE(bar.value(), 3);
    QCOMPARE(changes.count(), 0);

    // The upper arrow and the Up key add a door, up to seven.
    bar.setFocus();
    for (int n = 0; n < 10; ++n)
        QTest::keyClick(&bar, Qt::Key_Up);
    QCOMPARE(bar.value(), 7);
    QCOMPARE(changes.count(), 4);
    clickAt(*h, bar, upper);
    settle(*h);
    QCOMPARE(bar.value(), 7);
    QCOMPARE(changes.count(), 4);
    clickAt(*h, bar, lower);
    settle(*h);
    QCOMPARE(bar.value(), 6);
    clickAt(*h, bar, upper);
    settle(*h);
    QCOMPARE(bar.value(), 7);
    for (int n = 0; n < 10; ++n)
        QTest::keyClick(&bar, Qt::Key_Down);
    QCOMPARE(bar.value(), 3);

    // Every way up adds a door, every way down takes one away: keys, trough and wheel.
    const auto after = [&bar](auto&& act) {
        bar.setValue(5);
        act();
        return bar.value();
    };
    QCOMPARE(after([&] { QTest::keyClick(&bar, Qt::Key_PageUp); }), 6);
    QCOMPARE(after([&] { QTest::keyClick(&bar, Qt::Key_PageDown); }), 4);
    bar.resize(bar.width(), 200);
    QCOMPARE(after([&] { QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, 30)); }), 6);
    QCOMPARE(after([&] { QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, 170)); }), 4);
    QCOMPARE(after([&] {
        const QPoint p(bar.width() / 2, 100);
        QWheelEvent wheel(p, bar.mapToGlobal(p), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&bar, &wheel);
    }), 6);
}

void WindowTest::clickInsideAMarkerReachesTheDoor()
{
    Harness h;
    showWhole(*h);
    // In "ganzes Spiel" a click plays no move, so the doors stay where they are.
    h->Option2[1]->click();
    for (int k = 0; k < 3; ++k) {
        h->shpMarker[k]->setBorderWidth(15);
        QSignalSpy clicks(h->imgTuer[k], &Image::Click);
        clickCentre(*h, *h->imgTuer[k]);
        settle(*h);
        clickAt(*h, *h->imgTuer[k], QPoint(1, 1));
        settle(*h);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(h->childAt(h->imgTuer[k]->mapTo(h.window.get(), QPoint(1, 1))),
                 static_cast<QWidget*>(h->imgTuer[k]));
    }
}

void WindowTest::aLongCountIsPrintedSmallerNotCutOff()
{
    Harness h;
    showWhole(*h);
    PictureBox& box = *h->Picture1[0];
    const int width = box.contentsRect().width();
    box.Print(QStringLiteral(" 7 "));
    QCOMPARE(box.fittingFont(width), box.font());

    for (const char* count : {" 1000 ", " 123456789 "}) {
        box.Cls();
        box.Print(QString::fromLatin1(count));
        const QFont font = box.fittingFont(width);
        QVERIFY(font.pointSizeF() < box.font().pointSizeF());
        QVERIFY(QFontMetricsF(font).horizontalAdvance(box.text()) <= width + 0.5);
        QCOMPARE(box.text(), QString::fromLatin1(count));
    }
}

void WindowTest::stateStartsWithItsStartValues()
{
    Harness h(false);
    QCOMPARE(h->AnzahlSpiele, 0);
    QCOMPARE(h->AnzahlAutos, 0);
    QCOMPARE(h->AnzahlWulpen, 0);
    QCOMPARE(h->AnzahlWahlen, 0);
    QCOMPARE(h->SpielLaeuft, 0);
    QCOMPARE(Wulpe::EntwurfBreite, 12288);
    QCOMPARE(Wulpe::EntwurfHoehe, 9216);
    for (int k = 0; k < 7; ++k)
        QCOMPARE(h->Zustand(k), DoorState::Free);
    // The state is the number the Tag's text stands for.
    h->imgTuer[4]->setTag(QStringLiteral("2"));
    QCOMPARE(h->Zustand(4), DoorState::Opened);
}

void WindowTest::doorDrawIsFloorOfRTimesN()
{
    const float belowOne = std::nextafter(1.0f, 0.0f);
    for (int n = 3; n <= 7; ++n) {
        QCOMPARE(drawDoor(0.0f, n), 0);
        QCOMPARE(drawDoor(belowOne, n), n - 1);
        for (int door = 0; door < n; ++door)
            QCOMPARE(drawDoor(drawing(door, n), n), door);
    }
    for (const auto& [r, n, door] : {std::tuple{0.5f, 3, 1}, std::tuple{0.66f, 3, 1}, std::tuple{0.67f, 3, 2},
                                     std::tuple{0.99f, 7, 6}})
        QCOMPARE(drawDoor(r, n), door);
}

void WindowTest::doorDrawIsUniform()
{
    SystemRandom random(4711, &clockTicks);
    const int draws = 70000;
    for (int n = 3; n <= 7; ++n) {
        std::vector<int> counts(std::size_t(n), 0);
        for (int d = 0; d < draws; ++d) {
            const float r = random.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++counts[std::size_t(drawDoor(r, n))];
        }
        const double chi = chiSquare(counts);
        QVERIFY2(chi < chiSquareBound(n - 1), qPrintable(QString::number(chi)));
    }
}

void WindowTest::generatorsGiveTheirAuthorsReferenceOutputs()
{
    // Published outputs of the reference implementations, from seed 1234567 and from the
    // state {1, 2, 3, 4}: a constant copied wrongly changes every one of them.
    std::uint64_t seed = 1234567;
    for (std::uint64_t expected : {6457827717110365317ull, 3203168211198807973ull, 9817491932198370423ull,
                                   4593380528125082431ull, 16408922859458223821ull})
        QCOMPARE(splitMix64(seed), expected);
    std::array<std::uint64_t, 4> state = {1, 2, 3, 4};
    for (std::uint64_t expected : {11520ull, 0ull, 1509978240ull, 1215971899390074240ull, 1216172134540287360ull,
                                   607988272756665600ull, 16172922978634559625ull, 8476171486693032832ull,
                                   10595114339597558777ull, 2904607092377533576ull})
        QCOMPARE(xoshiro256StarStar(state), expected);

    // The program's generator: xoshiro256** on a state that SplitMix64 fills from the
    // seed, its 24 highest bits as the number.
    SystemRandom random(1234567, &clockTicks);
    seed = 1234567;
    state = {splitMix64(seed), splitMix64(seed), splitMix64(seed), splitMix64(seed)};
    for (int draw = 0; draw < 100; ++draw)
        QCOMPARE(random.next(), unitFloat(xoshiro256StarStar(state) >> 40));
}

void WindowTest::reseedingInATightLoopNeverRepeatsAGame()
{
    // A clock that never ticks: twenty games started within one tick of a coarse clock.
    SystemRandom random(4711, [] { return std::uint64_t(43200); });
    std::set<std::vector<float>> games;
    for (int game = 0; game < 2000; ++game) {
        random.reseed();
        std::vector<float> draws;
        for (int d = 0; d < 8; ++d)
            draws.push_back(random.next());
        QVERIFY(games.insert(draws).second);
    }
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
