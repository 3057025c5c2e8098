// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "controls.h"
#include "inputhold.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <algorithm>
#include <array>

namespace {

// Runs what a screen reader asked for in its place among the user's input: from the
// event loop, after whatever came before it, and never inside a move or under a message
// box. The control may be gone by then.
template <class Control, class Action>
void afterWaitingInput(Control& control, Action action)
{
    if (InputHold* hold = InputHold::of(control)) {
        hold->enqueue([target = QPointer<Control>(&control), action = std::move(action)] {
            if (target)
                action(*target);
        });
    }
}

// The actions every focusable control offers, taking the focus in turn.
QStringList focusActions(const QWidget& control)
{
    return control.focusPolicy() != Qt::NoFocus ? QStringList{QAccessibleActionInterface::setFocusAction()}
                                                : QStringList{};
}

void focusAction(QWidget& control, const QString& action)
{
    if (action != QAccessibleActionInterface::setFocusAction() || control.focusPolicy() == Qt::NoFocus)
        return;
    afterWaitingInput(control, [](QWidget& target) {
        if (target.isEnabled())
            target.setFocus(Qt::OtherFocusReason);
    });
}

// How often the door was chosen in this game, or that the player ended on it.
QString choiceSpoken(int chosen)
{
    if (chosen == DoorSpeech::EndedOn)
        return QStringLiteral(", zuletzt gewählt");
    if (chosen <= 0)
        return {};
    static const std::array<const char*, 6> times = {"einmal", "zweimal", "dreimal",
                                                     "viermal", "fünfmal", "sechsmal"};
    const QString count = chosen <= int(times.size()) ? QString::fromUtf8(times[std::size_t(chosen) - 1])
                                                      : QStringLiteral("%1-mal").arg(chosen);
    return QStringLiteral(", %1 gewählt").arg(count);
}

// The pictures of the door board: doors are buttons, everything else a graphic.
class BoardPicture : public QAccessibleWidget {
public:
    explicit BoardPicture(Image* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    QAccessible::Role role() const override
    {
        return isDoor() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        const DoorSpeech& speech = image().speech();
        // A door is also pressed by the key of its number.
        if (t == QAccessible::Description && isDoor())
            return QStringLiteral("Taste %1").arg(speech.door + 1);
        // Of the pictures of one slot, only the one on show speaks for the door; the
        // hidden ones keep their plain names for whoever lists them all.
        if (t != QAccessible::Name || widget()->isHidden() || speech.door < 0)
            return QAccessibleWidget::text(t);
        static const std::array<QString, 4> shown = {QString(), QStringLiteral("geschlossen"),
                                                     QStringLiteral("geöffnet, eine Wulpe"),
                                                     QStringLiteral("das Auto")};
        return QStringLiteral("Tür %1: %2%3").arg(speech.door + 1).arg(shown[speech.shows], choiceSpoken(speech.chosen));
    }

    // Only a closed door on show can be pressed. A press is queued whatever the door's
    // state: input held before it may bring the door into play, and the game asks again
    // when the press comes to be handled.
    QStringList actionNames() const override
    {
        return isDoor() && !widget()->isHidden() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& action) override
    {
        if (isDoor() && action == pressAction())
            afterWaitingInput(image(), [](Image& door) { emit door.Click(); });
    }

private:
    Image& image() const { return *static_cast<Image*>(widget()); }
    bool isDoor() const { return image().speech().shows == DoorSpeech::Closed; }
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
        afterWaitingInput(bar(), [count = value.toInt()](QScrollBar& target) { target.setValue(count); });
    }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + focusActions(*widget());
    }

    void doAction(const QString& action) override
    {
        if (action == increaseAction() || action == decreaseAction()) {
            const int step = action == increaseAction() ? 1 : -1;
            afterWaitingInput(bar(), [step](QScrollBar& target) {
                target.setValue(target.value() + step * target.singleStep());
            });
            return;
        }
        focusAction(*widget(), action);
    }

private:
    QScrollBar& bar() const { return *static_cast<QScrollBar*>(widget()); }
};

// A control's text, read as it stands; a text without a cursor or a selection unless
// the control has them.
class ReadText : public QAccessibleTextInterface {
public:
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = whole();
        startOffset = std::clamp(startOffset, 0, int(all.size()));
        endOffset = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, startOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(whole().size()); }
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

protected:
    virtual QString whole() const = 0;
};

