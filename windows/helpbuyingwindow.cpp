#include "windows/helpbuyingwindow.h"

#include <QLabel>
#include <QPainter>

namespace {

enum Size {
    ClientWidth = 632,
    ClientHeight = 453,
    BandHeight = 101,
    HeadingFontPx = 27,
    TextFontPx = 19,
};

constexpr QColor Silver(0xc0, 0xc0, 0xc0);
constexpr QColor Maroon(0x80, 0x00, 0x00);

}  // namespace

HelpBuyingWindow::HelpBuyingWindow(QWidget* parent)
    : InfoWindow(QString::fromUtf8("über Quirlon"), QSize(ClientWidth, ClientHeight), parent) {
    addTexts();
    addOkButton(QRect(525, 410, 100, 35));
}

void HelpBuyingWindow::addTexts() {
    QLabel* heading =
        addText("Label16", QRect(32, 49, 569, 32),
                QString::fromUtf8("Bälle und Level gegen Punkte eintauschen:"), HeadingFontPx);
    emphasize(heading, Maroon);

    addText(
        "Label5", QRect(30, 150, 571, 132),
        QString::fromUtf8(
            R"(Sie können Bälle (kostet 3000 Punkte) und Level (10000 Punkte) kaufen. Wählen Sie )"
            R"(dazu den Menüpunkt "Kaufen / Ball bzw. Level kaufen" an. Wenn Sie einen Level )"
            R"(kaufen, bedeutet das, daß Sie einen Level weiterkommen, ohne ihn beendet zu haben.)"),
        TextFontPx)
        ->setWordWrap(true);
    addText("Label3", QRect(30, 250, 561, 66),
            QStringLiteral("Die dazu notwendigen Punkte bekommen Sie, indem Sie mit dem Ball "
                           "Pfennige aufsammeln."),
            TextFontPx)
        ->setWordWrap(true);
}

void HelpBuyingWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), BandHeight, Silver);
}
