#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "designer/editor/editsession.h"
#include "designer/editor/fieldpreview.h"

struct KeyEdit;

// The level in hand on the field, drawn as the game draws it, for editing with the mouse and the
// keyboard: a click selects an element, a drag moves it, the handles around the selection size
// it; the keys of keyboardedits.h select, move, size, show and hide. The elements a level hides
// are drawn beneath the shown ones, and a click takes a shown element before a hidden one; a
// click on the selection that does not move it, or a click with Alt, takes the next element that
// lies under the pointer. Every element's box is outlined, and where it reaches beyond its
// picture it is hatched; pennies and the hand, whose pictures have one size, have no handles.
// Where the ball stands still in play, found by a first try or in a test play, a red ring shows.
// Shift+click adds an element to the selection or takes it out, a drag over the empty field
// selects what its band touches, and the selected elements move together.
class FieldEditor : public QWidget {
    Q_OBJECT

public:
    explicit FieldEditor(EditSession& session, QWidget* parent = nullptr);

    // Hidden elements show faintly where the file puts them, or not at all.
    void setShowHidden(bool shown);
    bool showsHidden() const { return showHidden; }
    // Drags snap to a grid of GridStep pixels.
    void setGrid(bool on);
    bool hasGrid() const { return grid; }

    // Marks where the ball stood still in a test play of the level in hand, until the level
    // changes.
    void markStandstill(QPoint at);

    enum { GridStep = 10 };

signals:
    // The pointer is over the field at that point, or has left it.
    void pointerMoved(std::optional<QPoint> at);

protected:
    bool event(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Drag {
        ElementId element;
        int edges;  // those a drag on a handle takes along; none moves the whole element
        QPoint from;
        Placement start;
        EditSession::Places group;  // the others selected with it, where they started
    };

    void rebuild();
    std::vector<ElementId> elementsAt(QPoint point) const;
    std::optional<ElementId> nextAt(QPoint point, ElementId after) const;
    std::optional<int> handleAt(QPoint point) const;
    std::optional<QRect> selectionRect() const;
    Placement dragged(const Drag& drag, QPoint to) const;
    int32 snap(std::int64_t value) const;
    void showDragged(ElementId element, const Placement& placement);
    void apply(const KeyEdit& edit);
    void paintGrid(QPainter& painter) const;
    void paintSelection(QPainter& painter) const;
    void paintBoxes(QPainter& painter) const;
    void paintStandstill(QPainter& painter, QPoint at) const;
    void paintBand(QPainter& painter) const;
    EditSession::Places movedTogether(const Drag& drag, const Placement& placed) const;
    void selectInBand();

    EditSession& session;
    FieldPreview preview;
    bool showHidden = true;
    bool grid = false;
    std::optional<Drag> drag;
    bool stepOnRelease = false;
    std::optional<QPoint> played;
    std::optional<QRect> band;  // the rubber band a drag over the empty field spans
};
