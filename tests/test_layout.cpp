// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The layout: every control scaled from the 12288 x 9216 twip design screen to the real
// screen, the same on every resize, without touching what the game shows or hides.

#include "support.h"

#include "window/display.h"

#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <map>

namespace {

struct Reference {
    const char* name;
    float left, top, width, height;
    float font;  // points; 0: no font size
};

// The reference places on the design screen, written out independently of the
// program's own table. They differ from the creation rectangles in the evenly spaced
// decision frames, the 1452 twips of every "Tür beibehalten" and the whole-point fonts.
const Reference references[] = {
    {"Label3", 480, 240, 6612, 612, 26},
    {"Frame2", 480, 960, 11292, 2772, 10},
    {"frmAuswahl1", 480, 3840, 11292, 3252, 10},
    {"Frame3", 480, 7200, 11292, 1212, 10},

    {"Label5", 360, 480, 732, 372, 12},
    {"txtTueren", 1080, 480, 372, 372, 12},
    {"vscTueren", 1440, 360, 252, 612, 0},
    {"Option2(0)", 2040, 480, 2172, 372, 12},
    {"Option2(1)", 4440, 480, 1812, 372, 12},
    {"Option2(2)", 6360, 480, 1332, 372, 12},
    {"cmdStart", 8040, 360, 1332, 612, 12},
    {"cmdEnde", 9600, 360, 1332, 612, 12},
    {"Frame4(0)", 360, 1320, 1812, 1212, 8},
    {"Frame4(1)", 2550, 1320, 1812, 1212, 8},
    {"Frame4(2)", 4740, 1320, 1812, 1212, 8},
    {"Frame4(3)", 6930, 1320, 1812, 1212, 8},
    {"Frame4(4)", 9120, 1320, 1812, 1212, 8},

    {"Option1(0)", 120, 600, 1572, 252, 8},
    {"Option1(1)", 120, 360, 1452, 252, 8},
    {"Option1(2)", 120, 840, 1572, 252, 8},
    {"Option1(3)", 120, 600, 1572, 252, 8},
    {"Option1(4)", 120, 360, 1452, 252, 8},
    {"Option1(5)", 120, 840, 1572, 252, 8},
    {"Option1(6)", 120, 600, 1572, 252, 8},
    {"Option1(7)", 120, 360, 1452, 252, 8},
    {"Option1(8)", 120, 840, 1572, 252, 8},
    {"Option1(9)", 120, 600, 1572, 252, 8},
    {"Option1(10)", 120, 360, 1452, 252, 8},
    {"Option1(11)", 120, 840, 1572, 252, 8},
    {"Option1(12)", 120, 600, 1572, 252, 8},
    {"Option1(13)", 120, 360, 1452, 252, 8},
    {"Option1(14)", 120, 840, 1572, 252, 8},

    {"imgTuer(0)", 480, 480, 972, 1452, 0},
    {"imgTuer(1)", 2040, 480, 972, 1452, 0},
    {"imgTuer(2)", 3600, 480, 972, 1452, 0},
    {"imgTuer(3)", 5160, 480, 972, 1452, 0},
    {"imgTuer(4)", 6720, 480, 972, 1452, 0},
    {"imgTuer(5)", 8280, 480, 972, 1452, 0},
    {"imgTuer(6)", 9840, 480, 972, 1452, 0},
    {"imgWulpe(0)", 480, 480, 972, 1452, 0},
    {"imgWulpe(1)", 2040, 480, 972, 1452, 0},
    {"imgWulpe(2)", 3600, 480, 972, 1452, 0},
    {"imgWulpe(3)", 5160, 480, 972, 1452, 0},
    {"imgWulpe(4)", 6720, 480, 972, 1452, 0},
    {"imgWulpe(5)", 8280, 480, 972, 1452, 0},
    {"imgWulpe(6)", 9840, 480, 972, 1452, 0},
    {"shpMarker(0)", 360, 360, 1212, 1692, 0},
    {"shpMarker(1)", 1920, 360, 1212, 1692, 0},
    {"shpMarker(2)", 3480, 360, 1212, 1692, 0},
    {"shpMarker(3)", 5040, 360, 1212, 1692, 0},
    {"shpMarker(4)", 6600, 360, 1212, 1692, 0},
    {"shpMarker(5)", 8160, 360, 1212, 1692, 0},
    {"shpMarker(6)", 9720, 360, 1212, 1692, 0},
    {"imgAuto", 5160, 480, 972, 1452, 0},
    {"imgDon", 5640, 2160, 1092, 972, 0},
    {"imgModerator", 6720, 2160, 972, 972, 0},

    {"Label2(0)", 360, 480, 1092, 372, 14},
    {"Picture1(0)", 1320, 360, 1092, 612, 24},
    {"Label2(1)", 3240, 480, 852, 372, 14},
    {"Picture1(1)", 4080, 240, 1212, 372, 14},
    {"Picture1(2)", 4080, 720, 1212, 372, 14},
    {"Label2(2)", 6240, 480, 1092, 372, 14},
    {"Picture1(3)", 7320, 240, 1212, 372, 14},
    {"Picture1(4)", 7320, 720, 1212, 372, 14},
    {"Command1", 9600, 360, 1332, 612, 8},
    {"Label1", 240, 1680, 852, 372, 12},
    {"Text1", 1440, 1680, 972, 420, 14},
    {"Command2", 3600, 1680, 1332, 492, 12},
};

constexpr ScreenSpec design{12288, 9216, 12};
constexpr ScreenSpec design15{15360, 11520, 15};
constexpr ScreenSpec sxga{19200, 15360, 15};
constexpr ScreenSpec fullHd{28800, 16200, 15};

// What a control shows and holds besides its place: none of it is the layout's business.
struct Look {
    bool hidden;
    QString caption;
    QString tag;
    bool checked;
    QString family;
};

Look lookOf(Placed* c)
{
    QWidget& w = c->widget();
    Look look{w.isHidden(), {}, {}, false, w.font().family()};
    if (auto* g = qobject_cast<QGroupBox*>(&w)) look.caption = g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(&w)) {
        look.caption = b->text();
        look.checked = b->isChecked();
    }
    if (auto* l = qobject_cast<QLabel*>(&w)) look.caption = l->text();
    if (auto* t = qobject_cast<QLineEdit*>(&w)) look.caption = t->text();
    if (auto* i = dynamic_cast<Image*>(c)) look.tag = i->Tag();
    return look;
}

