#include "play/form2.h"

#include "play/form1.h"

namespace {

enum Flight { StartFlugx = 3000, StartFlugy = 250, FallPerStep = 750, Milli = 1000 };

}  // namespace

TForm2::TForm2(Platform& platform, TForm1& form1) : platform(platform), Form1(form1) {
    Label1.Name = "Label1";
    Label1.Left = 10;
    Label1.Top = 10;
    setMessage("Game over !");
}

void TForm2::setMessage(const std::string& text) {
    Label1.Caption = text;
    const TextExtent extent = platform.measureText(TextStyle::Message, text);
    Label1.Width = extent.Width;
    Label1.Height = extent.Height;
}

void TForm2::Show() {
    if (Visible) {
        return;
    }
    Visible = true;
    platform.showWindow(Window::Form2);
    FormActivate();
}

void TForm2::FormActivate() {
    Form1.setCaption(Form1.Label1, "Level <>");
    Form1.setCaption(Form1.Label2, "<> Bälle");
    Form1.setCaption(Form1.Label3, "");
    Form1.setCaption(Form1.Label5, "");
    Form1.setEnabled(false);
    label2Caption = "Bitte hier klicken";
    flugx = StartFlugx;
    flugy = StartFlugy;
    Form1.durchgang = 0;
    Label1.Top = 1;
    Label1.Left = 1;
    Label1.Visible = true;
    Timer2.Enabled = true;
}

void TForm2::Timer2Timer() {
    Form1.durchgang = add32(Form1.durchgang, 1);
    flugy = add32(flugy, FallPerStep);
    Label1.Top = add32(Label1.Top, flugy / Milli);
    Label1.Left = add32(Label1.Left, flugx / Milli);
    // The turn does not move the message back inside: it may stand past an edge for a while.
    if (Label1.Top < 0 || std::int64_t{Label1.Top} + Label1.Height >= ClientHeight) {
        flugy = neg32(flugy);
    }
    if (Label1.Left < 0 || std::int64_t{Label1.Left} + Label1.Width >= ClientWidth) {
        flugx = neg32(flugx);
    }
    if (Form1.durchgang == FlightSteps) {
        Timer1.Enabled = true;
        Timer2.Enabled = false;
        Form1.durchgang = 0;
    }
}

void TForm2::Timer1Timer() {
    Label1.Visible = !Label1.Visible;
}

void TForm2::Label2Click() {
    Close();
    Form1.setEnabled(true);
}

void TForm2::Close() {
    FormClose();
    Visible = false;
    platform.hideWindow(Window::Form2);
}

void TForm2::FormClose() {
    Form1.Label4.Visible = true;
    Form1.fanger.Top = TForm1::ParkedPaddleTop;
    Form1.levelnr = sub32(Form1.levelnr, 1);
    if (Form1.baelle != 0) {
        Form1.setEnabled(true);
        return;
    }
    Form1.startOver(
        "Sie können jetzt noch einmal mit Level 1 beginnen, wenn Sie wollen. Viel Spaß!");
    // The displays announce the level the next start lays out, not the level number itself.
    Form1.ShowBalls();
    Form1.setCaption(Form1.Label1, "Level 1");
    Form1.ShowPoints();
    Form1.setCaption(Form1.Label5, "");
    Form1.setEnabled(true);
}
