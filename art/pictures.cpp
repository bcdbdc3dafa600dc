#include "art/pictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

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

QPixmap render(Picture picture, qreal ratio) {
    QSvgRenderer renderer(Pictures::path(picture));
    const QSize size = renderer.defaultSize();
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

namespace Pictures {

QString path(Picture picture) {
    return QStringLiteral(":/art/") + QLatin1String(fileName(picture));
}

QSize size(Picture picture) {
    return pixmap(picture, 1.0).deviceIndependentSize().toSize();
}

const QPixmap& pixmap(Picture picture, qreal devicePixelRatio) {
    static QHash<QPair<int, qreal>, QPixmap> cache;
    const QPair<int, qreal> key(static_cast<int>(picture), devicePixelRatio);
    auto found = cache.find(key);
    if (found == cache.end()) {
        found = cache.insert(key, render(picture, devicePixelRatio));
    }
    return *found;
}

}  // namespace Pictures
