#pragma once

#include <array>
#include <optional>
#include <string>

#include "designer/fixedbars.h"
#include "play/form1.h"

// Where the ball went through a bar it should have bounced off: the bar, the ball's place right
// after and the count of events seen until then.
struct Passage {
    std::string bar;
    int32 left = 0, top = 0;
    long event = 0;
};

// Watches the ball after every input event for passing through an intact fixed bar: coming out on
// the side opposite the one it was last clear of, jumping from one side to the opposite across the
// bar's span in one event, or lying deeper in it than any face catches.
// The red bar is the player's and is not watched; nor are the bars the level lets a drag carry the
// ball through. Laying out a level starts the watch afresh.
class PassWatch {
public:
    void observe(const TForm1& form);
    const std::optional<Passage>& found() const { return passage; }

private:
    enum class Side : unsigned char { Unknown, Above, Below, LeftOf, RightOf };

    int32 watchedLevel = -1;
    bool watching = false;
    long seen = 0;
    std::array<Side, FixedBarCount> lastClear{};
    int32 lastLeft = 0, lastTop = 0;  // the ball after the event before
    std::optional<Passage> passage;
};
