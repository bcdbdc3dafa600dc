#pragma once

#include "windows/infowindow.h"

// The help window on buying balls and levels with points, the last window before the game.
// OK or the close box lead into the game.
class HelpBuyingWindow : public InfoWindow {
    Q_OBJECT

public:
    explicit HelpBuyingWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addTexts();
};
