#pragma once

#include <QProxyStyle>

// The platform's style, except that its standard icons are read only when first drawn. The menu
// bar makes a button with such an icon at creation, for menus that do not fit, and Qt reads its
// picture by asking every image plugin it has whether it can, which costs the main window as much
// as its menus and field together; the game's menus always fit.
class DeferredStyleIcons : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
