// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The control layer: every control keeps its position, size and font size in the
// program's own units (single-precision twips and points). Pixels exist only at the
// edge, when a control is put on the screen.

#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QSvgRenderer;

// How many twips one screen pixel stands for; one value shared by all controls of a window.
struct Units {
    static constexpr double TwipsPerPoint = 20;
    static constexpr double TwipsPerInch = 1440;
    double twipsPerPixel = 15.0;
    // Whether captions are fitted to their controls: from the first layout on. The sizes
    // a window is created with are replaced before it is shown, so fitting those would
    // only load fonts that are never drawn.
    bool fitCaptions = false;
    int pixels(double twips) const;
};

// Twips geometry and point font size shared by every kind of control.
class Placed {
public:
    virtual ~Placed() = default;
    Placed(const Placed&) = delete;
    Placed& operator=(const Placed&) = delete;

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    float FontSize() const { return m_fontSize; }

    void setLeft(float twips);
    void setTop(float twips);
    void setRect(float left, float top, float width, float height);
    void setFontSize(float points);
    bool hasFont() const { return m_hasFont; }
    // Family, style and weight of the control's font, given together with the first
    // font size, so that the widget gets one font instead of one per property.
    void setFontFace(const QFont& face);

    // Puts the control on the screen again, e.g. after the twips-per-pixel value changed.
    virtual void place();

    QWidget& widget() { return m_self; }
    const QWidget& widget() const { return m_self; }

protected:
    Placed(QWidget& self, const Units& units, bool hasFont);
    const Units& units() const { return m_units; }
    QRect pixelRect() const;
    static void setGeometryIfMoved(QWidget& widget, const QRect& rect);

    // The caption that must fit the control, and the pixels of its width that the caption
    // may take, as the style draws the control; an empty caption is never fitted.
    virtual QString caption() const { return {}; }
    virtual int captionRoom() const { return m_self.width(); }
    // Gives the widget its font again: the laid-out size, or a smaller one where the
    // caption would not fit its room.
    void applyFont();
    // The same after the caption changed, where it can change what fits.
    void fitCaption();

private:
    // The last fitting: a control of the same width, caption and font fits the same way
    // without measuring again.
    struct Fitting {
        QString caption;
        int width = 0;
        QFont font, fitted;
    };

    QWidget& m_self;
    const Units& m_units;
    bool m_hasFont;
    std::optional<QFont> m_face;
    std::optional<Fitting> m_fitting;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    float m_fontSize = 0;
};

class Label : public QLabel, public Placed {
public:
    Label(const Units& units, QWidget* parent);

protected:
    QString caption() const override { return text(); }
    int captionRoom() const override { return contentsRect().width(); }
};

// A frame keeps the room of its caption when the caption is empty: its border stays where
// it is while a caption comes and goes.
class Frame : public QGroupBox, public Placed {
public:
    Frame(const Units& units, QWidget* parent);
    QString Caption() const { return title(); }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    QString caption() const override { return title(); }
    int captionRoom() const override;
};

// A key held down on the button clicks it once, also where the desktop's repeats come
// unmarked, as a release and a press at one time.
class CommandButton : public QPushButton, public Placed {
public:
    CommandButton(const Units& units, QWidget* parent);

protected:
    QString caption() const override { return text(); }
    int captionRoom() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // A key held down repeats as a release and a press at one time, which the desktop
    // does not always mark as a repeat. The button clicks when the key is let go: a
    // release waits a moment for a press at its time, which makes it a repeat.
    void letGo();
    std::unique_ptr<QKeyEvent> m_release;
    QTimer m_letGo;
};

class OptionButton : public QRadioButton, public Placed {
public:
    OptionButton(const Units& units, QWidget* parent);
    bool Value() const { return isChecked(); }

protected:
    QString caption() const override { return text(); }
    int captionRoom() const override;
};

