#include "play/form1.h"
#include "play/form2.h"
#include "play/rules.h"

namespace {

enum Prices { BallPrice = 3000, LevelPrice = 10000 };
enum Countdown { PointsPerStep = 10, WarningThreshold = 500, PointsAfterRunOut = 1000 };

}  // namespace

void TForm1::Label4Click() {
    hinder7.Left = rules::RedBarStartLeft;
    hinder7.Top = rules::RedBarStartTop;
    Neu1Click();
    Label4.Visible = false;
    FormCreate();
    fanger.Top = PaddleRow;
    halt = false;
    pauseChecked = false;
    ShowBalls();
    ShowLevel();
    LoadLevel();
}

void TForm1::Timer2Timer() {
    if (halt || !Timer1.Enabled) {
        return;
    }
    punkte = sub32(punkte, PointsPerStep);
    ShowPoints();
    if (punkte <= WarningThreshold) {
        platform.beep();
    }
    setCaption(Label5, punkte > WarningThreshold ? std::string()
                                                 : "noch " + std::to_string(punkte) + " Punkte!");
    if (punkte <= 0) {
        halt = true;
        Form2.setMessage("0 Punkte! ==> 1 Ball weniger!");
        baelle = sub32(baelle, 1);
        punkte = PointsAfterRunOut;
        if (baelle == 0) {
            Form2.setMessage("0 Punkte, keine Bälle mehr!");
        }
        Form2.Show();
        setCaption(Label5, "");
        platform.report({GameEvent::PointsRanOut, levelnr, 0, baelle});
        if (baelle == 0) {
            platform.report({GameEvent::GameOver, levelnr, 0, baelle});
        }
    }
}

bool TForm1::roundInProgress() const {
    return !Label4.Visible && Timer1.Enabled && !Form2.Visible;
}

void TForm1::Button1Click() {
    // Outside a round a pause would set the ball running under the start prompt.
    if (!roundInProgress()) {
        return;
    }
    halt = !halt;
    pauseChecked = halt;
}

void TForm1::showShortOfPoints() {
    // The player cannot steer while the box is open, so play stands still meanwhile.
    const bool wasHalted = halt;
    halt = true;
    platform.showMessage("Zuwenig Punkte");
    halt = wasHalted;
}

void TForm1::N1Ballkaufenkostet5000Punkte1Click() {
    if (punkte >= BallPrice) {
        baelle = add32(baelle, 1);
        punkte = sub32(punkte, BallPrice);
        ShowPoints();
    } else {
        showShortOfPoints();
    }
    ShowBalls();
}

void TForm1::N1Levelkaufenkostet20000Punkte1Click() {
    if (punkte >= LevelPrice) {
        levelnr = add32(levelnr, 1);
        // While the start prompt shows there is no round to end, and the raised level number is
        // what makes the next start skip a level.
        if (!Label4.Visible) {
            Form2.FormClose();
        }
        halt = true;
        pauseChecked = false;
        punkte = sub32(punkte, LevelPrice);
        ShowPoints();
    } else {
        showShortOfPoints();
    }
    ShowLevel();
}

void TForm1::Beenden() {
    platform.requestQuit();
}

void TForm1::Info1Click() {
    platform.showWindow(Window::Form4);
}
