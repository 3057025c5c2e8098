// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "controls.h"
#include "inputhold.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

namespace {

// Runs what a screen reader asked for from the event loop, behind the user's input that
// waits for a move to end.
void afterWaitingInput(QWidget& control, std::function<void()> action)
{
    if (InputHold* hold = InputHold::of(control))
        hold->enqueue(std::move(action));
    else
        QMetaObject::invokeMethod(&control, std::move(action), Qt::QueuedConnection);
}

// The index k of a control named "name(k)", or -1.
int indexIn(const QWidget& control, QStringView name)
{
    const QString objectName = control.objectName();
    if (!objectName.startsWith(name) || !objectName.endsWith(u')')
        || objectName.size() < name.size() + 3 || objectName.at(name.size()) != u'(')
        return -1;
    bool ok = false;
    const QStringView digits = QStringView(objectName).sliced(name.size() + 1).chopped(1);
    const int index = digits.toInt(&ok);
    return ok ? index : -1;
}

QWidget* boardChild(const QWidget& board, const char* name, int index)
{
    return board.findChild<QWidget*>(elementName(name, index), Qt::FindDirectChildrenOnly);
}

// The window's answers for each door board it has registered.
QHash<const QWidget*, std::function<BoardFacts()>>& boardFacts()
{
    static QHash<const QWidget*, std::function<BoardFacts()>> facts;
    return facts;
}

BoardFacts factsOf(const QWidget& board)
{
    const auto facts = boardFacts().value(&board);
    return facts ? facts() : BoardFacts{};
}

// How often the door was chosen in this game, or that the player ended on it.
QString choiceSpoken(const BoardFacts& facts, int door)
{
    if (door == facts.decidedOn)
        return QStringLiteral(", zuletzt gewählt");
    const int held = door < int(facts.timesHeld.size()) ? facts.timesHeld[std::size_t(door)] : 0;
    if (held <= 0)
        return {};
    static const std::array<const char*, 6> times = {"einmal", "zweimal", "dreimal",
                                                     "viermal", "fünfmal", "sechsmal"};
    const QString count = held <= int(times.size()) ? QString::fromUtf8(times[std::size_t(held) - 1])
                                                    : QStringLiteral("%1-mal").arg(held);
    return QStringLiteral(", %1 gewählt").arg(count);
}

// Keeps what it said last, so that it speaks up only when that changes.
class SpeakingWidget : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    virtual void refresh()
    {
        const QString name = text(QAccessible::Name);
        const bool heardBefore = m_spoken.has_value();
        if (heardBefore && *m_spoken == name)
            return;
        m_spoken = name;
        if (!heardBefore)
            return;
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }

private:
    std::optional<QString> m_spoken;
};

// The pictures of the door board: doors are buttons, everything else a graphic.
class BoardPicture : public SpeakingWidget {
public:
    explicit BoardPicture(Image* image) : SpeakingWidget(image, QAccessible::Graphic) {}

    QAccessible::Role role() const override
    {
        return isDoor() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        // A door is also pressed by the key of its number.
        if (t == QAccessible::Description && isDoor())
            return QStringLiteral("Taste %1").arg(slot() + 1);
        // Of the pictures of one slot, only the one on show speaks for the door; the
        // hidden ones keep their plain names for whoever lists them all.
        if (t != QAccessible::Name || !widget()->parentWidget() || widget()->isHidden())
            return SpeakingWidget::text(t);
        const int door = slot();
        if (door < 0)
            return SpeakingWidget::text(t);
        const QString state = spokenDoorState(*widget()->parentWidget(), door);
        return QStringLiteral("Tür %1: %2").arg(door + 1).arg(state);
    }

    QStringList actionNames() const override
    {
        return isDoor() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& action) override
    {
        // Queued like a click of the mouse, behind whatever input waits, so that a move
        // with its pauses does not hold up the assistive technology that asked for it.
        if (isDoor() && action == pressAction())
            afterWaitingInput(*widget(), [door = QPointer<Image>(static_cast<Image*>(widget()))] {
                if (door)
                    emit door->Click();
            });
    }

private:
    bool isDoor() const { return indexIn(*widget(), u"imgTuer") >= 0; }

    int slot() const
    {
        if (const int door = indexIn(*widget(), u"imgTuer"); door >= 0)
            return door;
        if (const int wulpe = indexIn(*widget(), u"imgWulpe"); wulpe >= 0)
            return wulpe;
        if (widget()->objectName() == u"imgAuto")
            return factsOf(*widget()->parentWidget()).carDoor;
        return -1;
    }
};

