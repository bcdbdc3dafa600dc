#include "app/componentpainter.h"

#include <QFontMetrics>
#include <QPainter>

#include "art/pictures.h"
#include "play/component.h"

namespace {

// Anything beyond this margin around the field cannot be seen.
enum { Reach = 4096 };

std::int64_t clampToReach(std::int64_t value) {
    return std::clamp<std::int64_t>(value, -Reach, Reach);
}

QFont arial(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace

namespace ComponentPainter {

std::optional<QRect> onScreen(const Component& component) {
    if (!component.Visible || component.Width <= 0 || component.Height <= 0) {
        return std::nullopt;
    }
    const std::int64_t left = clampToReach(component.Left);
    const std::int64_t top = clampToReach(component.Top);
    const std::int64_t right = clampToReach(std::int64_t{component.Left} + component.Width);
    const std::int64_t bottom = clampToReach(std::int64_t{component.Top} + component.Height);
    if (right <= left || bottom <= top) {
        return std::nullopt;
    }
    // The picture starts at the component's real corner, so only a rectangle whose corner lies
    // within reach is drawn at all.
    if (left != component.Left || top != component.Top) {
        return std::nullopt;
    }
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

void drawPicture(QPainter& painter, const Component& component, Picture picture) {
    const std::optional<QRect> rect = onScreen(component);
    if (!rect) {
        return;
    }
    const QPixmap& pixmap = Pictures::pixmap(picture, painter.device()->devicePixelRatioF());
    const QSize shown = rect->size().boundedTo(pixmap.deviceIndependentSize().toSize());
    const qreal ratio = pixmap.devicePixelRatio();
    painter.drawPixmap(QRectF(rect->topLeft(), shown), pixmap,
                       QRectF(0, 0, shown.width() * ratio, shown.height() * ratio));
}

void drawText(QPainter& painter, const Component& component, const QFont& font, QColor colour) {
    const std::optional<QRect> rect = onScreen(component);
    if (!rect) {
        return;
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(*rect, Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(component.Caption));
}

QFont hudFont() {
    return arial(21, true);
}

QFont messageFont() {
    return arial(19, true);
}

TextExtent textExtent(TextStyle style, const std::string& text) {
    const QFontMetrics metrics(style == TextStyle::Hud ? hudFont() : messageFont());
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

}  // namespace ComponentPainter
