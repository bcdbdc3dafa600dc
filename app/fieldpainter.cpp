#include "app/fieldpainter.h"

#include <QPainter>

#include "app/componentpainter.h"
#include "app/fieldchanges.h"
#include "art/pictures.h"
#include "play/elements.h"

namespace {

enum { PromptPixelSize = 48 };

// The roles that show a picture; the kind of a bar is fixed, and so is its picture. Image1 is an
// empty picture, Shape1 is black on black, and the texts are drawn apart.
constexpr std::pair<Role, Picture> RolePictures[] = {
    {Role::GreyBar, Picture::GreyBar},     {Role::GreyBarUpright, Picture::GreyBarUpright},
    {Role::YellowBar, Picture::YellowBar}, {Role::YellowBarUpright, Picture::YellowBarUpright},
    {Role::GreenBar, Picture::GreenBar},   {Role::GreenBarUpright, Picture::GreenBarUpright},
    {Role::RedBar, Picture::RedBar},       {Role::Paddle, Picture::Paddle},
    {Role::Ball, Picture::Ball},           {Role::Penny, Picture::Penny},
    {Role::Hand, Picture::Hand},           {Role::Header, Picture::Header},
};

std::optional<Picture> pictureOf(Role role) {
    for (const auto& [shown, picture] : RolePictures) {
        if (shown == role) {
            return picture;
        }
    }
    return std::nullopt;
}

void drawPrompt(QPainter& painter, const Component& prompt) {
    const std::optional<QRect> rect = ComponentPainter::onScreen(prompt);
    if (!rect) {
        return;
    }
    // Opaque: the prompt blacks out everything beneath it.
    painter.fillRect(*rect, Qt::black);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(PromptPixelSize);
    ComponentPainter::drawText(painter, prompt, font, Qt::white);
}

void drawComponent(QPainter& painter, const Element& element, const Component& c) {
    if (element.role == Role::Prompt) {
        drawPrompt(painter, c);
    } else if (element.role == Role::Warning) {
        ComponentPainter::drawText(painter, c, ComponentPainter::hudFont(), Qt::red);
    } else if (element.role == Role::Display) {
        ComponentPainter::drawText(painter, c, ComponentPainter::hudFont(), Qt::black);
    } else if (const std::optional<Picture> picture = pictureOf(element.role)) {
        ComponentPainter::drawPicture(painter, c, *picture);
    }
}

}  // namespace

namespace FieldPainter {

void paint(QPainter& painter, const TForm1& form, const QRegion& region, const Opacity& opacity) {
    for (const Element& element : Elements) {
        const Component& c = form.*element.member;
        const std::optional<QRect> area = FieldChanges::area(c);
        if (!area || !region.intersects(*area)) {
            continue;
        }
        painter.setOpacity(opacity ? opacity(element) : 1.0);
        drawComponent(painter, element, c);
    }
    painter.setOpacity(1.0);
}

}  // namespace FieldPainter
