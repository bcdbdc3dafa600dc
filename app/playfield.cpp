#include "app/playfield.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/componentpainter.h"
#include "art/pictures.h"
#include "play/game.h"

namespace {

enum { PromptPixelSize = 48 };

// The picture each component shows; the kind of a bar is fixed, and so is its picture.
std::optional<Picture> pictureOf(const TForm1& form, const Component& c) {
    const Component* flatGrey[] = {&form.hinder1, &form.Hinder2};
    const Component* uprightGrey[] = {&form.Hinder3, &form.Hinder4};
    const Component* flatYellow[] = {&form.hinder5, &form.hinder6};
    const Component* uprightYellow[] = {&form.hinder9, &form.hinder10};
    const Component* flatGreen[] = {&form.hinder8, &form.hinder11};
    const Component* uprightGreen[] = {&form.hinder12, &form.hinder13};
    auto among = [&c](const auto& list) { return std::ranges::find(list, &c) != std::end(list); };
    if (&c == &form.ball)
        return Picture::Ball;
    if (&c == &form.fanger)
        return Picture::Paddle;
    if (&c == &form.hinder7)
        return Picture::RedBar;
    if (&c == &form.Image2)
        return Picture::Header;
    if (&c == &form.dig11)
        return Picture::Hand;
    if (among(flatGrey))
        return Picture::GreyBar;
    if (among(uprightGrey))
        return Picture::GreyBarUpright;
    if (among(flatYellow))
        return Picture::YellowBar;
    if (among(uprightYellow))
        return Picture::YellowBarUpright;
    if (among(flatGreen))
        return Picture::GreenBar;
    if (among(uprightGreen))
        return Picture::GreenBarUpright;
    if (std::string_view(c.Name).starts_with("dig"))
        return Picture::Penny;
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
    for (Component TForm1::*member : TForm1::StackingOrder) {
        const Component& c = form.*member;
        const std::optional<QRect> area = FieldChanges::area(c);
        if (!area || !event->region().intersects(*area)) {
            continue;
        }
        if (&c == &form.Label4) {
            drawPrompt(painter, c);
        } else if (&c == &form.Label5) {
            ComponentPainter::drawText(painter, c, ComponentPainter::hudFont(), Qt::red);
        } else if (&c == &form.Label1 || &c == &form.Label2 || &c == &form.Label3) {
            ComponentPainter::drawText(painter, c, ComponentPainter::hudFont(), Qt::black);
        } else if (const std::optional<Picture> picture = pictureOf(form, c)) {
            ComponentPainter::drawPicture(painter, c, *picture);
        }
        // Image1 is an empty picture, and Shape1 is black on black.
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
    game.Form1.Mouse.move(p.x(), p.y());
    updateCursor(p);
    emit handled();
}

void PlayField::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const std::optional<MouseButton> button = buttonOf(event->button())) {
        game.Form1.Mouse.press(p.x(), p.y(), *button);
        emit handled();
    }
}

void PlayField::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (const std::optional<MouseButton> button = buttonOf(event->button())) {
        game.Form1.Mouse.release(p.x(), p.y(), *button);
        updateCursor(p);
        emit handled();
    }
}
