#pragma once

#include <QPixmap>
#include <QTimer>

#include "windows/infowindow.h"
#include "windows/titlegrowth.h"

// The first window of a run: the title picture grows out of the top edge over two lines of
// advice, until the player leaves by OK or by the close box.
class StartScreen : public InfoWindow {
    Q_OBJECT

public:
    explicit StartScreen(QWidget* parent = nullptr);

    // Where the title picture stands now, in client coordinates.
    QRect titleRect() const;
    bool isGrowing() const { return Timer4.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addAdvice();
    void Timer4Timer();
    const QPixmap& titleAt(QSize size);

    TitleGrowth growth;
    QPixmap title;  // drawn at the size it was last shown
    QTimer Timer4;
};
