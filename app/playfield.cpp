#include "app/playfield.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/componentpainter.h"
#include "art/pictures.h"
#include "play/elements.h"
#include "play/game.h"

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

std::optional<MouseButton> buttonOf(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        return MouseButton::Left;
    if (button == Qt::RightButton)
        return MouseButton::Right;
    if (button == Qt::MiddleButton)
        return MouseButton::Middle;
    return std::nullopt;
}

}  // namespace

PlayField::PlayField(Game& game, QWidget* parent) : QWidget(parent), game(game) {
    setFixedSize(TForm1::ClientWidth, TForm1::ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PlayField::refresh() {
    const QRegion changed = changes.take(game.Form1);
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void PlayField::repaintComponent(const Component& component) {
    const QRegion changed = changes.take(game.Form1, component);
    if (!changed.isEmpty()) {
        repaint(changed);
    }
}

void PlayField::paintEvent(QPaintEvent* event) {
    const TForm1& form = game.Form1;
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    for (const Element& element : Elements) {
        const Component& c = form.*element.member;
        const std::optional<QRect> area = FieldChanges::area(c);
        if (!area || !event->region().intersects(*area)) {
            continue;
        }
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
}

void PlayField::updateCursor(QPoint point) {
    const MouseInput& mouse = game.Form1.Mouse;
    const Component* under =
        mouse.capture() ? mouse.capture() : mouse.componentAt(point.x(), point.y());
    if (under == &game.Form1.hinder7) {
        setCursor(Qt::CrossCursor);
    } else {
        unsetCursor();
    }
}

void PlayField::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    game.Input.move(p.x(), p.y());
    updateCursor(p);
    emit handled();
}

void PlayField::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const std::optional<MouseButton> button = buttonOf(event->button())) {
        game.Input.press(p.x(), p.y(), *button);
        emit handled();
    }
}

void PlayField::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const std::optional<MouseButton> button = buttonOf(event->button())) {
        game.Input.release(p.x(), p.y(), *button);
        updateCursor(p);
        emit handled();
    }
}
