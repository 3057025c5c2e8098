// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include "accessibility.h"
#include "inputhold.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QtMath>

#include <array>
#include <cmath>

int Units::pixels(double twips) const
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

Placed::Placed(QWidget& self, const Units& units, bool hasFont)
    : m_self(self), m_units(units), m_hasFont(hasFont)
{
}

void Placed::setLeft(float twips)
{
    m_left = twips;
    place();
}

void Placed::setTop(float twips)
{
    m_top = twips;
    place();
}

void Placed::setRect(float left, float top, float width, float height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    place();
}

void Placed::setFontSize(float points)
{
    if (!m_hasFont)
        return;
    m_fontSize = points;
    applyFont();
}

void Placed::setFontFace(const QFont& face)
{
    m_face = face;
    applyFont();
}

QRect Placed::pixelRect() const
{
    // Both edges are rounded, not the width, so neighbouring controls keep their gaps.
    const int left = m_units.pixels(m_left);
    const int top = m_units.pixels(m_top);
    const int right = m_units.pixels(double(m_left) + m_width);
    const int bottom = m_units.pixels(double(m_top) + m_height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Placed::place()
{
    setGeometryIfMoved(m_self, pixelRect());
    applyFont();
}

// Every change of geometry sends events and, on screen, marks the area for painting;
// most placements of a re-layout or a reset land where the control already is. A widget
// never placed still gets its geometry, or Qt would size it to its contents on showing.
void Placed::setGeometryIfMoved(QWidget& widget, const QRect& rect)
{
    if (!widget.testAttribute(Qt::WA_Resized) || rect != widget.geometry())
        widget.setGeometry(rect);
}

void Placed::applyFont()
{
    if (!m_hasFont || m_fontSize <= 0)
        return;
    // Points are physical: the screen's twips per pixel says how many pixels a point has.
    // Qt converts points with its own logical DPI, so hand it the size that gives the
    // same pixels.
    const double pixelsPerPoint = Units::TwipsPerPoint / m_units.twipsPerPixel;
    const double qtPixelsPerPoint = m_self.logicalDpiY() / 72.0;
    QFont font = m_face.value_or(m_self.font());
    font.setPointSizeF(m_fontSize * pixelsPerPoint / qtPixelsPerPoint);
    // The fonts that stand in for the design's are wider than those: a caption that would
    // lose its last letters at the edge is set smaller instead. FontSize() stays the size
    // the layout gave.
    const QString text = m_units.fitCaptions ? caption() : QString();
    if (!text.isEmpty()) {
        const int width = m_self.width();
        if (!m_fitting || m_fitting->caption != text || m_fitting->width != width || m_fitting->font != font)
            m_fitting = Fitting{text, width, font, fittingFont(font, {text}, captionRoom(), &m_self)};
        font = m_fitting->fitted;
    }
    m_self.setFont(font);
}

// A caption set once per game must cost next to nothing: an empty one needs no font of
// its own, and one that already shows in the font fitted for it at this width keeps it.
void Placed::fitCaption()
{
    const QString text = caption();
    if (text.isEmpty() || (m_fitting && m_fitting->caption == text && m_fitting->width == m_self.width()
                           && m_self.font() == m_fitting->fitted))
        return;
    applyFont();
}

QFont fittingFont(const QFont& font, const QStringList& lines, int room, const QPaintDevice* device)
{
    const auto widest = [&lines, device](const QFont& candidate) {
        const QFontMetricsF metrics(candidate, device);
        qreal width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return width;
    };
    const qreal width = widest(font);
    if (room <= 0 || width <= room)
        return font;
    // Glyphs are drawn at whole pixels, so the smaller font has a whole number of pixels:
    // scaled by the ratio of widths and rounded down, or a pixel less where hinting still
    // makes it too wide. Captions fitted alike share one font.
    const qreal pixelsPerPoint = device->logicalDpiY() / 72.0;
    QFont fitting = font;
    for (int pixels = int(font.pointSizeF() * pixelsPerPoint * room / width); pixels >= 1; --pixels) {
        fitting.setPointSizeF(pixels / pixelsPerPoint);
        if (widest(fitting) <= room)
            break;
    }
    return fitting;
}

Label::Label(const Units& units, QWidget* parent)
    : QLabel(parent), Placed(*this, units, true)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

Frame::Frame(const Units& units, QWidget* parent)
    : QGroupBox(parent), Placed(*this, units, true)
{
}

void Frame::setCaption(const QString& caption)
{
    const bool changed = caption != title();
    setTitle(caption);
    fitCaption();
    if (changed)
        announceChange(*this);
}

// The styles draw the border of a frame without a caption at its top edge, and one with
// a caption lower, below or through the caption: an empty caption is drawn as a space.
// Some styles also ask the frame itself for its caption, so the style is not told which
// widget it draws.
void Frame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (option.text.isEmpty()) {
        option.text = QStringLiteral(" ");
        option.subControls |= QStyle::SC_GroupBoxLabel;
    }
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
}

// The style places the caption at a margin from the frame's left edge; the same margin
// is kept free on the right.
int Frame::captionRoom() const
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    const int around = label.width() - qCeil(option.fontMetrics.horizontalAdvance(option.text));
    return width() - 2 * label.left() - std::max(0, around);
}

