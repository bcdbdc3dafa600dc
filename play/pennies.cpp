#include "play/form1.h"

namespace {

enum Reward { PennyPoints = 250, BonusPerLevel = 25, LastLevel = 7 };

}  // namespace

void TForm1::CheckPenny(Component& penny) {
    punkte = add32(punkte, PennyPoints);
    // Out of the field, not hidden: the touch test never looks at visibility.
    penny.Top = -100;
    penny.Left = -1000;
    ShowPoints();
}

void TForm1::CheckHand() {
    const int32 bonus = mul32(BonusPerLevel, levelnr);
    punkte = add32(punkte, bonus);
    // The boxes below run their own event loop with the timers still firing; halt keeps the tick
    // and the countdown still, and the hand from being reached twice.
    halt = true;
    platform.showMessage("Super! Gleich gehts weiter mit dem nächsten Level! " +
                         std::to_string(bonus) + " Bonus!");
    if (levelnr == LastLevel) {
        platform.showMessage("Gratuliere! Sie haben alle Level von Quirlon geschafft!");
        startOver(
            "Sie können jetzt noch einmal mit Level 1 beginnen, falls Sie wollen, ansonsten "
            "klicken Sie bitte auf Datei/Beenden zum Beenden.");
        ShowLevel();
        ShowPoints();
        ShowBalls();
    }
    Label4.Visible = true;
    fanger.Top = ParkedPaddleTop;
    ShowPoints();
}
