#pragma once

#include <QPoint>
#include <QRect>

// Where a window of `size` goes so that the field stays in view: beside the editor's window where
// the screen has room, else beside or below the field itself, else where it covers the least of
// the field. Always on the screen when it fits there.
QPoint besidePlace(const QRect& screen, const QRect& editor, const QRect& field, QSize size);
