#pragma once

#include <memory>

#include "app/startsequence.h"

class HelpBuyingWindow;
class HelpElementsWindow;
class StartScreen;

// The program's own start: the start screen shows as it is created, in front of the disabled main
// window; leaving it opens the help window on the play elements, and leaving that the one on
// buying, whose end lets the player into the game. Each leads on whichever way the player leaves
// it, and none can be skipped.
class StartWindows : public StartSequence {
public:
    StartWindows();
    ~StartWindows() override;

    void afterMainWindow(GameWindows& windows) override;
    void afterLastWindow(GameWindows& windows) override;
    QWidget* inFront() const override;
    bool endsProgram() const override { return true; }

    StartScreen* Form3() const { return form3.get(); }
    HelpElementsWindow* Form5() const { return form5.get(); }
    HelpBuyingWindow* Form6() const { return form6.get(); }

private:
    std::unique_ptr<StartScreen> form3;
    std::unique_ptr<HelpElementsWindow> form5;
    std::unique_ptr<HelpBuyingWindow> form6;
};
