#include "play/inputgate.h"

#include <iterator>

#include "play/form1.h"
#include "play/form2.h"

const Timer& InputGate::timer(GameTimer timer) const {
    switch (timer) {
        case GameTimer::FrameTick:
            return form1.Timer1;
        case GameTimer::Countdown:
            return form1.Timer2;
        case GameTimer::Flight:
            return form2.Timer2;
        case GameTimer::Blink:
            break;
    }
    return form2.Timer1;
}

void InputGate::fire(GameTimer which) {
    if (!timer(which).Enabled) {
        return;
    }
    switch (which) {
        case GameTimer::FrameTick:
            form1.Timer1Timer();
            break;
        case GameTimer::Countdown:
            form1.Timer2Timer();
            break;
        case GameTimer::Flight:
            form2.Timer2Timer();
            break;
        case GameTimer::Blink:
            form2.Timer1Timer();
            break;
    }
}

bool InputGate::mainWindowTakesInput() const {
    return form1.Enabled && openBoxes == 0;
}

bool InputGate::dialogTakesInput() const {
    return form2.Visible && openBoxes == 0;
}

void InputGate::move(int32 x, int32 y) {
    if (mainWindowTakesInput()) {
        form1.Mouse.move(x, y);
    }
}

void InputGate::press(int32 x, int32 y, MouseButton button) {
    if (mainWindowTakesInput()) {
        form1.Mouse.press(x, y, button);
    }
}

void InputGate::release(int32 x, int32 y, MouseButton button) {
    if (mainWindowTakesInput()) {
        form1.Mouse.release(x, y, button);
    }
}

void InputGate::menu(MenuCommand command) {
    // The handler of each item, in the order of the commands.
    constexpr void (TForm1::*Handlers[])() = {
        &TForm1::Neu1Click,
        &TForm1::Beenden,
        &TForm1::Button1Click,
        &TForm1::N1Ballkaufenkostet5000Punkte1Click,
        &TForm1::N1Levelkaufenkostet20000Punkte1Click,
        &TForm1::Info1Click,
    };
    static_assert(std::size(Handlers) == MenuCommands.size());
    if (mainWindowTakesInput()) {
        (form1.*Handlers[static_cast<std::size_t>(command)])();
    }
}

void InputGate::closeMainWindow() {
    if (mainWindowTakesInput()) {
        form1.Beenden();
    }
}

void InputGate::dialogButton() {
    if (dialogTakesInput()) {
        form2.Label2Click();
    }
}

void InputGate::dialogCloseBox() {
    if (dialogTakesInput()) {
        form2.Close();
    }
}
