#include "app/deferredstyleicons.h"

#include <QIconEngine>
#include <QPainter>
#include <optional>

namespace {

// An icon of the base style, asked for on first use.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(const QStyle* style, QStyle::StandardPixmap which) : style(style), which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIcon(style, which); }

private:
    const QIcon& icon() {
        if (!loaded) {
            loaded = style->standardIcon(which);
        }
        return *loaded;
    }

    const QStyle* style;
    QStyle::StandardPixmap which;
    std::optional<QIcon> loaded;
};

}  // namespace

QIcon DeferredStyleIcons::standardIcon(StandardPixmap which, const QStyleOption*,
                                       const QWidget*) const {
    return QIcon(new DeferredIcon(baseStyle(), which));
}
