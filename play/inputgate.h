#pragma once

#include <array>

#include "play/component.h"
#include "play/mouseinput.h"

class TForm1;
class TForm2;

// The four window timers of the game: the main window's frame tick and countdown, the round-end
// dialog's flight and blink.
enum class GameTimer { FrameTick, Countdown, Flight, Blink };
inline constexpr std::array<GameTimer, 4> GameTimers = {GameTimer::FrameTick, GameTimer::Countdown,
                                                        GameTimer::Flight, GameTimer::Blink};

// The main window's menu commands; the first is the hidden item "Ball an oberen Rand".
enum class MenuCommand { NewBall, Quit, Pause, BuyBall, BuyLevel, Info };
inline constexpr std::array<MenuCommand, 6> MenuCommands = {
    MenuCommand::NewBall, MenuCommand::Quit,     MenuCommand::Pause,
    MenuCommand::BuyBall, MenuCommand::BuyLevel, MenuCommand::Info};

// Which input reaches the rules, and when, as the desktop delivers it. The game's windows and
// every headless player hand their events to the rules through here and nowhere else:
// - a timer fires only while the rules have it enabled;
// - the pointer and the menu reach the main window only while it is enabled;
// - the round-end dialog's button and close box work only while it shows;
// - while a message box is open only timers get through, since the box is modal.
class InputGate {
public:
    InputGate(TForm1& form1, TForm2& form2) : form1(form1), form2(form2) {}

    const Timer& timer(GameTimer timer) const;
    void fire(GameTimer timer);

    // Points are in the main window's client coordinates.
    void move(int32 x, int32 y);
    void press(int32 x, int32 y, MouseButton button);
    void release(int32 x, int32 y, MouseButton button);
    void menu(MenuCommand command);
    // The main window's close box or the desktop's close command.
    void closeMainWindow();

    void dialogButton();
    void dialogCloseBox();

    bool mainWindowTakesInput() const;
    bool dialogTakesInput() const;

    // Held by whoever shows a modal box, for as long as it is open.
    class ModalBox {
    public:
        explicit ModalBox(InputGate& gate) : gate(gate) { ++gate.openBoxes; }
        ~ModalBox() { --gate.openBoxes; }
        ModalBox(const ModalBox&) = delete;
        ModalBox& operator=(const ModalBox&) = delete;

    private:
        InputGate& gate;
    };

private:
    TForm1& form1;
    TForm2& form2;
    int openBoxes = 0;
};
