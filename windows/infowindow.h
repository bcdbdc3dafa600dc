#pragma once

#include <QDialog>

class QLabel;

// A fixed-size window of texts at set places with an OK button that has the focus. OK, the close
// box and Escape all leave it, and every way out is the same to whoever waits for it.
class InfoWindow : public QDialog {
    Q_OBJECT

public:
    InfoWindow(const QString& caption, QSize clientSize, QWidget* parent = nullptr);

signals:
    // The player has left the window; it is hidden by then.
    void left();

protected:
    // A plain, transparent text in Arial at a pixel size, left and top aligned in its frame.
    QLabel* addText(const char* name, const QRect& frame, const QString& text, int pixelSize);
    void addOkButton(const QRect& frame);
    // Sets a heading off: bold, in a colour of its own.
    static void emphasize(QLabel* label, const QColor& colour);
};
