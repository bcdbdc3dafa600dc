#include "designer/editor/besideplace.h"

#include <algorithm>
#include <array>

namespace {

long long covered(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : (long long){both.width()} * both.height();
}

}  // namespace

QPoint besidePlace(const QRect& screen, const QRect& editor, const QRect& field, QSize size) {
    const int beside = std::clamp(editor.top(), screen.top(), screen.bottom() + 1 - size.height());
    const std::array<QPoint, 7> tried = {{
        {editor.right() + 1, beside},
        {editor.left() - size.width(), beside},
        {field.right() + 1, field.top()},
        {field.left() - size.width(), field.top()},
        {field.left(), field.bottom() + 1},
        {screen.right() + 1 - size.width(), beside},
        {screen.left(), beside},
    }};
    const bool fits = size.width() <= screen.width() && size.height() <= screen.height();
    QPoint best = tried.back();
    long long least = -1;
    for (const QPoint& at : tried) {
        const QRect placed(at, size);
        if (fits && !screen.contains(placed)) {
            continue;
        }
        const long long cover = covered(placed, field);
        if (least < 0 || cover < least) {
            best = at;
            least = cover;
        }
    }
    return best;
}
