// quirlon95-barewindow: an empty Qt Widgets window the size of the play field and nothing else,
// the yardstick for how soon the game's first window can show.
#include <QApplication>
#include <QWidget>

#include "play/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(TForm1::ClientWidth, TForm1::ClientHeight);
    window.show();
    return app.exec();
}
