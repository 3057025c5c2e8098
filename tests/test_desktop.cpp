// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop and assistive technology see of the window: every control's spoken
// name and role, the doors' state as the board shows it, the statistics boxes' text,
// the door board's prompt, and the window icon.

#include "support.h"

#include <QAccessible>
#include <QFile>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

QString spoken(QObject* object)
{
    return accessible(object)->text(QAccessible::Name);
}

QAccessible::Role expectedRole(Placed* control)
{
    const QString name = control->widget().objectName();
    if (dynamic_cast<CommandButton*>(control)) return QAccessible::Button;
    if (dynamic_cast<OptionButton*>(control)) return QAccessible::RadioButton;
    if (dynamic_cast<TextBox*>(control)) return QAccessible::EditableText;
    if (dynamic_cast<VScrollBar*>(control)) return QAccessible::ScrollBar;
    if (dynamic_cast<Label*>(control)) return QAccessible::StaticText;
    if (dynamic_cast<Frame*>(control)) return QAccessible::Grouping;
    if (dynamic_cast<PictureBox*>(control)) return QAccessible::StaticText;
    if (dynamic_cast<Image*>(control))
        return name.startsWith(u"imgTuer(") ? QAccessible::Button : QAccessible::Graphic;
    if (dynamic_cast<Shape*>(control)) return QAccessible::Graphic;
    if (dynamic_cast<Line*>(control)) return QAccessible::Separator;
    return QAccessible::NoRole;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasAGermanNameAndItsRole();
    void windowAndMenuEntriesAreSpoken();
    void doorsSayWhetherTheyAreClosedOpenedOrTheCar();
    void doorsCountHowOftenTheyWereChosen();
    void carIsSpokenOnTheDoorItStandsOn();
    void onlyDoorsCanBePressedAndPressingClicksThem();
    void statisticsBoxesSpeakAndExposeTheirPrintedText();
    void doorBoardSpeaksItsPrompt();
    void windowIconIsTheInstalledIcon();
};

void DesktopTest::everyControlHasAGermanNameAndItsRole()
{
    Harness h;
    for (Placed* control : h->controls()) {
        QWidget& w = control->widget();
        QAccessibleInterface* iface = accessible(&w);
        const QString name = iface->text(QAccessible::Name);
        QVERIFY2(iface->isValid(), qPrintable(w.objectName()));
        QVERIFY2(!name.isEmpty() || w.objectName() == u"frmAuswahl1", qPrintable(w.objectName()));
        QVERIFY2(!name.contains(u'(') && !name.contains(u'_'), qPrintable(name));
        QCOMPARE(iface->role(), expectedRole(control));
        QCOMPARE(iface->object(), &w);
        // Reachable from the window, as a screen reader walks the tree.
        QAccessibleInterface* parent = iface->parent();
        QVERIFY(parent);
        QVERIFY(parent->indexOfChild(iface) >= 0);
    }
    QCOMPARE(spoken(h->imgModerator), QStringLiteral("Moderator"));
    QCOMPARE(spoken(h->imgDon), QStringLiteral("Kandidat"));
    QCOMPARE(spoken(h->vscTueren), QStringLiteral("Anzahl der Türen"));
    QCOMPARE(spoken(h->Option1[4]), QStringLiteral("Tür beibehalten"));
    QCOMPARE(spoken(h->Frame4[1]), QStringLiteral("2. Entscheidung"));
    QCOMPARE(spoken(h->cmdStart), QStringLiteral("Spielstart"));
    QCOMPARE(spoken(h->Command1), QStringLiteral("Zähler löschen"));
    QCOMPARE(spoken(h->shpMarker[5]), QStringLiteral("Markierung von Tür 6"));
    QCOMPARE(accessible(h->vscTueren)->valueInterface()->currentValue().toInt(), 3);
}

void DesktopTest::windowAndMenuEntriesAreSpoken()
{
    Harness h;
    QCOMPARE(spoken(h.window.get()), QStringLiteral("Simulation"));
    QAccessibleInterface* bar = accessible(h->menuBar());
    QCOMPARE(bar->childCount(), 2);
    QCOMPARE(bar->child(0)->text(QAccessible::Name), QStringLiteral("Erläuterung"));
    QCOMPARE(bar->child(1)->text(QAccessible::Name), QStringLiteral("copyright"));
    QCOMPARE(bar->child(0)->role(), QAccessible::MenuItem);
}

