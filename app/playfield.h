#pragma once

#include <QWidget>

#include "app/fieldchanges.h"

class Game;
struct Component;

// The main window's client area below the menu: draws the components the way the rules left
// them and hands the mouse to the rules.
class PlayField : public QWidget {
    Q_OBJECT

public:
    explicit PlayField(Game& game, QWidget* parent = nullptr);

    // Schedules a repaint of whatever changed since the field was last drawn.
    void refresh();
    // Draws a component that changed now, not at the next paint cycle.
    void repaintComponent(const Component& component);

signals:
    // The rules have seen a mouse event and may have changed anything.
    void handled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateCursor(QPoint point);

    Game& game;
    FieldChanges changes;
};
