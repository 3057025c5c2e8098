// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one window. It owns every control and every window-level variable of
// the game; its procedures act on them directly, without arguments. The members are
// declared below grouped by the file that defines them, so this header is the map of
// the class: window/ builds the window, board/ the door board and the settings, game/
// the moves, the runner and the statistics, layout/ the scaling.

#include "controls.h"
#include "services.h"
#include "task.h"

#include "game/regeln.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <vector>

class InputHold;
class QAction;
struct DesignControl;
class QScreen;
class QSvgRenderer;

// The game mode, which the selected Option2 button sets; its value is that button's index.
enum class Mode { Quiz = 0, WholeGame = 1, TwentyGames = 2 };

// The statistics boxes by what they show; the value is the index k of Picture1(k).
enum class StatBox { Games = 0, Cars = 1, CarShare = 2, Wulpen = 3, WulpeShare = 4 };

class Wulpe : public QMainWindow {
    Q_OBJECT

public:
    // Window-level game state, read and written by board/ and game/. Door indexes are
    // 0..N-1; counters are 64-bit so that they never overflow in practice.
    std::int64_t AnzahlSpiele = 0;
    std::int64_t AnzahlAutos = 0;
    std::int64_t AnzahlWulpen = 0;
    int AutoTuer = 0;
    int GewaehlteTuer = 0;
    int VorigeTuer = 0;
    int ModeratorTuer = 0;
    int AnzahlWahlen = 0;
    std::int16_t SpielLaeuft = 0;
    int SpieleJeStart = 0;
    int SpielNr = 0;
    int EntscheidungNr = 0;

    // Layout factors of the last run of FensterAnordnen.
    static constexpr std::int16_t EntwurfBreite = 12288;
    static constexpr std::int16_t EntwurfHoehe = 9216;
    double FaktorX = 1.0;
    double FaktorY = 1.0;
    double Faktor = 1.0;

    // The controls, under their names, as window/wulpe.cpp builds them.
    Label* Label3 = nullptr;
    Frame* Frame2 = nullptr;
    Frame* frmAuswahl1 = nullptr;
    Frame* Frame3 = nullptr;

    Label* Label5 = nullptr;
    TextBox* txtTueren = nullptr;
    VScrollBar* vscTueren = nullptr;
    std::array<OptionButton*, 3> Option2{};
    CommandButton* cmdStart = nullptr;
    CommandButton* cmdEnde = nullptr;
    Line* Line1 = nullptr;
    std::array<Frame*, 5> Frame4{};
    std::array<OptionButton*, 15> Option1{};

    std::array<Image*, 7> imgTuer{};
    std::array<Image*, 7> imgWulpe{};
    std::array<Shape*, 7> shpMarker{};
    Image* imgAuto = nullptr;
    Image* imgModerator = nullptr;
    Image* imgDon = nullptr;

    std::array<Label*, 3> Label2{};
    std::array<PictureBox*, 5> Picture1{};
    CommandButton* Command1 = nullptr;
    CommandButton* Command2 = nullptr;
    Label* Label1 = nullptr;
    TextBox* Text1 = nullptr;

    QAction* cmdInfo = nullptr;
    QAction* cmdcopy = nullptr;

    // window/wulpe.cpp: the window built from its design table, and the door states.
    explicit Wulpe(Services services = Services::system(), QWidget* parent = nullptr);
    ~Wulpe() override;
    // A control by its name, array elements as "imgTuer(3)"; null if there is none.
    Placed* control(const QString& name) const;
    const QHash<QString, Placed*>& controls() const { return m_controls; }
    const Units& units() const { return m_units; }
    // The state of door k, as the number in its picture's Tag.
    DoorState Zustand(int door) const;
    // The button of a decision frame that selects the given strategy.
    OptionButton& strategyButton(int decision, Strategy strategy) const;
    // Whether nothing runs and no input waits: no move, no run of games, no box.
    bool idle() const;
    // Runs the event loop until the window is idle, for at most `milliseconds`; whether
    // it is. For what drives the window from outside the event loop: tools and tests.
    bool runUntilIdle(int milliseconds);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setZustand(int door, DoorState state);
    // Tells the pictures of a door what its marker shows: how often it was chosen in
    // this game, or that the decided game ended on it; the car's picture is told when
    // it stands on the door.
    void tellChosen(int door);
    void buildMenu();
    void buildControls();
    Placed* createControl(const DesignControl& row, QWidget* container, const QString& caption);
    QSvgRenderer* picture(const char* path);
    void bindControls();
    void setTabOrder();
    void connectEvents();
    void setClientSize(float widthTwips, float heightTwips);
    template <class T>
    T* find(const char* name, int index = -1) const;