// A statistics box: static text whose name carries what is printed in it.
class PrintBox : public QAccessibleWidget, public ReadText {
public:
    explicit PrintBox(PictureBox* box) : QAccessibleWidget(box, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const QString base = QAccessibleWidget::text(t);
        const QString shown = whole().simplified();
        if (t == QAccessible::Value)
            return shown;
        if (t != QAccessible::Name || shown.isEmpty())
            return base;
        return base.isEmpty() ? shown : QStringLiteral("%1: %2").arg(base, shown);
    }
    using ReadText::text;

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

private:
    // The printed text as it stands, blanks included.
    QString whole() const override { return static_cast<PictureBox*>(widget())->text(); }
};

// A text box: its text is read at once; what a screen reader types, deletes or moves in
// it waits like keys.
class TextField : public QAccessibleWidget, public ReadText, public QAccessibleEditableTextInterface {
public:
    explicit TextField(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? whole() : QAccessibleWidget::text(t);
    }
    using ReadText::text;

    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Value)
            later([text](QLineEdit& box) { box.setText(text); });
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box().isReadOnly();
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QStringList actionNames() const override { return focusActions(*widget()); }
    void doAction(const QString& action) override { focusAction(*widget(), action); }

    void selection(int index, int* startOffset, int* endOffset) const override
    {
        const bool selected = index == 0 && box().hasSelectedText();
        *startOffset = selected ? box().selectionStart() : 0;
        *endOffset = selected ? box().selectionEnd() : 0;
    }
    int selectionCount() const override { return box().hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { later([](QLineEdit& box) { box.deselect(); }); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        later([startOffset, endOffset](QLineEdit& box) { box.setSelection(startOffset, endOffset - startOffset); });
    }
    int cursorPosition() const override { return box().cursorPosition(); }
    void setCursorPosition(int position) override
    {
        later([position](QLineEdit& box) { box.setCursorPosition(position); });
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        later([startOffset, endOffset, text](QLineEdit& box) {
            QString now = box.text();
            const int start = std::clamp(startOffset, 0, int(now.size()));
            box.setText(now.replace(start, std::clamp(endOffset, start, int(now.size())) - start, text));
        });
    }

private:
    QLineEdit& box() const { return *static_cast<QLineEdit*>(widget()); }
    QString whole() const override { return box().text(); }
    template <class Action>
    void later(Action action) { afterWaitingInput(box(), std::move(action)); }
};

// A frame speaks its caption. A frame that also has a name of its own, like the door
// board whose caption is the prompt, speaks both.
class CaptionedFrame : public QAccessibleWidget {
public:
    explicit CaptionedFrame(Frame* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = static_cast<Frame*>(widget())->Caption();
        const QString own = widget()->accessibleName();
        if (own.isEmpty() || own == caption)
            return caption;
        return caption.isEmpty() ? own : QStringLiteral("%1: %2").arg(own, caption);
    }
};

// A command button is pressed, an option button selected; either takes the focus.
class Button : public QAccessibleWidget {
public:
    explicit Button(QAbstractButton* button)
        : QAccessibleWidget(button, button->isCheckable() ? QAccessible::RadioButton : QAccessible::Button)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const QAbstractButton& b = button();
        state.checkable = b.isCheckable();
        state.checked = b.isChecked();
        state.pressed = b.isDown();
        if (const auto* push = qobject_cast<const QPushButton*>(&b))
            state.defaultButton = push->isDefault();
        return state;
    }

    QStringList actionNames() const override
    {
        if (!widget()->isEnabled())
            return {};
        return QStringList{button().isCheckable() ? toggleAction() : pressAction()} + focusActions(*widget());
    }

    void doAction(const QString& action) override
    {
        if (!widget()->isEnabled())
            return;
        // An option button pressed is selected, as by a click.
        if (action == pressAction())
            afterWaitingInput(button(), [](QAbstractButton& target) { target.click(); });
        else if (action == toggleAction() && button().isCheckable())
            afterWaitingInput(button(), [](QAbstractButton& target) { target.toggle(); });
        else
            focusAction(*widget(), action);
    }

private:
    QAbstractButton& button() const { return *static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* controlInterface(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (auto* button = dynamic_cast<CommandButton*>(widget))
        return new Button(button);
    if (auto* button = dynamic_cast<OptionButton*>(widget))
        return new Button(button);
    if (auto* image = dynamic_cast<Image*>(widget))
        return new BoardPicture(image);
    if (auto* box = dynamic_cast<PictureBox*>(widget))
        return new PrintBox(box);
    if (auto* box = dynamic_cast<TextBox*>(widget))
        return new TextField(box);
    if (auto* frame = dynamic_cast<Frame*>(widget))
        return new CaptionedFrame(frame);
    if (auto* bar = dynamic_cast<VScrollBar*>(widget))
        return new DoorCount(bar);
    if (dynamic_cast<Shape*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (dynamic_cast<Line*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    return nullptr;
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

void announceChange(QWidget& control)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(&control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
