#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "levels/profilefile.h"
#include "play/barkind.h"
#include "play/component.h"
#include "play/mouseinput.h"
#include "play/platform.h"

class TForm2;

// The main window: the play field, its components and the game state. Its handlers are spread
// over files named after what they do: the tick, the bars, pennies and hand, mouse control, game
// flow and the level loading.
class TForm1 {
public:
    // Opens the level file; every run of FormCreate opens it anew.
    using LevelFileOpener = std::function<ProfileFile()>;

    enum Geometry {
        ClientWidth = 632,
        ClientHeight = 434,
        HeaderHeight = 38,
        PaddleRow = 404,
        ParkedPaddleTop = 1000,
    };

    TForm1(Platform& platform, TForm2& form2, LevelFileOpener openLevelFile);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Components, bottom of the stack first.
    Component Image1, Shape1, Hinder2, hinder8, hinder11, dig11, dig6, dig8, dig1, dig9, dig2,
        dig10, dig4, dig3, dig5, dig7, hinder1, Hinder3, Hinder4, hinder5, hinder6, hinder13,
        hinder10, hinder9, hinder12, ball, hinder7, fanger, Image2, Label2, Label1, Label3, Label5,
        Label4;
    static const std::array<Component TForm1::*, 34> StackingOrder;

    // Game state.
    int32 punkte = 1000;
    int32 baelle = 2;
    int32 levelnr = 0;
    bool halt = false;
    int32 teiler = 0;
    int32 posx = 0, posy = 0;
    int32 bewx = 0, bewy = 0;
    int32 schwung = 0;
    int32 durchgang = 0;
    bool ziehen = false;
    std::string sektion;
    std::optional<ProfileFile> levelini;

    // The ball's start values, kept as the texts of hidden fields and converted at every reset.
    std::string posxedit = "1", posyedit = "59000", bewxedit = "3000", bewyedit = "1000";

    Timer Timer1{1, true};
    Timer Timer2{500, true};
    bool Enabled = false;
    std::string Caption = "Quirlon 95";
    bool pauseChecked = false;  // the check mark of the menu item "Pause"
    MouseInput Mouse{*this};

    void setEnabled(bool enabled);

    // Resets and displays (form1.cpp).
    void FormCreate();
    void Neu1Click();
    void ShowBalls();
    void ShowLevel();
    void ShowPoints();
    void setCaption(Component& label, const std::string& text);

    // The frame tick (tick.cpp).
    void Timer1Timer();
    bool BallTouches(const Component& element) const;
    void CheckPaddle();

    // Bars (bars.cpp), pennies and the hand (pennies.cpp).
    void CheckBar(Component& bar, BarKind kind);
    void CheckPenny(Component& penny);
    void CheckHand();

    // Mouse control (mousecontrol.cpp).
    void fangerMouseMove(const Component& sender, int32 X, int32 Y);
    void Label4MouseMove(const Component& sender, int32 X, int32 Y);
    void hinder7MouseDown();
    void hinder7MouseMove(int32 X, int32 Y);
    void hinder7MouseUp();

    // Game flow (gameflow.cpp).
    void Label4Click();
    void Timer2Timer();
    void Button1Click();
    void N1Ballkaufenkostet5000Punkte1Click();
    void N1Levelkaufenkostet20000Punkte1Click();
    void Beenden();
    void Info1Click();

    // Level loading (levels/loadlevel.cpp).
    void LoadLevel();

    Platform& platform;
    TForm2& Form2;

private:
    void putBallAtStart();
    void followPointer(const Component& sender, int32 X);
    void loseBall();
    void dragStep(int32 X, int32 Y);
    bool roundInProgress() const;
    void showShortOfPoints();

    LevelFileOpener openLevelFile;
};