void DesktopTest::doorsSayWhetherTheyAreClosedOpenedOrTheCar()
{
    Harness h;
    showWhole(*h);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(spoken(h->imgTuer[k]), QStringLiteral("Tür %1: geschlossen").arg(k + 1));
        QCOMPARE(accessible(h->imgTuer[k])->text(QAccessible::Description), QStringLiteral("Taste %1").arg(k + 1));
        QVERIFY(!accessible(h->imgTuer[k])->state().invisible);
    }
    // Doors out of play are hidden, so a screen reader passes them by.
    QVERIFY(accessible(h->imgTuer[3])->state().invisible);
    QCOMPARE(spoken(h->imgTuer[3]), QStringLiteral("Tür 4"));

    // The player holds door 0, the host opens door 1; the car stands behind door 2.
    openQuiz(h, 3, 2);
    scriptDoors(h, {1}, 3);
    h->imgTuer_Click(0);
    settle(*h);
    QVERIFY(accessible(h->imgTuer[1])->state().invisible);
    QCOMPARE(spoken(h->imgWulpe[1]), QStringLiteral("Tür 2: geöffnet, eine Wulpe"));
    QCOMPARE(accessible(h->imgWulpe[1])->role(), QAccessible::Graphic);
    QVERIFY(!accessible(h->imgWulpe[1])->state().invisible);

    // The last move: the held door 0 turns out a Wulpe, the car stands behind door 2.
    h->imgTuer_Click(0);
    settle(*h);
    QCOMPARE(spoken(h->imgWulpe[0]), QStringLiteral("Tür 1: geöffnet, eine Wulpe, zuletzt gewählt"));
    QCOMPARE(spoken(h->imgWulpe[1]), QStringLiteral("Tür 2: geöffnet, eine Wulpe"));
    QCOMPARE(spoken(h->imgAuto), QStringLiteral("Tür 3: das Auto"));
    // Hidden pictures keep their plain names.
    QCOMPARE(spoken(h->imgTuer[2]), QStringLiteral("Tür 3"));
    QCOMPARE(spoken(h->imgWulpe[2]), QStringLiteral("Wulpe hinter Tür 3"));

    // The next game closes every door again; the car without a door is just the car.
    h->vscTueren->setValue(4);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(spoken(h->imgTuer[k]), QStringLiteral("Tür %1: geschlossen").arg(k + 1));
    QCOMPARE(spoken(h->imgAuto), QStringLiteral("Auto"));
}

void DesktopTest::doorsCountHowOftenTheyWereChosen()
{
    const QStringList said = {"geschlossen", "geschlossen, einmal gewählt", "geschlossen, zweimal gewählt",
                              "geschlossen, dreimal gewählt", "geschlossen, viermal gewählt",
                              "geschlossen, fünfmal gewählt", "geschlossen, sechsmal gewählt"};
    // Seven doors, the player holds door 4 in every move: it counts up until the last
    // move, which ends the game on it.
    Harness h;
    openQuiz(h, 7, 4);
    scriptDoors(h, {0, 1, 2, 3, 5}, 7);
    for (int move = 1; move <= 5; ++move) {
        h->imgTuer_Click(4);
        settle(*h);
        QCOMPARE(spoken(h->imgTuer[4]), QStringLiteral("Tür 5: %1").arg(said[move]));
        QCOMPARE(spoken(h->imgTuer[6]), QStringLiteral("Tür 7: geschlossen"));
    }
    h->imgTuer_Click(4);
    settle(*h);
    QCOMPARE(spoken(h->imgAuto), QStringLiteral("Tür 5: das Auto, zuletzt gewählt"));

    // More choices than a game of seven doors leaves to one door but the last: the words
    // go on as far as six.
    h->vscTueren->setValue(3);
    h->vscTueren->setValue(7);
    for (int k = 0; k < 7; ++k) {
        h->imgTuer[k]->setSpeech({DoorSpeech::Closed, k, k});
        QCOMPARE(spoken(h->imgTuer[k]), QStringLiteral("Tür %1: %2").arg(k + 1).arg(said[k]));
    }
}

void DesktopTest::carIsSpokenOnTheDoorItStandsOn()
{
    for (int car = 0; car < 7; ++car) {
        Harness h;
        showWhole(*h);
        // The player holds door 6 - car throughout; the host opens the other doors.
        const int held = 6 - car;
        QList<int> hosts;
        for (int k = 0; k < 7 && hosts.size() < 5; ++k) {
            if (k != car && k != held)
                hosts << k;
        }
        playQuiz(h, 7, car, QList<int>(6, held), hosts);
        QCOMPARE(spoken(h->imgAuto), QStringLiteral("Tür %1: das Auto%2")
                                         .arg(car + 1)
                                         .arg(car == 3 ? ", zuletzt gewählt" : ""));
        for (int k = 0; k < 7; ++k) {
            if (k != car)
                QVERIFY(spoken(h->imgWulpe[k]).startsWith(
                    QStringLiteral("Tür %1: geöffnet, eine Wulpe").arg(k + 1)));
        }
    }
}

