#pragma once

#include <string>

#include "play/component.h"
#include "play/platform.h"

class TForm1;

// What of the round-end dialog play changes; it copies whole, like the main window's.
struct TForm2State {
    Component Label1;  // the message
    std::string label2Caption = "Hier klicken, um weiterzumachen...";
    Timer Timer2{20, false};   // the flight
    Timer Timer1{250, false};  // the blink
    bool Visible = false;
    // Thousandths of a pixel per flight step.
    int32 flugx = 0;
    int32 flugy = 0;
};

// The round-end dialog: a message that flies across it like a bouncing ball, then blinks, and a
// wide button that ends the round.
class TForm2 : public TForm2State {
public:
    enum Geometry { ClientWidth = 405, ClientHeight = 251, FlightSteps = 480 };

    TForm2(Platform& platform, TForm1& form1);
    TForm2(const TForm2&) = delete;
    TForm2& operator=(const TForm2&) = delete;

    // Shows the dialog without blocking; becoming visible activates it.
    void Show();
    void setMessage(const std::string& text);

    void FormActivate();
    void Timer2Timer();
    void Timer1Timer();
    void Label2Click();
    // The close box and the system menu close the dialog like the button's close.
    void Close();
    void FormClose();

private:
    Platform& platform;
    TForm1& Form1;
};
