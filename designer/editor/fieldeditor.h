#pragma once

#include <QWidget>
#include <optional>

#include "designer/editor/fieldpreview.h"

class EditSession;
struct KeyEdit;

// The level in hand on the field, drawn as the game draws it, for editing with the mouse and the
// keyboard: a click selects an element, a drag moves it, the handles around the selection size
// it; the keys of keyboardedits.h select, move, size, show and hide.
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

    enum { GridStep = 10 };

protected:
    bool event(QEvent* event) override;
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
    };

    void rebuild();
    std::optional<ElementId> elementAt(QPoint point) const;
    std::optional<int> handleAt(QPoint point) const;
    std::optional<QRect> selectionRect() const;
    Placement dragged(const Drag& drag, QPoint to) const;
    int32 snap(std::int64_t value) const;
    void showDragged(ElementId element, const Placement& placement);
    void apply(const KeyEdit& edit);
    void paintGrid(QPainter& painter) const;
    void paintSelection(QPainter& painter) const;

    EditSession& session;
    FieldPreview preview;
    bool showHidden = true;
    bool grid = false;
    std::optional<Drag> drag;
};
