// What the desktop and assistive technology see of the window: every control's spoken
// name and role, the doors' state as the board shows it, the statistics boxes' text,
// the door board's prompt, and the window icon.

#include "support.h"

#include <QAccessible>
#include <QFile>
#include <QMenuBar>
#include <QSignalSpy>
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

// What the move does to the board when the host opens a door, and when the game ends
// on the car's door, with the player's final door marked.
void openDoor(Wulpe& w, int door)
{
    w.imgTuer[door]->hide();
    w.imgWulpe[door]->show();
}

void showCar(Wulpe& w, int door, int heldDoor)
{
    w.imgAuto->setTop(w.imgTuer[door]->Top());
    w.imgAuto->setLeft(w.imgTuer[door]->Left());
    w.imgTuer[door]->hide();
    w.imgAuto->show();
    w.shpMarker[heldDoor]->setBorderWidth(15);
    w.shpMarker[heldDoor]->setBorderColor(paletteColor(12));
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

    openDoor(*h, 1);
    QVERIFY(accessible(h->imgTuer[1])->state().invisible);
    QCOMPARE(spoken(h->imgWulpe[1]), QStringLiteral("Tür 2: geöffnet, eine Wulpe"));
    QCOMPARE(accessible(h->imgWulpe[1])->role(), QAccessible::Graphic);
    QVERIFY(!accessible(h->imgWulpe[1])->state().invisible);

    // The last move: the held door 0 turns out a Wulpe, the car stands behind door 2.
    h->shpMarker[0]->setBorderWidth(3);
    openDoor(*h, 0);
    showCar(*h, 2, 0);
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
    Harness h;
    h->vscTueren->setValue(7);
    // A marker grows by two each time its door is held.
    const QStringList said = {"geschlossen", "geschlossen, einmal gewählt", "geschlossen, zweimal gewählt",
                              "geschlossen, dreimal gewählt", "geschlossen, viermal gewählt",
                              "geschlossen, fünfmal gewählt", "geschlossen, sechsmal gewählt"};
    for (int k = 0; k < 7; ++k) {
        h->shpMarker[k]->setBorderWidth(1 + 2 * k);
        QCOMPARE(spoken(h->imgTuer[k]), QStringLiteral("Tür %1: %2").arg(k + 1).arg(said[k]));
    }
    // The player's final door is marked thick and bright red.
    showCar(*h, 4, 4);
    QCOMPARE(spoken(h->imgAuto), QStringLiteral("Tür 5: das Auto, zuletzt gewählt"));
}

void DesktopTest::carIsSpokenOnTheDoorItStandsOn()
{
    for (int car = 0; car < 7; ++car) {
        Harness h;
        showWhole(*h);
        h->vscTueren->setValue(7);
        for (int k = 0; k < 7; ++k) {
            if (k != car)
                openDoor(*h, k);
        }
        showCar(*h, car, 6 - car);
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
    for (int k = 0; k < 3; ++k) {
        QAccessibleActionInterface* actions = accessible(h->imgTuer[k])->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        QSignalSpy clicks(h->imgTuer[k], &Image::Click);
        actions->doAction(QAccessibleActionInterface::pressAction());
        // Queued like a mouse click: it happens once the event loop runs again.
        QCOMPARE(clicks.count(), 0);
        QTRY_COMPARE(clicks.count(), 1);
    }
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
    Harness h(false);
    QVERIFY(!h->windowIcon().isNull());
    QVERIFY(!h->windowIcon().pixmap(48, 48).isNull());
    // The compiled-in icon is the file that is installed into the icon theme.
    QFile compiled(QStringLiteral(":/assets/icon.svg"));
    QFile installed(QStringLiteral(WULPE_SOURCE_DIR "/assets/icon.svg"));
    QVERIFY(compiled.open(QIODevice::ReadOnly));
    QVERIFY(installed.open(QIODevice::ReadOnly));
    QCOMPARE(compiled.readAll(), installed.readAll());
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
