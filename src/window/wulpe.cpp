// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "wulpe.h"

#include "accessibility.h"
#include "entwurf.h"
#include "inputhold.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QDeadlineTimer>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QPainter>
#include <QMenuBar>
#include <QSvgRenderer>

#include <algorithm>
#include <map>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

// The family asked for a font of the design. Windows keeps the design's sans-serif font
// as a bitmap font, drawn from pictures at a few sizes only and coarse at all others; the
// TrueType face that succeeded it has its metrics, so that captions fit as designed, and
// is part of every Windows.
QString familyOf(const char* designFont)
{
#ifdef Q_OS_WIN
    if (std::string_view(designFont) == SansSerif)
        return QStringLiteral("Microsoft Sans Serif");
#endif
    return QString::fromUtf8(designFont);
}

void registerFontSubstitutes()
{
    // The design's fonts are not on every desktop; these look alike and are free.
    QFont::insertSubstitutions(familyOf(SansSerif),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QString::fromUtf8(Serif),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

// The program's icon, drawn from its picture at the sizes an X11 desktop is handed when
// it shows the window. Read as an icon file it would go through Qt's image plugins, whose
// loading takes longer than building the whole window.
QIcon pictureIcon(const QString& path)
{
    QSvgRenderer renderer(path);
    QIcon icon;
    for (const int size : {16, 32, 64, 128}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

// What a screen reader says for a control of the row: its spoken name, with an array
// element's door number, or else its caption.
QString spokenName(const DesignControl& row, int index, const QString& caption)
{
    if (!row.spoken)
        return caption;
    const QString spoken = QString::fromUtf8(row.spoken);
    return spoken.contains(u"%1") ? spoken.arg(index + 1) : spoken;
}

} // namespace

Wulpe::Wulpe(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_hold(new InputHold(*this)),
      m_alarm(*m_services.clock)
{
    registerFontSubstitutes();
    installAccessibility();
    m_services.screen->follow(*this);
    m_units.twipsPerPixel = m_services.screen->twipsPerPixel();
    setObjectName(QStringLiteral("Wulpe"));
    setWindowTitle(QStringLiteral("Simulation"));
    // Newer Qt releases name a window to screen readers only once it is on show.
    setAccessibleName(windowTitle());
    setWindowIcon(pictureIcon(QStringLiteral(":/assets/icon.svg")));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    QFont windowFont(familyOf(SansSerif));
    windowFont.setPointSizeF(WindowFontSize);
    setFont(windowFont);

    buildMenu();
    buildControls();
    bindControls();
    setTabOrder();
    connectEvents();
    setClientSize(ClientWidth, ClientHeight);
}

// A move that still waits ends first, while everything it works on is there.
Wulpe::~Wulpe()
{
    finishEverything();
}

bool Wulpe::idle() const
{
    return !m_hold->waiting();
}

// An event dispatcher may hand out the event that ends the move (Windows' delivers posted
// events, zero-length timers among them, first) and then wait for further events, which
// need never come. So the loop is woken whenever it is about to wait while the window is
// idle, and once more at the limit, so that a move that never ends comes back here too.
bool Wulpe::runUntilIdle(int milliseconds)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const QMetaObject::Connection idleWakes =
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this, dispatcher] {
            if (idle())
                dispatcher->wakeUp();
        });
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(milliseconds);
    const QDeadlineTimer deadline(milliseconds);
    while (!idle() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    disconnect(idleWakes);
    return idle();
}

Placed* Wulpe::control(const QString& name) const
{
    return m_controls.value(name, nullptr);
}

template <class T>
T* Wulpe::find(const char* name, int index) const
{
    return dynamic_cast<T*>(control(elementName(name, index)));
}

DoorState Wulpe::Zustand(int door) const
{
    return static_cast<DoorState>(imgTuer.at(static_cast<std::size_t>(door))->TagNumber());
}

void Wulpe::setZustand(int door, DoorState state)
{
    static const QString texts[] = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
    imgTuer.at(static_cast<std::size_t>(door))->setTag(texts[static_cast<int>(state)]);
}

OptionButton& Wulpe::strategyButton(int decision, Strategy strategy) const
{
    return *Option1.at(static_cast<std::size_t>(3 * decision + static_cast<int>(strategy)));
}

void Wulpe::tellChosen(int door)
{
    const bool endedOn = SpielLaeuft == 0 && AnzahlWahlen == vscTueren->value() - 1 && door == GewaehlteTuer;
    const int chosen = endedOn ? DoorSpeech::EndedOn : m_timesHeld.at(static_cast<std::size_t>(door));
    imgTuer[door]->setSpeech({DoorSpeech::Closed, door, chosen});
    imgWulpe[door]->setSpeech({DoorSpeech::Wulpe, door, chosen});
    if (door == AutoTuer)
        imgAuto->setSpeech({DoorSpeech::Car, door, chosen});
}

void Wulpe::buildMenu()
{
    cmdInfo = menuBar()->addAction(QStringLiteral("Erläuterung"));
    cmdInfo->setObjectName(QStringLiteral("cmdInfo"));
    cmdcopy = menuBar()->addAction(QStringLiteral("copyright"));
    cmdcopy->setObjectName(QStringLiteral("cmdcopy"));
}

// A control of the row's kind, with its caption or picture where it has one.
Placed* Wulpe::createControl(const DesignControl& row, QWidget* container, const QString& caption)
{
    const auto captioned = [&](auto* control) {
        control->setText(caption);
        return control;
    };
    switch (row.kind) {
    case Kind::Label: return captioned(new Label(m_units, container));
    case Kind::CommandButton: return captioned(new CommandButton(m_units, container));
    case Kind::OptionButton: return captioned(new OptionButton(m_units, container));
    case Kind::TextBox: return captioned(new TextBox(m_units, container));
    case Kind::Frame: return new Frame(m_units, container);
    case Kind::VScrollBar: return new VScrollBar(m_units, container);
    case Kind::PictureBox: return new PictureBox(m_units, container);
    case Kind::Shape: return new Shape(m_units, container);
    case Kind::Line: return new Line(m_units, container);
    case Kind::Image: {
        auto* image = new Image(m_units, container);
        // Each picture is parsed when an image first needs it: the Wulpe and the car are
        // not on show when the window opens.
        image->setPicture([this, path = row.picture] { return picture(path); });
        return image;
    }
    }
    return nullptr;
}

// One renderer for each picture, made when an image first needs it and shared by every
// image that shows it.
QSvgRenderer* Wulpe::picture(const char* path)
{
    QSvgRenderer*& renderer = m_pictures[QString::fromUtf8(path)];
    if (!renderer)
        renderer = new QSvgRenderer(QString::fromUtf8(path), this);
    return renderer;
}

void Wulpe::buildControls()
{
    for (const DesignControl& row : designControls) {
        for (int n = 0; n < row.count; ++n) {
            const int index = row.index < 0 ? -1 : row.index + n;
            const QString name = elementName(row.name, index);
            QWidget* container = centralWidget();
            if (row.container)
                container = &control(elementName(row.container, row.containerIndex))->widget();

            const QString caption = QString::fromUtf8(row.caption);
            Placed* placed = createControl(row, container, caption);

            QWidget& w = placed->widget();
            w.setObjectName(name);
            w.setProperty("TabIndex", row.tab);
            w.setAccessibleName(spokenName(row, index, caption));
            if (placed->hasFont()) {
                QFont font(familyOf(row.font ? row.font : SansSerif));
                font.setItalic(row.italic);
                font.setWeight(QFont::Normal);
                placed->setFontFace(font);
            }
            if (row.kind == Kind::Line)
                static_cast<Line*>(placed)->setEnds(row.left, row.top, row.width, row.height);
            else
                placed->setRect(row.left + row.leftStep * float(n), row.top, row.width, row.height);
            placed->setFontSize(row.fontSize > 0 ? row.fontSize : WindowFontSize);
            // A frame measures its caption in its font: captioned after the font is set,
            // it loads no font that it never shows.
            if (auto* frame = dynamic_cast<Frame*>(placed))
                frame->setCaption(caption);
            m_controls.insert(name, placed);
        }
    }
}

void Wulpe::bindControls()
{
    Label3 = find<Label>("Label3");
    Frame2 = find<Frame>("Frame2");
    frmAuswahl1 = find<Frame>("frmAuswahl1");
    Frame3 = find<Frame>("Frame3");
    Label5 = find<Label>("Label5");
    txtTueren = find<TextBox>("txtTueren");
    vscTueren = find<VScrollBar>("vscTueren");
    cmdStart = find<CommandButton>("cmdStart");
    cmdEnde = find<CommandButton>("cmdEnde");
    Line1 = find<Line>("Line1");
    imgAuto = find<Image>("imgAuto");
    imgModerator = find<Image>("imgModerator");
    imgDon = find<Image>("imgDon");
    Command1 = find<CommandButton>("Command1");
    Command2 = find<CommandButton>("Command2");
    Label1 = find<Label>("Label1");
    Text1 = find<TextBox>("Text1");
    const auto bind = [this](auto& array, const char* name) {
        using Control = std::remove_pointer_t<typename std::decay_t<decltype(array)>::value_type>;
        for (std::size_t k = 0; k < array.size(); ++k)
            array[k] = find<Control>(name, int(k));
    };
    bind(Option2, "Option2");
    bind(Label2, "Label2");
    bind(Frame4, "Frame4");
    bind(Picture1, "Picture1");
    bind(Option1, "Option1");
    bind(imgTuer, "imgTuer");
    bind(imgWulpe, "imgWulpe");
    bind(shpMarker, "shpMarker");

    // Option buttons form one group per direct container. Qt's own grouping also counts
    // the buttons of the frames inside a container, so a click on the selected mode
    // cleared it while a decision frame held a selected button.
    std::vector<OptionButton*> optionButtons(Option2.begin(), Option2.end());
    optionButtons.insert(optionButtons.end(), Option1.begin(), Option1.end());
    std::map<QWidget*, QButtonGroup*> groups;
    for (OptionButton* button : optionButtons) {
        QButtonGroup*& group = groups[button->parentWidget()];
        if (!group)
            group = new QButtonGroup(this);
        group->addButton(button);
    }
    // Tab stops at the selected button of a group, in that button's place, and the arrow
    // keys move the selection within the group: a click still focuses any button.
    for (const auto& entry : groups) {
        QButtonGroup* group = entry.second;
        connect(group, &QButtonGroup::buttonToggled, this, [group] {
            for (QAbstractButton* button : group->buttons())
                button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }

    // Initial states that are not rectangles, captions or fonts.
    txtTueren->setAlignment(Qt::AlignCenter);
    Text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    vscTueren->setRange(3, 7);
    vscTueren->setSingleStep(1);
    vscTueren->setPageStep(1);
    vscTueren->setValue(3);
    vscTueren->setLargestOnTop();
    Option2[static_cast<std::size_t>(Mode::Quiz)]->setChecked(true);
    for (int decision = 0; decision < int(Frame4.size()); ++decision)
        strategyButton(decision, Strategy::NewDoor).setChecked(true);
    for (int door = 0; door < int(imgTuer.size()); ++door) {
        setZustand(door, DoorState::Free);
        tellChosen(door);
    }
    for (Shape* marker : shpMarker)
        marker->setBorderColor(paletteColor(Palette::Red));
    Line1->setBorderColor(palette().color(QPalette::Midlight));

    // A control that lies below its frame's lower edge is clipped away at every scale and
    // never seen: hidden, neither Tab nor a screen reader lands on it.
    for (Placed* placed : std::as_const(m_controls)) {
        const auto* container = dynamic_cast<const Placed*>(placed->widget().parentWidget());
        if (container && placed->Top() >= container->Height())
            placed->widget().hide();
    }
}

void Wulpe::setTabOrder()
{
    std::vector<QWidget*> chain;
    for (Placed* placed : std::as_const(m_controls)) {
        QWidget& w = placed->widget();
        if (w.focusPolicy() != Qt::NoFocus && w.property("TabIndex").toInt() >= 0)
            chain.push_back(&w);
    }
    std::sort(chain.begin(), chain.end(), [](QWidget* a, QWidget* b) {
        return a->property("TabIndex").toInt() < b->property("TabIndex").toInt();
    });
    for (std::size_t k = 1; k < chain.size(); ++k)
        QWidget::setTabOrder(chain[k - 1], chain[k]);
    // The focus starts on the door count's scroll bar, the first control that leaves the
    // keys 1 to 7 to the doors: the text box before it would take them as text.
    vscTueren->setFocus(Qt::OtherFocusReason);
}

void Wulpe::connectEvents()
{
    connect(cmdStart, &QPushButton::clicked, this, &Wulpe::cmdStart_Click);
    connect(cmdEnde, &QPushButton::clicked, this, &Wulpe::cmdEnde_Click);
    connect(Command1, &QPushButton::clicked, this, &Wulpe::Command1_Click);
    connect(vscTueren, &QScrollBar::valueChanged, this, &Wulpe::vscTueren_Change);
    // A menu entry, chosen with the mouse or pressed by a screen reader, waits its turn
    // among the input: never inside a move, never under a box.
    connect(cmdInfo, &QAction::triggered, this, [this] { m_hold->enqueue([this] { cmdInfo_Click(); }); });
    connect(cmdcopy, &QAction::triggered, this, [this] { m_hold->enqueue([this] { cmdcopy_Click(); }); });
    for (std::int16_t k = 0; k < std::int16_t(imgTuer.size()); ++k)
        connect(imgTuer[k], &Image::Click, this, [this, k] { imgTuer_Click(k); });
    for (std::int16_t k = 0; k < std::int16_t(Option2.size()); ++k) {
        connect(Option2[k], &QRadioButton::toggled, this, [this, k](bool selected) {
            if (selected)
                Option2_Click(k);
        });
    }
}

void Wulpe::setClientSize(float widthTwips, float heightTwips)
{
    // The window's layout gives the menu bar its height for the window's width, which
    // includes the line that some styles (Windows') leave below the bar; its size hint
    // leaves that line out.
    const int width = m_units.pixels(widthTwips);
    menuBar()->ensurePolished();
    const int forWidth = menuBar()->heightForWidth(width);
    const int menuHeight = forWidth >= 0 ? forWidth : menuBar()->sizeHint().height();
    resize(width, m_units.pixels(heightTwips) + menuHeight);
}

void Wulpe::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layOutWhenFree();
}
