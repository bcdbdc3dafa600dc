#pragma once

#include <QDialog>

// The help window on buying balls and levels with points, the last window before the game.
// OK or the close box lead into the game.
class HelpBuyingWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpBuyingWindow(QWidget* parent = nullptr);

signals:
    // The player has left the window; it is hidden by then.
    void left();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addTexts();
    void addOkButton();
};
