#include "play/form1.h"

#include <charconv>

#include "play/form2.h"

namespace {

constexpr MoveHandler Steers = MoveHandler::FangerMouseMove;
constexpr MoveHandler Still = MoveHandler::None;

Component picture(const char* name, int32 left, int32 top, int32 width, int32 height, bool visible,
                  MoveHandler onMove) {
    Component c;
    c.Name = name;
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
    c.Visible = visible;
    c.OnMouseMove = onMove;
    return c;
}

Component text(const char* name, int32 left, int32 top, const char* caption) {
    Component c = picture(name, left, top, 0, 0, true, Still);
    c.Caption = caption;
    return c;
}

// The start values are fixed texts, so the strict conversion cannot fail in use.
int32 startValue(const std::string& text) {
    int32 value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

const std::array<Component TForm1::*, 34> TForm1::StackingOrder = {
    &TForm1::Image1,  &TForm1::Shape1,   &TForm1::Hinder2,  &TForm1::hinder8, &TForm1::hinder11,
    &TForm1::dig11,   &TForm1::dig6,     &TForm1::dig8,     &TForm1::dig1,    &TForm1::dig9,
    &TForm1::dig2,    &TForm1::dig10,    &TForm1::dig4,     &TForm1::dig3,    &TForm1::dig5,
    &TForm1::dig7,    &TForm1::hinder1,  &TForm1::Hinder3,  &TForm1::Hinder4, &TForm1::hinder5,
    &TForm1::hinder6, &TForm1::hinder13, &TForm1::hinder10, &TForm1::hinder9, &TForm1::hinder12,
    &TForm1::ball,    &TForm1::hinder7,  &TForm1::fanger,   &TForm1::Image2,  &TForm1::Label2,
    &TForm1::Label1,  &TForm1::Label3,   &TForm1::Label5,   &TForm1::Label4,
};

TForm1::TForm1(Platform& platform, TForm2& form2, LevelFileOpener openLevelFile)
    : Image1(picture("Image1", -63, -64, 701, 501, true, Steers)),
      Shape1(picture("Shape1", -10, 410, 641, 31, true, Still)),
      Hinder2(picture("Hinder2", 80, 90, 201, 30, false, Steers)),
      hinder8(picture("hinder8", 130, 170, 211, 30, false, Steers)),
      hinder11(picture("hinder11", 130, 320, 211, 30, false, Steers)),
      dig11(picture("dig11", 296, 177, 49, 60, true, Still)),
      dig6(picture("dig6", 130, 120, 39, 40, false, Steers)),
      dig8(picture("dig8", 90, 40, 39, 40, false, Steers)),
      dig1(picture("dig1", 130, 40, 39, 40, false, Steers)),
      dig9(picture("dig9", 570, 180, 39, 40, false, Steers)),
      dig2(picture("dig2", 570, 140, 39, 40, false, Steers)),
      dig10(picture("dig10", 290, 240, 39, 40, false, Steers)),
      dig4(picture("dig4", 130, 204, 39, 40, false, Steers)),
      dig3(picture("dig3", 90, 120, 39, 40, false, Steers)),
      dig5(picture("dig5", 90, 204, 39, 40, false, Steers)),
      dig7(picture("dig7", 290, 80, 39, 40, false, Steers)),
      hinder1(picture("hinder1", 80, 250, 201, 30, false, Steers)),
      Hinder3(picture("Hinder3", 520, 40, 30, 341, false, Steers)),
      Hinder4(picture("Hinder4", 400, 40, 30, 341, false, Steers)),
      hinder5(picture("hinder5", 370, 380, 91, 30, false, Steers)),
      hinder6(picture("hinder6", 430, 60, 91, 30, false, Steers)),
      hinder13(picture("hinder13", 460, 90, 30, 351, false, Steers)),
      hinder10(picture("hinder10", 520, 380, 30, 51, false, Steers)),
      hinder9(picture("hinder9", 50, 40, 30, 311, false, Steers)),
      hinder12(picture("hinder12", 340, 90, 30, 351, false, Steers)),
      ball(picture("ball", 2, 40, 24, 24, true, Steers)),
      hinder7(picture("hinder7", 280, 360, 100, 30, true, MoveHandler::Hinder7MouseMove)),
      fanger(picture("fanger", 40, 404, 211, 30, true, Steers)),
      Image2(picture("Image2", 0, -1, 641, 39, true, Steers)),
      Label2(text("Label2", 170, 9, "<> Bälle")),
      Label1(text("Label1", 47, 9, "Level <>")),
      Label3(text("Label3", 510, 9, "000000")),
      Label5(text("Label5", 300, 9, "")),
      Label4(picture("Label4", 0, 38, 632, 436, true, MoveHandler::Label4MouseMove)),
      platform(platform),
      Form2(form2),
      openLevelFile(std::move(openLevelFile)) {
    // A disabled paddle lets the mouse through to whatever lies beneath it.
    fanger.Enabled = false;
    Label4.Caption = "Klicken zum Starten...";
    for (Component* label : {&Label1, &Label2, &Label3, &Label5}) {
        setCaption(*label, label->Caption);
    }
}

void TForm1::setEnabled(bool enabled) {
    Enabled = enabled;
    if (!enabled) {
        Mouse.endCapture();
    }
    platform.setWindowEnabled(Window::Form1, enabled);
}

void TForm1::setCaption(Component& label, const std::string& text) {
    label.Caption = text;
    const TextExtent extent = platform.measureText(TextStyle::Hud, text);
    label.Width = extent.Width;
    label.Height = extent.Height;
}

void TForm1::FormCreate() {
    levelini = openLevelFile();
    if (levelini->section("1").readInteger("hinder1.left", 0) == 0) {
        halt = true;
        platform.showMessage(
            "Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in Ihr Windows-Verzeichnis.");
        platform.requestQuit();
    }
    fanger.Top = ParkedPaddleTop;
    teiler = 1500;
    halt = true;
    putBallAtStart();
}

void TForm1::putBallAtStart() {
    bewx = startValue(bewxedit);
    posx = startValue(posxedit);
    posy = startValue(posyedit);
    bewy = startValue(bewyedit);
    ball.Top = div32(posy, teiler);
    ball.Left = div32(posx, teiler);
    durchgang = 0;
}

void TForm1::Neu1Click() {
    teiler = 1500;
    halt = false;
    putBallAtStart();
    ShowBalls();
    ShowLevel();
    ShowPoints();
    Timer1.Enabled = true;
}

void TForm1::ShowBalls() {
    setCaption(Label2, baelle == 1 ? "1 Ball" : std::to_string(baelle) + " Bälle");
}

void TForm1::ShowLevel() {
    setCaption(Label1, "Level " + std::to_string(levelnr));
}

void TForm1::ShowPoints() {
    // The six digits come from a cascade of overwrites; the last test that holds wins, and a
    // million or more leaves the old text standing.
    const std::string digits = std::to_string(punkte);
    std::optional<std::string> shown;
    if (punkte < 1000000)
        shown = digits;
    if (punkte < 100000)
        shown = "0" + digits;
    if (punkte < 10000)
        shown = "00" + digits;
    if (punkte < 1000)
        shown = "000" + digits;
    if (punkte < 100)
        shown = "0000" + digits;
    if (punkte < 10)
        shown = "00000" + digits;
    if (punkte < 1)
        shown = "00000" + digits;
    if (punkte < 0)
        shown = "000000";
    if (shown) {
        setCaption(Label3, *shown);
    }
}
