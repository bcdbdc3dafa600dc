#include "tools/bench/steering.h"

namespace {

enum { LowestPointerRow = 400, RowStep = 10 };

}  // namespace

int32 steeringRow(const TForm1& form, int32 x) {
    for (int32 y = LowestPointerRow; y > TForm1::HeaderHeight; y -= RowStep) {
        const Component* under = form.Mouse.componentAt(x, y);
        if (under && under->OnMouseMove != MoveHandler::None) {
            return y;
        }
    }
    return LowestPointerRow;
}
