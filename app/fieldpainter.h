#pragma once

#include <QRegion>
#include <functional>

class QPainter;
struct Element;
class TForm1;

// Draws the main window's field as the components stand: each in its stacking order, a bar, the
// ball, the paddle, a penny or the hand as its picture, the header's texts in their fonts, and the
// start prompt over everything while it shows. The game's field and the level editor both draw
// with it.
namespace FieldPainter {

// How strongly a component shows, from 0 to 1; the level editor shows hidden elements faintly.
using Opacity = std::function<qreal(const Element& element)>;

// Draws the components that meet `region`; the background is the caller's.
void paint(QPainter& painter, const TForm1& form, const QRegion& region,
           const Opacity& opacity = {});

}  // namespace FieldPainter
