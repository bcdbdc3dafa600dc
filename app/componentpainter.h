#pragma once

#include <QFont>
#include <QRect>
#include <optional>
#include <string>

#include "play/platform.h"

class QPainter;
struct Component;
enum class Picture;

// Draws one component: a picture from its top-left corner clipped to the component's rectangle
// (never stretched), or a text in its font. Rectangles that lie far outside the field are left
// alone, whatever a level file made of them.
namespace ComponentPainter {

std::optional<QRect> onScreen(const Component& component);
void drawPicture(QPainter& painter, const Component& component, Picture picture);
void drawText(QPainter& painter, const Component& component, const QFont& font, QColor colour);
QFont hudFont();
QFont messageFont();
// The room a self-sizing text takes in its font, as the rules ask for it.
TextExtent textExtent(TextStyle style, const std::string& text);

}  // namespace ComponentPainter
