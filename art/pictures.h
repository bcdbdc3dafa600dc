#pragma once

#include <QPixmap>

// The game's pictures, drawn from their SVG files at their own pixel size.
enum class Picture {
    Ball,
    Paddle,
    RedBar,
    GreyBar,
    GreyBarUpright,
    YellowBar,
    YellowBarUpright,
    GreenBar,
    GreenBarUpright,
    Penny,
    Hand,
    Header,
    Title,
    Icon,
    EditorIcon,  // the level editor's
};

namespace Pictures {

// The picture rendered once per device pixel ratio, so it stays sharp on dense screens; the
// pixmap's device-independent size is the picture's own size.
const QPixmap& pixmap(Picture picture, qreal devicePixelRatio);
// The picture's size in device-independent pixels.
QSize size(Picture picture);
// The picture drawn afresh at `size` (its own size when empty), stretched to it, for a picture
// shown at changing sizes (the title).
QPixmap render(Picture picture, QSize size, qreal devicePixelRatio);
// Resource path of the picture's SVG file, for a window icon drawn at the desktop's sizes.
QString path(Picture picture);

}  // namespace Pictures