bool operator==(const Look& a, const Look& b)
{
    return a.hidden == b.hidden && a.caption == b.caption && a.tag == b.tag
        && a.checked == b.checked && a.family == b.family;
}

struct Snapshot {
    std::map<QString, std::array<float, 5>> twips;
    std::map<QString, QRect> pixels;
    std::map<QString, Look> looks;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshotOf(const Wulpe& window)
{
    Snapshot s;
    for (auto it = window.controls().begin(); it != window.controls().end(); ++it) {
        Placed* c = it.value();
        s.twips[it.key()] = {c->Left(), c->Top(), c->Width(), c->Height(), c->FontSize()};
        s.pixels[it.key()] = c->widget().geometry();
        s.looks[it.key()] = lookOf(c);
    }
    return s;
}

// Every difference between the window's controls and the reference places at the
// given factors, one line each.
QStringList differences(const Wulpe& window, double fx, double fy, double f)
{
    QStringList found;
    auto check = [&](const char* name, const char* what, float actual, double design, double factor) {
        const float expected = static_cast<float>(design * factor);
        if (actual != expected)
            found << QStringLiteral("%1 %2: %3, expected %4").arg(name, what).arg(actual).arg(expected);
    };
    for (const Reference& r : references) {
        Placed* c = window.control(QString::fromUtf8(r.name));
        if (!c) {
            found << QStringLiteral("%1 missing").arg(r.name);
            continue;
        }
        check(r.name, "Left", c->Left(), r.left, fx);
        check(r.name, "Top", c->Top(), r.top, fy);
        check(r.name, "Width", c->Width(), r.width, fx);
        check(r.name, "Height", c->Height(), r.height, fy);
        if (r.font > 0)
            check(r.name, "FontSize", c->FontSize(), r.font, f);
        else if (c->hasFont())
            found << QStringLiteral("%1 has a font").arg(r.name);
    }
    return found;
}

// A screen that can change under the window, as when it moves to another display.
class MovableScreen : public Screen {
public:
    QSizeF sizeTwips() const override { return {metrics.widthTwips, metrics.heightTwips}; }
    double twipsPerPixel() const override { return metrics.twipsPerPixel; }
    ScreenSpec metrics;
};

} // namespace