class TextBox : public QLineEdit, public Placed {
public:
    TextBox(const Units& units, QWidget* parent);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// A scroll bar that Tab reaches and a click focuses, so that the keys change its value
// as its arrows do; it shows when it has the focus.
class VScrollBar : public QScrollBar, public Placed {
public:
    VScrollBar(const Units& units, QWidget* parent);
    // Puts the largest value at the top, with the upper arrow (and the Up key) adding one.
    // A dragged thumb changes the value once, where it is released.
    void setLargestOnTop();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Whether the steps come from a mouse button held on the bar, as its own events
    // tell, not as the pointer's buttons stand when the steps are handled.
    bool m_mouseDown = false;
};

// A box that can be cleared and printed into. It keeps what was printed, so the text
// survives every repaint of the window.
class PictureBox : public QFrame, public Placed {
public:
    PictureBox(const Units& units, QWidget* parent);
    void Cls();
    void Print(const QString& line);
    QString text() const { return m_lines.join(QLatin1Char('\n')); }
    // The box's font, or a smaller one where the printed text would not fit `width` pixels.
    QFont fittingFont(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_lines;
};

// What a picture of the door board shows of its door, which a screen reader says while
// the picture is on show: "Tür 2: geschlossen, einmal gewählt".
struct DoorSpeech {
    enum Shows { Nothing, Closed, Wulpe, Car };
    // The door a decided game ended on: ", zuletzt gewählt".
    static constexpr int EndedOn = -1;
    Shows shows = Nothing;
    int door = -1;
    int chosen = 0;  // how often the door was held in this game, or EndedOn
    bool operator==(const DoorSpeech&) const = default;
};

// A picture stretched to the control's rectangle, with a Tag text and a click event.
class Image : public QWidget, public Placed {
    Q_OBJECT
public:
    Image(const Units& units, QWidget* parent);
    // The picture comes from its source when it is first drawn or asked for: pictures not
    // on show when the window opens are not parsed before they are.
    using PictureSource = std::function<QSvgRenderer*()>;
    void setPicture(PictureSource source);
    QSvgRenderer* picture() const;
    QString Tag() const { return m_tag; }
    void setTag(const QString& tag);
    // The Tag's text as a whole number (0 for a text that is none), read as often as the
    // door draws test door states, so it is converted once, when the text is set.
    int TagNumber() const { return m_tagNumber; }
    void setVisible(bool visible) override;
    // What the picture says while on show, as the window tells it; a change on show is
    // announced.
    const DoorSpeech& speech() const { return m_speech; }
    void setSpeech(const DoorSpeech& speech);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double-click is no new click: a door acts once either way.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PictureSource m_source;
    mutable QSvgRenderer* m_picture = nullptr;
    QString m_tag;
    int m_tagNumber = 0;
    bool m_pressed = false;
    DoorSpeech m_speech;
};

// The classic 16-colour palette, by its usual index, and the indexes the program names.
QColor paletteColor(int index);
namespace Palette {
inline constexpr int DarkBlue = 1;
inline constexpr int Red = 12;
} // namespace Palette

// The marker around a door: thin and dark blue at rest, two pixels wider each time its
// door is held, thick and bright red on the door a decided game ends on.
namespace Marker {
inline constexpr int RestWidth = 1;
inline constexpr int WidthPerChoice = 2;
inline constexpr int DecidedWidth = 15;
inline constexpr int RestColor = Palette::DarkBlue;
inline constexpr int DecidedColor = Palette::Red;
} // namespace Marker

// An unfilled rectangle whose border is centred on its edge, as a marker around a door.
// It never takes a click: a click inside it reaches whatever lies below.
class Shape : public QWidget, public Placed {
public:
    Shape(const Units& units, QWidget* parent);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int pixels);
    QColor BorderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color);
    void place() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int margin() const;
    int m_borderWidth = Marker::RestWidth;
    QColor m_borderColor = Qt::black;
};

// A straight line between two points in twips.
class Line : public QWidget, public Placed {
public:
    Line(const Units& units, QWidget* parent);
    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }
    float X2() const { return m_x2; }
    float Y2() const { return m_y2; }
    void setEnds(float x1, float y1, float x2, float y2);
    QColor BorderColor() const { return m_color; }
    void setBorderColor(const QColor& color);
    void place() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QColor m_color = Qt::black;
};

// The font, or a smaller one of its face where the widest of the lines would not fit
// `room` pixels of the device: just small enough to fit.
QFont fittingFont(const QFont& font, const QStringList& lines, int room, const QPaintDevice* device);

// A control's name: "imgTuer(3)" for element 3 of an array, the plain name for index -1.
QString elementName(const char* name, int index = -1);
