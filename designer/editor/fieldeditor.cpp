#include "designer/editor/fieldeditor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/fieldpainter.h"
#include "designer/editor/editsession.h"
#include "designer/editor/keyboardedits.h"

namespace {

enum { HandleSize = 7, GridMajor = 50, Reach = 100000 };
enum Edge { LeftEdge = 1, RightEdge = 2, TopEdge = 4, BottomEdge = 8 };
constexpr qreal Faint = 0.35;
QString nameOf(ElementId element) {
    const std::string_view name = element.name();
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

int32 clamp32(std::int64_t value) {
    return static_cast<int32>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Where an element lies, for the selection's frame; one far off the field is drawn nowhere near.
QRect rectOf(const Component& c) {
    return QRect(std::clamp<int>(c.Left, -Reach, Reach), std::clamp<int>(c.Top, -Reach, Reach),
                 std::clamp<int>(c.Width, 0, Reach), std::clamp<int>(c.Height, 0, Reach));
}

// The eight handles around a rectangle, each with the edges it takes along.
std::array<std::pair<QPoint, int>, 8> handles(const QRect& r) {
    const int left = r.left(), right = r.left() + r.width(), top = r.top(),
              bottom = r.top() + r.height();
    const int midX = left + r.width() / 2, midY = top + r.height() / 2;
    return {{{{left, top}, LeftEdge | TopEdge},
             {{midX, top}, TopEdge},
             {{right, top}, RightEdge | TopEdge},
             {{right, midY}, RightEdge},
             {{right, bottom}, RightEdge | BottomEdge},
             {{midX, bottom}, BottomEdge},
             {{left, bottom}, LeftEdge | BottomEdge},
             {{left, midY}, LeftEdge}}};
}

QRect handleRect(QPoint centre) {
    return QRect(centre.x() - HandleSize / 2, centre.y() - HandleSize / 2, HandleSize, HandleSize);
}

Qt::CursorShape cursorFor(int edges) {
    switch (edges) {
        case LeftEdge | TopEdge:
        case RightEdge | BottomEdge:
            return Qt::SizeFDiagCursor;
        case RightEdge | TopEdge:
        case LeftEdge | BottomEdge:
            return Qt::SizeBDiagCursor;
        case LeftEdge:
        case RightEdge:
            return Qt::SizeHorCursor;
        default:
            return Qt::SizeVerCursor;
    }
}

}  // namespace

FieldEditor::FieldEditor(EditSession& session, QWidget* parent)
    : QWidget(parent), session(session) {
    setFixedSize(TForm1::ClientWidth, TForm1::ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    connect(&session, &EditSession::documentChanged, this, &FieldEditor::rebuild);
    connect(&session, &EditSession::levelChanged, this, &FieldEditor::rebuild);
    connect(&session, &EditSession::selectionChanged, this, qOverload<>(&QWidget::update));
    rebuild();
}

void FieldEditor::setShowHidden(bool shown) {
    showHidden = shown;
    rebuild();
}

void FieldEditor::setGrid(bool on) {
    grid = on;
    update();
}

void FieldEditor::rebuild() {
    drag.reset();
    if (session.hasLevel()) {
        preview.show(session.document(), session.level(), showHidden);
    } else {
        preview.clear();
    }
    update();
}

// The topmost element of the level under the point; the red bar, the paddle and the ball lie
// above them, but are no part of a level.
std::optional<ElementId> FieldEditor::elementAt(QPoint point) const {
    for (auto it = Elements.rbegin(); it != Elements.rend(); ++it) {
        const std::optional<ElementId> element = levelElementOf(it->member);
        if (element && preview.element(*element).Visible &&
            preview.element(*element).contains(point.x(), point.y())) {
            return element;
        }
    }
    return std::nullopt;
}

std::optional<QRect> FieldEditor::selectionRect() const {
    if (!session.selection() || !session.hasLevel()) {
        return std::nullopt;
    }
    return rectOf(preview.element(*session.selection()));
}

std::optional<int> FieldEditor::handleAt(QPoint point) const {
    if (const std::optional<QRect> rect = selectionRect()) {
        for (const auto& [centre, edges] : handles(*rect)) {
            if (handleRect(centre).adjusted(-1, -1, 1, 1).contains(point)) {
                return edges;
            }
        }
    }
    return std::nullopt;
}

int32 FieldEditor::snap(std::int64_t value) const {
    if (!grid) {
        return clamp32(value);
    }
    const std::int64_t down = value >= 0 ? value / GridStep : (value - GridStep + 1) / GridStep;
    const std::int64_t nearest = value - down * GridStep < GridStep / 2 ? down : down + 1;
    return clamp32(nearest * GridStep);
}

Placement FieldEditor::dragged(const Drag& d, QPoint to) const {
    const std::int64_t dx = to.x() - d.from.x(), dy = to.y() - d.from.y();
    Placement p = d.start;
    if (d.edges == 0) {
        p.Left = snap(p.Left + dx);
        p.Top = snap(p.Top + dy);
        return p;
    }
    std::int64_t left = p.Left, top = p.Top;
    std::int64_t right = left + p.Width, bottom = top + p.Height;
    // An edge stops a pixel short of the one across, so the element keeps some area.
    if (d.edges & LeftEdge) {
        left = std::min<std::int64_t>(snap(left + dx), right - 1);
    }
    if (d.edges & RightEdge) {
        right = std::max<std::int64_t>(snap(right + dx), left + 1);
    }
    if (d.edges & TopEdge) {
        top = std::min<std::int64_t>(snap(top + dy), bottom - 1);
    }
    if (d.edges & BottomEdge) {
        bottom = std::max<std::int64_t>(snap(bottom + dy), top + 1);
    }
    return {clamp32(left), clamp32(top), clamp32(right - left), clamp32(bottom - top), p.Visible};
}

void FieldEditor::showDragged(ElementId element, const Placement& placement) {
    Component& c = preview.element(element);
    c.Left = placement.Left;
    c.Top = placement.Top;
    c.Width = placement.Width;
    c.Height = placement.Height;
    update();
}

void FieldEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !session.hasLevel()) {
        return;
    }
    const QPoint at = event->position().toPoint();
    std::optional<int> edges = handleAt(at);
    std::optional<ElementId> element = edges ? session.selection() : elementAt(at);
    session.select(element);
    if (element) {
        drag = Drag{*element, edges.value_or(0), at, session.layout()[*element]};
    }
}

void FieldEditor::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (drag) {
        showDragged(drag->element, dragged(*drag, at));
        return;
    }
    if (const std::optional<int> edges = handleAt(at)) {
        setCursor(cursorFor(*edges));
    } else if (elementAt(at)) {
        setCursor(Qt::SizeAllCursor);
    } else {
        unsetCursor();
    }
}

void FieldEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !drag) {
        return;
    }
    const Drag done = *drag;
    drag.reset();
    const Placement placed = dragged(done, event->position().toPoint());
    const QString what = done.edges == 0 ? tr("%1 verschieben") : tr("Größe von %1 ändern");
    // A click without a move changes nothing, and leaves the history alone.
    session.place(done.element, placed, what.arg(nameOf(done.element)));
}

// Tab and Shift+Tab walk the elements instead of the focus.
bool FieldEditor::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void FieldEditor::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<KeyEdit> edit = keyEdit(event->key(), event->modifiers())) {
        apply(*edit);
    } else if (event->key() == Qt::Key_Escape) {
        session.select(std::nullopt);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void FieldEditor::apply(const KeyEdit& edit) {
    const std::optional<ElementId> selected = session.selection();
    if (edit.action == KeyAction::SelectNext) {
        session.select(selected ? selected->next() : LevelElements.front());
        return;
    }
    if (edit.action == KeyAction::SelectPrevious) {
        session.select(selected ? selected->previous() : LevelElements.back());
        return;
    }
    if (!selected || !session.hasLevel()) {
        return;
    }
    Placement p = session.layout()[*selected];
    const QString name = nameOf(*selected);
    switch (edit.action) {
        case KeyAction::Move:
            p.Left = clamp32(std::int64_t{p.Left} + edit.dx);
            p.Top = clamp32(std::int64_t{p.Top} + edit.dy);
            session.place(*selected, p, tr("%1 verschieben").arg(name), EditSession::Merge::Move);
            break;
        case KeyAction::Resize:
            p.Width = clamp32(std::max<std::int64_t>(0, std::int64_t{p.Width} + edit.dx));
            p.Height = clamp32(std::max<std::int64_t>(0, std::int64_t{p.Height} + edit.dy));
            session.place(*selected, p, tr("Größe von %1 ändern").arg(name),
                          EditSession::Merge::Resize);
            break;
        default:
            p.Visible = !p.Visible;
            session.place(*selected, p,
                          (p.Visible ? tr("%1 zeigen") : tr("%1 verstecken")).arg(name));
            break;
    }
}

void FieldEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    FieldPainter::paint(painter, preview.form(), QRegion(rect()), [this](const Element& element) {
        const std::optional<ElementId> index = levelElementOf(element.member);
        return index && preview.hiddenInFile(*index) ? Faint : 1.0;
    });
    if (grid) {
        paintGrid(painter);
    }
    paintSelection(painter);
}

void FieldEditor::paintGrid(QPainter& painter) const {
    for (int x = GridStep; x < width(); x += GridStep) {
        painter.setPen(QColor(255, 255, 255, x % GridMajor == 0 ? 70 : 30));
        painter.drawLine(x, 0, x, height());
    }
    for (int y = GridStep; y < height(); y += GridStep) {
        painter.setPen(QColor(255, 255, 255, y % GridMajor == 0 ? 70 : 30));
        painter.drawLine(0, y, width(), y);
    }
}

void FieldEditor::paintSelection(QPainter& painter) const {
    const std::optional<QRect> rect = selectionRect();
    if (!rect) {
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(rect->adjusted(-1, -1, 0, 0));
    painter.setPen(QPen(QColor(0, 255, 255), 1, Qt::DashLine));
    painter.drawRect(rect->adjusted(-1, -1, 0, 0));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (const auto& [centre, edges] : handles(*rect)) {
        painter.drawRect(handleRect(centre));
    }
}