Q_DECLARE_METATYPE(ScreenSpec)

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void factorsAndEndButtonOnTheListedScreens_data();
    void factorsAndEndButtonOnTheListedScreens();
    void everyControlGetsItsReferencePlace_data();
    void everyControlGetsItsReferencePlace();
    void designValuesLandOnScreenPixels_data();
    void designValuesLandOnScreenPixels();
    void sameLayoutInPixelsAtTwelveAndFifteenTwipsPerPixel();
    void everyCaptionFitsItsControl_data();
    void everyCaptionFitsItsControl();

    void resizingOnTheSameScreenChangesNothing();
    void reLayoutKeepsHiddenDoorsAndFramesHidden();
    void figuresGoBackButTheShownCarStaysOnItsDoor();
    void hiddenCarGoesBackToItsReferencePlace();
    void anotherScreenLaysTheWindowOutForThatScreen();
    void aMaximisedWindowIsLaidOutForTheAreaItIsGiven();
};

void LayoutTest::factorsAndEndButtonOnTheListedScreens_data()
{
    QTest::addColumn<ScreenSpec>("screen");
    QTest::addColumn<double>("fx");
    QTest::addColumn<double>("fy");
    QTest::addColumn<double>("f");
    QTest::addColumn<QList<float>>("ende");  // Left, Top, Width, Height, FontSize
    QTest::newRow("1024x768 at 12") << design << 1.0 << 1.0 << 1.0
                                    << QList<float>{9600, 360, 1332, 612, 12};
    QTest::newRow("1024x768 at 15") << design15 << 1.25 << 1.25 << 1.25
                                    << QList<float>{12000, 450, 1665, 765, 15};
    QTest::newRow("1280x1024 at 15") << sxga << 1.5625 << 15360.0 / 9216 << 1.5625
                                     << QList<float>{15000, 600, 2081.25f, 1020, 18.75f};
    QTest::newRow("1920x1080 at 15") << fullHd << 2.34375 << 1.7578125 << 1.7578125
                                     << QList<float>{22500, 632.8125f, 3121.875f, 1075.78125f, 21.09375f};
}

void LayoutTest::factorsAndEndButtonOnTheListedScreens()
{
    QFETCH(ScreenSpec, screen);
    QFETCH(double, fx);
    QFETCH(double, fy);
    QFETCH(double, f);
    QFETCH(QList<float>, ende);
    Harness h(true, screen);
    QCOMPARE(h->FaktorX, fx);
    QCOMPARE(h->FaktorY, fy);
    QCOMPARE(h->Faktor, f);
    QCOMPARE(h->cmdEnde->Left(), ende[0]);
    QCOMPARE(h->cmdEnde->Top(), ende[1]);
    QCOMPARE(h->cmdEnde->Width(), ende[2]);
    QCOMPARE(h->cmdEnde->Height(), ende[3]);
    QCOMPARE(h->cmdEnde->FontSize(), ende[4]);
}

void LayoutTest::everyControlGetsItsReferencePlace_data()
{
    QTest::addColumn<ScreenSpec>("screen");
    QTest::newRow("design screen") << design;
    QTest::newRow("1280x1024, factors 1.5625 and 1.6667") << sxga;
    QTest::newRow("1920x1080, factors 2.34375 and 1.7578") << fullHd;
}

void LayoutTest::everyControlGetsItsReferencePlace()
{
    QFETCH(ScreenSpec, screen);
    Harness h(true, screen);
    const double fx = screen.widthTwips / 12288;
    const double fy = screen.heightTwips / 9216;
    const QStringList found = differences(*h, fx, fy, std::min(fx, fy));
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    QCOMPARE(h->controls().size(), qsizetype(std::size(references)) + 1);

    QCOMPARE(h->Line1->X1(), float(360 * fx));
    QCOMPARE(h->Line1->X2(), float(10920 * fx));
    QCOMPARE(h->Line1->Y1(), float(1200 * fy));
    QCOMPARE(h->Line1->Y2(), float(1200 * fy));
}

void LayoutTest::designValuesLandOnScreenPixels_data()
{
    QTest::addColumn<ScreenSpec>("screen");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("1024x768 at 96 dpi") << design15 << QSize(1024, 768);
    QTest::newRow("1280x1024 at 96 dpi") << sxga << QSize(1280, 1024);
    QTest::newRow("1920x1080 at 96 dpi") << fullHd << QSize(1920, 1080);
    QTest::newRow("2560x1440 at 144 dpi") << ScreenSpec{25600, 14400, 10} << QSize(2560, 1440);
    QTest::newRow("1366x768 at 120 dpi") << ScreenSpec{16392, 9216, 12} << QSize(1366, 768);
}

