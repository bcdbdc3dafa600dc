#include "art/pictures.h"

#include <QHash>
#include <QImageReader>

namespace {

const char* fileName(Picture picture) {
    switch (picture) {
        case Picture::Ball:
            return "ball.svg";
        case Picture::Paddle:
            return "paddle.svg";
        case Picture::RedBar:
            return "redbar.svg";
        case Picture::GreyBar:
            return "greybar.svg";
        case Picture::GreyBarUpright:
            return "greybar-upright.svg";
        case Picture::YellowBar:
            return "yellowbar.svg";
        case Picture::YellowBarUpright:
            return "yellowbar-upright.svg";
        case Picture::GreenBar:
            return "greenbar.svg";
        case Picture::GreenBarUpright:
            return "greenbar-upright.svg";
        case Picture::Penny:
            return "penny.svg";
        case Picture::Hand:
            return "hand.svg";
        case Picture::Header:
            return "header.svg";
        case Picture::Title:
            return "title.svg";
        case Picture::Icon:
            return "quirlon95.svg";
        case Picture::EditorIcon:
            return "quirlon95-editor.svg";
    }
    return "";
}

}  // namespace

namespace Pictures {

QString path(Picture picture) {
    return QStringLiteral(":/art/") + QLatin1String(fileName(picture));
}

// Qt's SVG image plugin draws the picture; it is loaded with the first picture drawn, so the
// program does not load Qt SVG before its first window shows.
QPixmap render(Picture picture, QSize size, qreal ratio) {
    QImageReader reader(path(picture), "svg");
    if (size.isEmpty()) {
        size = reader.size();
    }
    reader.setScaledSize((QSizeF(size) * ratio).toSize());
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QSize size(Picture picture) {
    return pixmap(picture, 1.0).deviceIndependentSize().toSize();
}

const QPixmap& pixmap(Picture picture, qreal devicePixelRatio) {
    static QHash<QPair<int, qreal>, QPixmap> cache;
    const QPair<int, qreal> key(static_cast<int>(picture), devicePixelRatio);
    auto found = cache.find(key);
    if (found == cache.end()) {
        found = cache.insert(key, render(picture, QSize(), devicePixelRatio));
    }
    return *found;
}

}  // namespace Pictures