// The door count: a value a screen reader may set. Set during a move, it waits like a
// turn of the mouse wheel would, so the game never sees its door count change under it.
class DoorCount : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DoorCount(VScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? QString::number(bar().value()) : QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar().value(); }
    QVariant maximumValue() const override { return bar().maximum(); }
    QVariant minimumValue() const override { return bar().minimum(); }
    QVariant minimumStepSize() const override { return bar().singleStep(); }
    void setCurrentValue(const QVariant& value) override
    {
        afterWaitingInput(*widget(), [target = QPointer<QScrollBar>(&bar()), count = value.toInt()] {
            if (target)
                target->setValue(count);
        });
    }

private:
    QScrollBar& bar() const { return *static_cast<QScrollBar*>(widget()); }
};

// A statistics box: static text whose name carries what is printed in it.
class PrintBox : public SpeakingWidget, public QAccessibleTextInterface {
public:
    explicit PrintBox(PictureBox* box) : SpeakingWidget(box, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const QString base = SpeakingWidget::text(t);
        const QString shown = printed().simplified();
        if (t == QAccessible::Value)
            return shown;
        if (t != QAccessible::Name || shown.isEmpty())
            return base;
        return base.isEmpty() ? shown : QStringLiteral("%1: %2").arg(base, shown);
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return SpeakingWidget::interface_cast(t);
    }

    void refresh() override
    {
        SpeakingWidget::refresh();
        const QString now = printed();
        if (now == m_text)
            return;
        QAccessibleTextUpdateEvent event(this, 0, m_text, now);
        m_text = now;
        QAccessible::updateAccessibility(&event);
    }

    // The printed text as it stands, blanks included; read-only, without a cursor.
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = printed();
        startOffset = std::clamp(startOffset, 0, int(all.size()));
        endOffset = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, startOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(printed().size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString printed() const { return static_cast<PictureBox*>(widget())->text(); }
    QString m_text;
};

// A frame speaks its caption. A frame that also has a name of its own, like the door
// board whose caption is the prompt, speaks both.
class CaptionedFrame : public SpeakingWidget {
public:
    explicit CaptionedFrame(Frame* frame) : SpeakingWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return SpeakingWidget::text(t);
        const QString caption = static_cast<Frame*>(widget())->Caption();
        const QString own = widget()->accessibleName();
        if (own.isEmpty() || own == caption)
            return caption;
        return caption.isEmpty() ? own : QStringLiteral("%1: %2").arg(own, caption);
    }
};

QAccessibleInterface* controlInterface(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (auto* image = dynamic_cast<Image*>(widget))
        return new BoardPicture(image);
    if (auto* box = dynamic_cast<PictureBox*>(widget))
        return new PrintBox(box);
    if (auto* frame = dynamic_cast<Frame*>(widget))
        return new CaptionedFrame(frame);
    if (auto* bar = dynamic_cast<VScrollBar*>(widget))
        return new DoorCount(bar);
    if (dynamic_cast<Shape*>(widget))
        return new SpeakingWidget(widget, QAccessible::Graphic);
    if (dynamic_cast<Line*>(widget))
        return new SpeakingWidget(widget, QAccessible::Separator);
    return nullptr;
}

void refresh(QObject* object)
{
    if (auto* speaking = dynamic_cast<SpeakingWidget*>(QAccessible::queryAccessibleInterface(object)))
        speaking->refresh();
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}

void setBoardFacts(QWidget& board, std::function<BoardFacts()> facts)
{
    boardFacts().insert(&board, std::move(facts));
    QObject::connect(&board, &QObject::destroyed, [key = &board] { boardFacts().remove(key); });
}

void announceChange(QWidget& control)
{
    if (!QAccessible::isActive())
        return;
    // What a door says depends on its neighbours on the board (its Wulpe, its marker,
    // the car), so a change of any board picture or marker is news for all of them.
    QWidget* board = control.parentWidget();
    if (board && (dynamic_cast<Image*>(&control) || dynamic_cast<Shape*>(&control))) {
        for (QObject* child : board->children())
            refresh(child);
        return;
    }
    refresh(&control);
}

QString spokenDoorState(const QWidget& board, int door)
{
    const QWidget* picture = boardChild(board, "imgTuer", door);
    if (!picture)
        return {};
    const QWidget* wulpe = boardChild(board, "imgWulpe", door);
    const BoardFacts facts = factsOf(board);
    QString state;
    if (facts.carDoor == door)
        state = QStringLiteral("das Auto");
    else if (!picture->isHidden())
        state = QStringLiteral("geschlossen");
    else if (wulpe && !wulpe->isHidden())
        state = QStringLiteral("geöffnet, eine Wulpe");
    else
        state = QStringLiteral("nicht im Spiel");
    return state + choiceSpoken(facts, door);
}
