#include "app/playfield.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/fieldpainter.h"
#include "play/game.h"

namespace {

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
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    FieldPainter::paint(painter, game.Form1, event->region());
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
