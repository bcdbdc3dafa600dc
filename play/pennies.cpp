#include "play/form1.h"
#include "play/rules.h"

void TForm1::CheckPenny(Component& penny) {
    punkte = add32(punkte, rules::PennyPoints);
    // Out of the field, not hidden: the touch test never looks at visibility.
    penny.Top = rules::TakenPennyTop;
    penny.Left = rules::TakenPennyLeft;
    ShowPoints();
    platform.report({GameEvent::PennyTaken, levelnr, rules::PennyPoints, baelle, penny.Name});
}

void TForm1::CheckHand() {
    const int32 bonus = rules::bonusFor(levelnr);
    punkte = add32(punkte, bonus);
    // The boxes below run their own event loop with the timers still firing; halt keeps the tick
    // and the countdown still, and the hand from being reached twice.
    halt = true;
    platform.report({GameEvent::HandReached, levelnr, bonus, baelle});
    platform.showMessage("Super! Gleich gehts weiter mit dem nächsten Level! " +
                         std::to_string(bonus) + " Bonus!");
    if (levelnr == rules::LastLevel) {
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