void LayoutTest::designValuesLandOnScreenPixels()
{
    QFETCH(ScreenSpec, screen);
    QFETCH(QSize, pixels);
    Harness h(true, screen);
    const double px = pixels.width() / 12288.0;
    const double py = pixels.height() / 9216.0;
    // A point of design font is 20/12 pixels on the 1024 x 768 design screen.
    const double fontScale = 20.0 / 12.0 * std::min(pixels.width() / 1024.0, pixels.height() / 768.0);
    for (const Reference& r : references) {
        Placed* c = h->control(QString::fromUtf8(r.name));
        if (dynamic_cast<Shape*>(c))
            continue;  // grown by its border; its rectangle is checked in twips
        const QRect g = c->widget().geometry();
        const auto near = [](int actual, double exact) { return std::abs(actual - exact) <= 0.5 + 1e-6; };
        QVERIFY2(near(g.left(), r.left * px), r.name);
        QVERIFY2(near(g.top(), r.top * py), r.name);
        QVERIFY2(near(g.left() + g.width(), (r.left + r.width) * px), r.name);
        QVERIFY2(near(g.top() + g.height(), (r.top + r.height) * py), r.name);
        if (r.font > 0) {
            // The size asked for is exact; the face may round it to whole pixels.
            const QWidget& w = c->widget();
            const double perPoint = w.logicalDpiY() / 72.0;
            const double exact = r.font * fontScale;
            QVERIFY2(std::abs(w.font().pointSizeF() * perPoint - exact) < 1e-4, r.name);
            QVERIFY2(std::abs(QFontInfo(w.font()).pointSizeF() * perPoint - exact) <= 0.5, r.name);
        }
    }
}

void LayoutTest::sameLayoutInPixelsAtTwelveAndFifteenTwipsPerPixel()
{
    Harness twelve(true, design);
    Harness fifteen(true, design15);
    const Snapshot a = snapshotOf(*twelve);
    const Snapshot b = snapshotOf(*fifteen);
    QVERIFY(a.pixels == b.pixels);
    QVERIFY(a.twips != b.twips);
}

void LayoutTest::everyCaptionFitsItsControl_data()
{
    QTest::addColumn<ScreenSpec>("screen");
    QTest::addColumn<QStringList>("shrunk");  // captions that need a smaller font
    QTest::newRow("640x480") << ScreenSpec{9600, 7200, 15} << QStringList{"Option2(0)", "Option2(2)"};
    QTest::newRow("800x600") << ScreenSpec{12000, 9000, 15} << QStringList{"Option2(0)"};
    QTest::newRow("1024x768") << design15 << QStringList{};
    QTest::newRow("1366x768 at 120 dpi") << ScreenSpec{16392, 9216, 12} << QStringList{};
    QTest::newRow("1920x1080") << fullHd << QStringList{};
}