void DesktopTest::onlyDoorsCanBePressedAndPressingClicksThem()
{
    Harness h;
    // Doors in play can be pressed; slots beyond the door count offer nothing.
    for (int k = 0; k < 7; ++k) {
        QAccessibleActionInterface* actions = accessible(h->imgTuer[k])->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), k < 3 ? QStringList{QAccessibleActionInterface::pressAction()} : QStringList{});
    }
    QSignalSpy clicks(h->imgTuer[0], &Image::Click);
    accessible(h->imgTuer[0])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // Queued like a mouse click: it happens once the event loop runs again.
    QCOMPARE(clicks.count(), 0);
    QTRY_COMPARE(clicks.count(), 1);
    // The door the host opened is no door to press any more.
    settle(*h);
    QCOMPARE(h->AnzahlWahlen, 1);
    QVERIFY(accessible(h->imgTuer[h->ModeratorTuer])->actionInterface()->actionNames().isEmpty());
    for (QObject* picture : {static_cast<QObject*>(h->imgWulpe[0]), static_cast<QObject*>(h->imgAuto),
                             static_cast<QObject*>(h->imgModerator), static_cast<QObject*>(h->imgDon)}) {
        QAccessibleActionInterface* actions = accessible(picture)->actionInterface();
        QVERIFY(!actions || actions->actionNames().isEmpty());
    }
}

void DesktopTest::statisticsBoxesSpeakAndExposeTheirPrintedText()
{
    Harness h;
    const QStringList names = {"Anzahl der Spiele", "Anzahl der Autos", "Anteil der Autos",
                               "Anzahl der Wulpen", "Anteil der Wulpen"};
    const QStringList printed = {" 3 ", " 1 ", " 33.33 %", " 2 ", " 66.66 %"};
    for (int k = 0; k < 5; ++k) {
        QAccessibleInterface* box = accessible(h->Picture1[k]);
        QCOMPARE(box->text(QAccessible::Name), names[k]);
        QVERIFY(box->textInterface());
        QCOMPARE(box->textInterface()->characterCount(), 0);

        h->Picture1[k]->Cls();
        h->Picture1[k]->Print(printed[k]);
        QCOMPARE(box->text(QAccessible::Name), names[k] + ": " + printed[k].trimmed());
        QCOMPARE(box->text(QAccessible::Value), printed[k].trimmed());
        QAccessibleTextInterface* text = box->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), printed[k]);
        QCOMPARE(text->characterCount(), printed[k].size());
        QCOMPARE(text->text(1, 2), printed[k].mid(1, 1));
        QCOMPARE(text->text(5, 1000), printed[k].mid(5));
    }
    h->Picture1[2]->Cls();
    QCOMPARE(spoken(h->Picture1[2]), QStringLiteral("Anteil der Autos"));
    QCOMPARE(accessible(h->Picture1[2])->textInterface()->characterCount(), 0);
}

void DesktopTest::doorBoardSpeaksItsPrompt()
{
    Harness h(false);
    QCOMPARE(spoken(h->frmAuswahl1), QStringLiteral("Türen des Spiels"));
    h->Form_Load();
    QCOMPARE(spoken(h->frmAuswahl1), QStringLiteral("Türen des Spiels: Klicke auf die gewünschte Tür"));
    h->Option2[1]->click();
    QCOMPARE(spoken(h->frmAuswahl1), QStringLiteral("Türen des Spiels"));
    QCOMPARE(spoken(h->Frame3), QStringLiteral("Statistik"));
}

void DesktopTest::windowIconIsTheInstalledIcon()
{
    // The desktop entry names the icon installed under the program's id, the name the
    // program gives the desktop.
    QFile entry(QStringLiteral(WULPE_BINARY_DIR "/" WULPE_APP_ID ".desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QVERIFY(QString::fromUtf8(entry.readAll()).split(u'\n').contains(QStringLiteral("Icon=" WULPE_APP_ID)));

    // A scalable application icon is square, and the window hands the desktop a drawn
    // picture at each size it offers.
    const QSize drawing = QSvgRenderer(QStringLiteral(":/assets/icon.svg")).defaultSize();
    QVERIFY(!drawing.isEmpty());
    QCOMPARE(drawing.width(), drawing.height());
    Harness h(false);
    const QList<QSize> sizes = h->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(128, 128)));
    for (const QSize size : sizes) {
        const QImage picture = h->windowIcon().pixmap(size).toImage();
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.pixelColor(size.width() / 2, size.height() / 2).alpha(), 255);
    }
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
