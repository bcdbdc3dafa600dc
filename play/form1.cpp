#include "play/form1.h"

#include <charconv>
#include <string_view>

#include "play/elements.h"
#include "play/form2.h"
#include "play/rules.h"

namespace {

// The start values are fixed texts, so the strict conversion cannot fail in use.
int32 startValue(const std::string& text) {
    int32 value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

TForm1::TForm1(Platform& platform, TForm2& form2, LevelFileOpener openLevelFile)
    : platform(platform), Form2(form2), openLevelFile(std::move(openLevelFile)) {
    for (const Element& element : Elements) {
        Component& c = this->*element.member;
        c.Name = element.name;
        c.Left = element.created.Left;
        c.Top = element.created.Top;
        c.Width = element.created.Width;
        c.Height = element.created.Height;
        c.Visible = element.visible;
        c.OnMouseMove = moveHandlerOf(element.role);
        c.Caption = element.caption;
    }
    // A disabled paddle lets the mouse through to whatever lies beneath it.
    fanger.Enabled = false;
    // The head-up texts size themselves to their text; the prompt keeps its size.
    for (Component* label : {&Label1, &Label2, &Label3, &Label5}) {
        setCaption(*label, label->Caption);
    }
}

void TForm1::copyStateFrom(const TForm1& other) {
    static_cast<TForm1State&>(*this) = other;
    Mouse.copyCaptureFrom(other.Mouse);
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
    if (rules::refusesLevelFile(*levelini)) {
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

void TForm1::startOver(const std::string& offer) {
    FormCreate();
    platform.showMessage(offer);
    levelnr = 0;
    punkte = rules::NewGamePoints;
    baelle = rules::NewGameBalls;
}

void TForm1::ShowBalls() {
    setCaption(Label2, baelle == 1 ? "1 Ball" : std::to_string(baelle) + " Bälle");
}

void TForm1::ShowLevel() {
    setCaption(Label1, "Level " + std::to_string(levelnr));
}

void TForm1::ShowPoints() {
    // The six digits come from a cascade of overwrites: below each bound the points follow that
    // many zeros, the last bound that holds wins, any negative count shows six zeros, and a
    // million or more leaves the old text standing.
    struct Padding {
        int32 below;
        std::string_view zeros;
    };
    static constexpr Padding Cascade[] = {
        {1000000, ""}, {100000, "0"}, {10000, "00"}, {1000, "000"},
        {100, "0000"}, {10, "00000"}, {1, "00000"},
    };
    if (punkte < 0) {
        setCaption(Label3, "000000");
        return;
    }
    const Padding* last = nullptr;
    for (const Padding& padding : Cascade) {
        last = punkte < padding.below ? &padding : last;
    }
    if (last) {
        setCaption(Label3, std::string(last->zeros) + std::to_string(punkte));
    }
}
