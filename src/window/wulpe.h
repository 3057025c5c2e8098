#pragma once

// The program's one window. It owns every control and every window-level variable of
// the game; its procedures act on them directly, without arguments. Each member is
// defined in the folder of its subsystem: window/, board/, game/ and layout/.

#include "controls.h"
#include "services.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <vector>

class QAction;
struct DesignControl;
enum class Picture;
class QScreen;
class QSvgRenderer;

class Wulpe : public QMainWindow {
    Q_OBJECT

public:
    explicit Wulpe(Services services = Services::system(), QWidget* parent = nullptr);
    ~Wulpe() override;

    // Start-up: lays the window out, builds the board and opens the first game.
    void Form_Load();

    // A control by its name, array elements as "imgTuer(3)"; null if there is none.
    Placed* control(const QString& name) const;
    const QHash<QString, Placed*>& controls() const { return m_controls; }

    // The state of door k as a number: 0 closed and free, 1 held during a move, 2 opened.
    int Zustand(int door) const;

    const Units& units() const { return m_units; }

    // Window-level game state. Door indexes are 0..N-1; counters are 64-bit so that
    // they never overflow in practice.
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

    // The controls, under their names.
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

public slots:
    void Form_Resize();
    void cmdStart_Click();
    void cmdEnde_Click();
    void Command1_Click();
    void imgTuer_Click(std::int16_t Index);
    void Option2_Click(std::int16_t Index);
    void vscTueren_Change();
    void cmdInfo_Click();
    void cmdcopy_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Private procedures of the window.
    void TuerenAufbauen();
    void TuerenZuruecksetzen();
    void SpielVorbereiten();
    void Spielzug();
    void ZaehlerLoeschen();
    void FensterAnordnen();

    void setZustand(int door, int state);

    // Lays the window out again when it moves to another screen or its screen changes.
    void followScreen(QScreen* screen);

    // Helpers of the move, the runner and the statistics.
    std::vector<int> doorStates() const;
    void pause(double PauseDauer);
    void walk(Image& figure, int door, double pauseAfterStep);
    void decideGame();
    void playGame();
    void countGame(bool won);

    // Building the window from its design table.
    void buildControls();
    Placed* createControl(const DesignControl& row, QWidget* container, const QString& caption);
    void bindControls();
    void buildMenu();
    void connectEvents();
    void setTabOrder();
    void setClientSize(float widthTwips, float heightTwips);

    template <class T>
    T* find(const char* name, int index = -1) const;
    QSvgRenderer* picture(Picture picture);

    Services m_services;
    Units m_units;
    QHash<QString, Placed*> m_controls;
    std::array<QSvgRenderer*, 5> m_pictures{};
    QMetaObject::Connection m_screenResolution;
    QMetaObject::Connection m_screenSize;
};