// Every caption, in the font its widget shows, fits where the style draws it; a font is
// smaller than the layout's only where the caption would not fit otherwise.
void LayoutTest::everyCaptionFitsItsControl()
{
    QFETCH(ScreenSpec, screen);
    QFETCH(QStringList, shrunk);
    Harness h(true, screen);
    QStringList found;
    for (auto it = h->controls().begin(); it != h->controls().end(); ++it) {
        QWidget& w = it.value()->widget();
        QString caption;
        int room = w.width();
        QStyleOptionButton button;
        button.initFrom(&w);
        if (auto* label = qobject_cast<QLabel*>(&w)) {
            caption = label->text();
            room = label->contentsRect().width();
        } else if (auto* option = qobject_cast<QRadioButton*>(&w)) {
            caption = option->text();
            room = w.style()->subElementRect(QStyle::SE_RadioButtonContents, &button, &w).width();
        } else if (auto* command = qobject_cast<QPushButton*>(&w)) {
            caption = command->text();
            room = w.style()->subElementRect(QStyle::SE_PushButtonContents, &button, &w).width();
        } else if (auto* frame = qobject_cast<QGroupBox*>(&w)) {
            QStyleOptionGroupBox box;
            box.initFrom(&w);
            box.text = caption = frame->title();
            box.textAlignment = frame->alignment();
            box.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            room -= 2 * w.style()->subControlRect(QStyle::CC_GroupBox, &box, QStyle::SC_GroupBoxLabel, &w).left();
        }
        if (caption.isEmpty())
            continue;
        const double width = QFontMetricsF(w.font(), &w).horizontalAdvance(caption);
        const double laidOut = it.value()->FontSize() * 20 / screen.twipsPerPixel;
        const double shown = w.font().pointSizeF() * w.logicalDpiY() / 72.0;
        if (width > room)
            found << QStringLiteral("%1: %2 pixels in %3").arg(it.key()).arg(width).arg(room);
        // Which captions need a smaller font depends on the fonts' metrics, which differ
        // between font engines; one more may shrink where its metrics demand it.
        QFont laidOutFont = w.font();
        laidOutFont.setPointSizeF(laidOut * 72.0 / w.logicalDpiY());
        const bool mustShrink = QFontMetricsF(laidOutFont, &w).horizontalAdvance(caption) > room;
        if (std::abs(shown - laidOut) > 1e-4 && !shrunk.contains(it.key()) && !mustShrink)
            found << QStringLiteral("%1 shrunk to %2 of %3 pixels").arg(it.key()).arg(shown).arg(laidOut);
        if (shrunk.contains(it.key()) && !(shown < laidOut && shown > 0.85 * laidOut))
            found << QStringLiteral("%1 at %2 of %3 pixels").arg(it.key()).arg(shown).arg(laidOut);
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

void LayoutTest::resizingOnTheSameScreenChangesNothing()
{
    Harness h(true, sxga);
    showWhole(*h);
    const Snapshot before = snapshotOf(*h);
    const QString caption = h->frmAuswahl1->Caption();
    for (QSize size : {QSize(200, 150), QSize(1280, 1024), QSize(640, 900), QSize(160, 120)}) {
        h->resize(size);
        QTRY_COMPARE(h->size(), size);
        QVERIFY(snapshotOf(*h) == before);
    }
    // A run on its own leaves the window's own size, state and caption alone.
    const QRect frame = h->geometry();
    h->Form_Resize();
    QCOMPARE(h->geometry(), frame);
    QCOMPARE(h->windowState(), Qt::WindowNoState);
    QCOMPARE(h->windowTitle(), QStringLiteral("Simulation"));
    QCOMPARE(h->frmAuswahl1->Caption(), caption);
    QVERIFY(snapshotOf(*h) == before);
}

void LayoutTest::reLayoutKeepsHiddenDoorsAndFramesHidden()
{
    Harness h(true, fullHd);
    showWhole(*h);
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(h->imgTuer[k]->isHidden(), k >= 3);
        QCOMPARE(h->shpMarker[k]->isHidden(), k >= 3);
    }
    h->resize(900, 700);
    h->Form_Resize();
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(h->imgTuer[k]->isHidden(), k >= 3);
        QCOMPARE(h->shpMarker[k]->isHidden(), k >= 3);
        QVERIFY(h->imgWulpe[k]->isHidden());
    }
    for (Frame* frame : h->Frame4)
        QVERIFY(frame->isHidden());
    QVERIFY(h->imgAuto->isHidden());

    // Five doors in the mode "ganzes Spiel": three decision frames on show.
    h->Option2[1]->click();
    h->vscTueren->setValue(5);
    h->Option1[4]->click();
    const Snapshot before = snapshotOf(*h);
    h->resize(1000, 800);
    QTRY_COMPARE(h->size(), QSize(1000, 800));
    h->Form_Resize();
    QVERIFY(snapshotOf(*h) == before);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(h->Frame4[k]->isHidden(), k >= 3);
    for (int k = 0; k < 7; ++k)
        QCOMPARE(h->imgTuer[k]->isHidden(), k >= 5);
    QVERIFY(h->Option1[4]->isChecked());
}

void LayoutTest::figuresGoBackButTheShownCarStaysOnItsDoor()
{
    struct Case { int doors; int carDoor; };
    for (const Case game : {Case{6, 5}, Case{3, 1}, Case{3, 0}, Case{7, 6}}) {
        Harness h(true, design15);
        showWhole(*h);
        // A decided game: the car shown on its door, the figures standing where they
        // walked to.
        openQuiz(h, game.doors, game.carDoor);
        clickUntilDecided(*h, 0);
        Image& door = *h->imgTuer[game.carDoor];
        QVERIFY(!h->imgAuto->isHidden() && door.isHidden());
        h->imgDon->setRect(100, 200, 1092, 972);
        h->imgModerator->setRect(9000, 2000, 972, 972);

        h->resize(800, 600);
        QTRY_COMPARE(h->size(), QSize(800, 600));
        h->Form_Resize();
        const float fx = 1.25f, fy = 1.25f;
        QVERIFY(!h->imgAuto->isHidden());
        QCOMPARE(h->imgAuto->Left(), (480 + 1560 * game.carDoor) * fx);
        QCOMPARE(h->imgAuto->Top(), 480 * fy);
        QCOMPARE(h->imgAuto->Width(), 972 * fx);
        QCOMPARE(h->imgAuto->Height(), 1452 * fy);
        QCOMPARE(h->imgAuto->geometry(), door.geometry());
        QCOMPARE(h->imgAuto->geometry(), h->imgWulpe[game.carDoor]->geometry());
        QCOMPARE(h->imgDon->Left(), 5640 * fx);
        QCOMPARE(h->imgDon->Top(), 2160 * fy);
        QCOMPARE(h->imgModerator->Left(), 6720 * fx);
        QCOMPARE(h->imgModerator->Top(), 2160 * fy);
    }
}

