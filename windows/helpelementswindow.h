#pragma once

#include "windows/infowindow.h"

// The help window on the play elements: each element's picture on a black column, with a line
// or two on what it does. OK or the close box lead on to the help on buying.
class HelpElementsWindow : public InfoWindow {
    Q_OBJECT

public:
    explicit HelpElementsWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addTexts();
};
