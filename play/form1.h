#pragma once

#include <functional>
#include <optional>
#include <string>

#include "levels/profilefile.h"
#include "play/barkind.h"
#include "play/component.h"
#include "play/mouseinput.h"
#include "play/platform.h"
#include "play/tickperiod.h"

class TForm2;

// The main window: the play field, its components and the game state. Its handlers are spread
// over files named after what they do: the tick, the bars, pennies and hand, mouse control, game
// flow and the level loading.
//
// The names are the game's own, mostly German:
//   fanger        the blue paddle that follows the mouse along the bottom
//   ball          the ball
//   hinder1..13   the bars (Hinder2, Hinder3, Hinder4 keep their capital); hinder7 is the red bar
//                 the player drags, the others are grey, yellow or green (play/elements.h)
//   dig1..dig10   the pennies, 250 points each
//   dig11         the hand: touching it finishes the level
//   Image1        an empty picture under everything, so that moves anywhere steer the paddle
//   Shape1        a black strip along the bottom where moves do not steer
//   Image2        the header strip; Label1 level, Label2 balls, Label3 points, Label5 warning
//   Label4        the start prompt "Klicken zum Starten..." that covers the field between rounds
//   Timer1        the frame tick; Timer2 the point countdown
//   punkte        points             baelle    balls left         levelnr  level number
//   halt          play suspended     teiler    scaled units per pixel (1500)
//   posx, posy    the ball's position in scaled units; bewx, bewy its step per tick
//   schwung       banked fall speed, paid back as a push upward
//   durchgang     tick counter, shared with the round-end dialog's flight
//   ziehen        the red bar is being dragged
//   sektion       the level file's section being read; levelini the open level file
// Handlers are named after their component and event, and those of menu items after the item:
//   Label4Click                            the start click: a new round on the next level
//   Neu1Click                              a new ball at the start ("Ball an oberen Rand")
//   Button1Click                           the menu item "Pause"
//   N1Ballkaufenkostet5000Punkte1Click     buys a ball for 3000 points (the name is older)
//   N1Levelkaufenkostet20000Punkte1Click   buys a level for 10000 points (likewise)
//   Beenden, Info1Click                    quit; show the about box
// Everything of the main window that play changes, without the window's ties to the desktop.
// It copies whole, so that a search can branch from any moment of a game.
struct TForm1State {
    // Components, bottom of the stack first; play/elements.h says what each is.
    Component Image1, Shape1, Hinder2, hinder8, hinder11, dig11, dig6, dig8, dig1, dig9, dig2,
        dig10, dig4, dig3, dig5, dig7, hinder1, Hinder3, Hinder4, hinder5, hinder6, hinder13,
        hinder10, hinder9, hinder12, ball, hinder7, fanger, Image2, Label2, Label1, Label3, Label5,
        Label4;

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
    Timer Timer2{CountdownIntervalMs, true};
    bool Enabled = false;
    std::string Caption = "Quirlon 95";
    bool pauseChecked = false;  // the check mark of the menu item "Pause"
};

class TForm1 : public TForm1State {
public:
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

    MouseInput Mouse{*this};

    // Takes over the state of another main window, the component the mouse holds included.
    void copyStateFrom(const TForm1& other);

    void setEnabled(bool enabled);

    // Resets and displays (form1.cpp).
    void FormCreate();
    void Neu1Click();
    void ShowBalls();
    void ShowLevel();
    void ShowPoints();
    void setCaption(Component& label, const std::string& text);
    // Begins a new game: the start reset, the box that offers it, then a new game's points,
    // balls and level number. The displays are the caller's.
    void startOver(const std::string& offer);

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

    // Level loading (loadlevel.cpp).
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