CommandButton::CommandButton(const Units& units, QWidget* parent)
    : QPushButton(parent), Placed(*this, units, true)
{
    // Far shorter than a person notices, and far longer than between a repeat's release
    // and its press, which the desktop sends together.
    m_letGo.setInterval(30);
    m_letGo.setSingleShot(true);
    connect(&m_letGo, &QTimer::timeout, this, &CommandButton::letGo);
}

// The button's width less what the style adds around a caption: its margins and frame.
int CommandButton::captionRoom() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();  // a style may give a captioned button a least width
    return width() - style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), this).width();
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if (m_release && event->key() == m_release->key() && event->timestamp() == m_release->timestamp()) {
        m_letGo.stop();
        m_release.reset();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent* event)
{
    const bool clicks = event->key() == Qt::Key_Space || event->key() == Qt::Key_Select;
    if (clicks && !event->isAutoRepeat() && isDown() && !m_release) {
        m_release.reset(event->clone());
        m_letGo.start();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

// Let go, the key clicks the button in its turn among the input.
void CommandButton::letGo()
{
    std::function<void()> click = [button = QPointer<CommandButton>(this),
                                    release = std::shared_ptr<QKeyEvent>(std::move(m_release))] {
        if (button)
            button->QPushButton::keyReleaseEvent(release.get());
    };
    if (InputHold* hold = InputHold::of(*this))
        hold->enqueue(std::move(click));
    else
        click();
}

OptionButton::OptionButton(const Units& units, QWidget* parent)
    : QRadioButton(parent), Placed(*this, units, true)
{
}

// The button's width less the style's indicator and the spacing beside it.
int OptionButton::captionRoom() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return width() - style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this)
        - style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
}

TextBox::TextBox(const Units& units, QWidget* parent)
    : QLineEdit(parent), Placed(*this, units, true)
{
}

// The text box's own menu opens and returns at once, without an event loop of its own
// that would run inside a handler.
void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

VScrollBar::VScrollBar(const Units& units, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent), Placed(*this, units, false)
{
    setFocusPolicy(Qt::StrongFocus);
}

// The styles draw no focus on a scroll bar: the bar gets the frame that marks the focus
// on the other controls, and shows it from the start, as a text box does, so that the
// keys' first user sees what they change.
void VScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.backgroundColor = palette().color(QPalette::Window);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void VScrollBar::setLargestOnTop()
{
    setInvertedAppearance(true);
    setTracking(false);
    // A scroll bar's keys and wheel normally move towards its smallest value at the top;
    // here the top holds the largest, so Up, Page Up and the wheel turned up must add.
    setInvertedControls(false);
    // The arrow buttons and the trough do not follow the inverted appearance: turn the
    // steps that a mouse button makes round, so a press moves the thumb towards it.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (!m_mouseDown)
            return;
        if (action == SliderSingleStepAdd || action == SliderPageStepAdd)
            setSliderPosition(value() - (action == SliderSingleStepAdd ? singleStep() : pageStep()));
        else if (action == SliderSingleStepSub || action == SliderPageStepSub)
            setSliderPosition(value() + (action == SliderSingleStepSub ? singleStep() : pageStep()));
    });
}

void VScrollBar::mousePressEvent(QMouseEvent* event)
{
    m_mouseDown = true;
    QScrollBar::mousePressEvent(event);
}

void VScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    m_mouseDown = event->buttons() != Qt::NoButton;
}

PictureBox::PictureBox(const Units& units, QWidget* parent)
    : QFrame(parent), Placed(*this, units, true)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Midlight));
    setPalette(pal);
}

// What is printed is the box's name to a screen reader: a change is announced.
void PictureBox::Cls()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    update();
    announceChange(*this);
}

void PictureBox::Print(const QString& line)
{
    m_lines.append(line);
    update();
    announceChange(*this);
}

QFont PictureBox::fittingFont(int width) const
{
    // A count that has outgrown its box would lose its last digits at the edge and be
    // read as a wrong number: such a text is printed smaller, just small enough to fit.
    return ::fittingFont(font(), m_lines, width, this);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect inside = contentsRect();
    painter.setFont(fittingFont(inside.width()));
    const QFontMetrics metrics(painter.font());
    int baseline = inside.top() + metrics.ascent();
    for (const QString& line : m_lines) {
        painter.drawText(inside.left(), baseline, line);
        baseline += metrics.lineSpacing();
    }
}

