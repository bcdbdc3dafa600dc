#pragma once

#include <QDialog>
#include <QSvgRenderer>
#include <QTimer>

#include "windows/titlegrowth.h"

class QPushButton;

// The first window of a run: the title picture grows out of the top edge over two lines of
// advice, until the player leaves by OK or by the close box.
class StartScreen : public QDialog {
    Q_OBJECT

public:
    explicit StartScreen(QWidget* parent = nullptr);

    // Where the title picture stands now, in client coordinates.
    QRect titleRect() const;
    bool isGrowing() const { return Timer4.isActive(); }

signals:
    // The player has left the start screen; it is hidden by then.
    void left();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addAdvice();
    void addOkButton();
    void Timer4Timer();

    TitleGrowth growth;
    QSvgRenderer title;
    QTimer Timer4;
};