void LayoutTest::hiddenCarGoesBackToItsReferencePlace()
{
    Harness h(true, sxga);
    h->AutoTuer = 1;
    h->imgAuto->setRect(1, 2, 3, 4);
    h->Form_Resize();
    QVERIFY(h->imgAuto->isHidden());
    QCOMPARE(h->imgAuto->Left(), 5160 * 1.5625f);
    QCOMPARE(h->imgAuto->Top(), float(480 * (15360.0 / 9216)));
}

void LayoutTest::anotherScreenLaysTheWindowOutForThatScreen()
{
    auto screen = std::make_unique<MovableScreen>();
    MovableScreen& current = *screen;
    current.metrics = design;
    Wulpe window(Services{std::move(screen), std::make_unique<FakeClock>(),
                          std::make_unique<ScriptedRandom>()});
    window.Form_Load();
    showWhole(window);
    QCOMPARE(window.units().twipsPerPixel, 12.0);
    QCOMPARE(window.cmdEnde->widget().geometry(), QRect(800, 30, 111, 51));

    // The same window on a 1920 x 1080 display at 144 dpi.
    current.metrics = ScreenSpec{19200, 10800, 10};
    emit window.windowHandle()->screenChanged(window.windowHandle()->screen());
    QCOMPARE(window.units().twipsPerPixel, 10.0);
    QCOMPARE(window.FaktorX, 19200.0 / 12288);
    QCOMPARE(window.cmdEnde->widget().geometry().topLeft(), QPoint(1500, 42));
    const QStringList found = differences(window, 19200.0 / 12288, 10800.0 / 9216, 10800.0 / 9216);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

    // Its resolution changes where it stands.
    current.metrics = design;
    emit window.windowHandle()->screen()->logicalDotsPerInchChanged(120);
    QCOMPARE(window.units().twipsPerPixel, 12.0);
    QCOMPARE(window.cmdEnde->widget().geometry(), QRect(800, 30, 111, 51));
}

void LayoutTest::aMaximisedWindowIsLaidOutForTheAreaItIsGiven()
{
    Wulpe window(Services{std::make_unique<SystemScreen>(), std::make_unique<FakeClock>(),
                          std::make_unique<ScriptedRandom>()});
    window.Form_Load();
    const QSize screen = window.screen()->size();
    const double tpp = window.units().twipsPerPixel;
    const auto laidOutFor = [&window, tpp](QSize pixels) {
        return window.FaktorX == pixels.width() * tpp / 12288 && window.FaktorY == pixels.height() * tpp / 9216;
    };
    QVERIFY(laidOutFor(screen));

    // Maximised, the window is laid out for the screen until the desktop gives it its
    // size. A compositor with a panel of 32 pixels gives it less than the screen, and
    // tells Qt nothing of the panel: the window is laid out for what it is given.
    window.setWindowState(Qt::WindowMaximized);
    window.Form_Resize();
    QVERIFY(laidOutFor(screen));
    const QRect given(0, 32, screen.width(), screen.height() - 32);
    window.setGeometry(given);
    window.overrideWindowState(Qt::WindowMaximized);
    window.Form_Resize();
    const QSize frame = window.frameGeometry().size().boundedTo(screen);
    QVERIFY(frame.height() < screen.height());
    QVERIFY(laidOutFor(frame));
    QVERIFY(window.Frame3->geometry().bottom() + window.menuBar()->sizeHint().height() < given.height());

    // Restored, it is laid out for the screen again.
    window.setWindowState(Qt::WindowNoState);
    window.Form_Resize();
    QVERIFY(laidOutFor(screen));
}

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
