#include "designer/editor/keyboardedits.h"

namespace {

enum Steps { Fine = 1, Coarse = 10 };

struct KeyBinding {
    int key;
    Qt::KeyboardModifiers modifiers;
    KeyEdit edit;
};

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

// The arrows move the element, with Ctrl they size it: right and down make it wider and higher.
constexpr KeyBinding Bindings[] = {
    {Qt::Key_Tab, None, {KeyAction::SelectNext}},
    {Qt::Key_Backtab, Shift, {KeyAction::SelectPrevious}},
    {Qt::Key_Space, None, {KeyAction::ToggleVisible}},
    {Qt::Key_Left, None, {KeyAction::Move, -Fine, 0}},
    {Qt::Key_Right, None, {KeyAction::Move, Fine, 0}},
    {Qt::Key_Up, None, {KeyAction::Move, 0, -Fine}},
    {Qt::Key_Down, None, {KeyAction::Move, 0, Fine}},
    {Qt::Key_Left, Shift, {KeyAction::Move, -Coarse, 0}},
    {Qt::Key_Right, Shift, {KeyAction::Move, Coarse, 0}},
    {Qt::Key_Up, Shift, {KeyAction::Move, 0, -Coarse}},
    {Qt::Key_Down, Shift, {KeyAction::Move, 0, Coarse}},
    {Qt::Key_Left, Ctrl, {KeyAction::Resize, -Fine, 0}},
    {Qt::Key_Right, Ctrl, {KeyAction::Resize, Fine, 0}},
    {Qt::Key_Up, Ctrl, {KeyAction::Resize, 0, -Fine}},
    {Qt::Key_Down, Ctrl, {KeyAction::Resize, 0, Fine}},
    {Qt::Key_Left, CtrlShift, {KeyAction::Resize, -Coarse, 0}},
    {Qt::Key_Right, CtrlShift, {KeyAction::Resize, Coarse, 0}},
    {Qt::Key_Up, CtrlShift, {KeyAction::Resize, 0, -Coarse}},
    {Qt::Key_Down, CtrlShift, {KeyAction::Resize, 0, Coarse}},
};

}  // namespace

std::optional<KeyEdit> keyEdit(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & CtrlShift;
    for (const KeyBinding& binding : Bindings) {
        if (binding.key == key && binding.modifiers == held) {
            return binding.edit;
        }
    }
    return std::nullopt;
}