    // window/meldungen.cpp: the menu's information boxes and the quit button. A box
    // waits to be closed; the handler returns to the event loop meanwhile.
public:
    Task cmdInfo_Click();
    Task cmdcopy_Click();
public slots:
    void cmdEnde_Click();
protected:
    // Closing the window ends the program at once, also during a move or under a box.
    void closeEvent(QCloseEvent* event) override;
private:
    // Ends the program: no input is handled any more, a waiting move goes on without
    // its pauses, an open box is closed, and the event loop ends with exit code 0.
    void endProgram();
    void finishEverything();

    // board/einstellungen.cpp: start-up, the two settings and opening a new game.
public:
    // Start-up: lays the window out, builds the board and opens the first game.
    void Form_Load();
    // The mode of the selected Option2 button.
    Mode mode() const;
public slots:
    void vscTueren_Change();
    void Option2_Click(std::int16_t Index);
private:
    void SpielVorbereiten();

    // board/tuerbrett.cpp: the door board for the door count and mode, and its reset.
private:
    void TuerenAufbauen();
    void TuerenZuruecksetzen();

    // game/spielablauf.cpp: the runner. A move returns to the event loop at each of its
    // pauses and goes on from there; the Task tells when it has ended.
public:
    Task cmdStart_Click();
    Task imgTuer_Click(std::int16_t Index);
protected:
    // Keys 1 to 7, on the main keyboard or the number pad, act as clicks on the doors.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
private:
    // The strategy selected in decision frame Frame4(decision).
    Strategy strategyOf(int decision) const;
    Task playGame();

    // game/spielzug.cpp: one move with its walks and pauses.
private:
    Task Spielzug();
    void decideGame();
    Task walk(Image& figure, int door, double pauseAfterStep);
    Task pause(double PauseDauer);
    std::vector<DoorState> doorStates() const;

    // game/statistik.cpp: the counters and their boxes.
public slots:
    void Command1_Click();
private:
    PictureBox& box(StatBox which) const;
    void countGame(bool won);
    void ZaehlerLoeschen();
    void zeroCounters();

    // layout/anordnen.cpp: the layout for the screen, on start-up and every resize.
public slots:
    void Form_Resize();
protected:
    void showEvent(QShowEvent* event) override;
    // A window maximised or restored is laid out for the area it may fill now.
    void changeEvent(QEvent* event) override;
private:
    void FensterAnordnen();
    // Lays the window out again when it moves to another screen or its screen changes.
    void followScreen(QScreen* screen);
    // Lays the window out now, or once the move that holds the input is over, so that no
    // figure jumps in the middle of a walk.
    void layOutWhenFree();

private:
    Services m_services;
    // Holds the user's input while a move or a run of games goes on.
    InputHold* m_hold = nullptr;
    // Wakes the move at the end of its pause.
    Alarm m_alarm;
    // When each door key was last released: the desktop repeats a key held down as a
    // release and a press at the same time, which the toolkit does not always mark.
    std::array<std::uint64_t, 7> m_doorKeyReleased{};
    bool m_layoutWaiting = false;
    Units m_units;
    QHash<QString, Placed*> m_controls;
    QHash<QString, QSvgRenderer*> m_pictures;
    // How often each door was held in the game on the board; the markers show it.
    std::array<int, 7> m_timesHeld{};
    QMetaObject::Connection m_screenResolution;
    QMetaObject::Connection m_screenSize;
};