Image::Image(const Units& units, QWidget* parent)
    : QWidget(parent), Placed(*this, units, false)
{
}

void Image::setPicture(PictureSource source)
{
    m_source = std::move(source);
    m_picture = nullptr;
    update();
}

QSvgRenderer* Image::picture() const
{
    if (!m_picture && m_source)
        m_picture = m_source();
    return m_picture;
}

void Image::setTag(const QString& tag)
{
    m_tag = tag;
    m_tagNumber = tag.toInt();
}

// Shown or hidden, a picture of a door speaks for it or keeps its plain name.
void Image::setVisible(bool visible)
{
    const bool hidden = isHidden();
    QWidget::setVisible(visible);
    if (hidden != isHidden())
        announceChange(*this);
}

void Image::setSpeech(const DoorSpeech& speech)
{
    if (speech == m_speech)
        return;
    m_speech = speech;
    if (!isHidden())
        announceChange(*this);
}

// Drawing a picture from its vector description costs milliseconds, and a move paints
// the board forty times: each picture is drawn once per size into a pixmap that every
// image of that picture and size shares.
void Image::paintEvent(QPaintEvent*)
{
    QSvgRenderer* const picture = this->picture();
    if (!picture || width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const QString key = QStringLiteral("wulpe-picture:%1:%2x%3")
                            .arg(quintptr(picture))
                            .arg(pixels.width())
                            .arg(pixels.height());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(pixels);
        pixmap.fill(Qt::transparent);
        QPainter drawing(&pixmap);
        drawing.setRenderHint(QPainter::Antialiasing);
        picture->render(&drawing, QRectF(QPointF(0, 0), QSizeF(pixels)));
        drawing.end();
        QPixmapCache::insert(key, pixmap);
    }
    pixmap.setDevicePixelRatio(ratio);
    QPainter(this).drawPixmap(0, 0, pixmap);
}

void Image::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void Image::mouseDoubleClickEvent(QMouseEvent*)
{
    m_pressed = false;
}

void Image::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the left button on the picture.
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit Click();
}

Shape::Shape(const Units& units, QWidget* parent)
    : QWidget(parent), Placed(*this, units, false)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderWidth(int pixels)
{
    if (pixels == m_borderWidth)
        return;
    m_borderWidth = pixels;
    place();
    update();
}

void Shape::setBorderColor(const QColor& color)
{
    if (color == m_borderColor)
        return;
    m_borderColor = color;
    update();
}

// Room for the half of the border that lies outside the rectangle. Up to the widest
// border a game draws the room stays the same, so a marker that thickens is only
// painted again, not moved and resized.
int Shape::margin() const
{
    return std::max(m_borderWidth, Marker::DecidedWidth) / 2 + 1;
}

void Shape::place()
{
    // The border is centred on the rectangle's edge, so half of a thick border lies
    // outside it: the widget is grown by that much on every side.
    const int m = margin();
    setGeometryIfMoved(*this, pixelRect().adjusted(-m, -m, m, m));
}

void Shape::paintEvent(QPaintEvent*)
{
    const int m = margin();
    const QRect edge = rect().adjusted(m, m, -m, -m);
    QPainter painter(this);
    if (m_borderWidth <= 1) {
        painter.setPen(QPen(m_borderColor, 1));
        painter.drawRect(edge.adjusted(0, 0, -1, -1));
        return;
    }
    QPen pen(m_borderColor, m_borderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(edge));
}

Line::Line(const Units& units, QWidget* parent)
    : QWidget(parent), Placed(*this, units, false)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setEnds(float x1, float y1, float x2, float y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    place();
}

void Line::setBorderColor(const QColor& color)
{
    m_color = color;
    update();
}

void Line::place()
{
    const Units& u = units();
    const int left = u.pixels(std::min(m_x1, m_x2));
    const int top = u.pixels(std::min(m_y1, m_y2));
    const int right = u.pixels(std::max(m_x1, m_x2));
    const int bottom = u.pixels(std::max(m_y1, m_y2));
    setGeometry(left, top, right - left + 1, bottom - top + 1);
}

void Line::paintEvent(QPaintEvent*)
{
    const Units& u = units();
    const QPoint origin = geometry().topLeft();
    const QPoint a = QPoint(u.pixels(m_x1), u.pixels(m_y1)) - origin;
    const QPoint b = QPoint(u.pixels(m_x2), u.pixels(m_y2)) - origin;
    QPainter painter(this);
    painter.setPen(QPen(m_color, 1));
    painter.drawLine(a, b);
}

QString elementName(const char* name, int index)
{
    const QString base = QString::fromUtf8(name);
    return index < 0 ? base : QStringLiteral("%1(%2)").arg(base).arg(index);
}

QColor paletteColor(int index)
{
    static constexpr std::array<QRgb, 16> colors = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    return QColor(colors.at(static_cast<std::size_t>(index)));
}
