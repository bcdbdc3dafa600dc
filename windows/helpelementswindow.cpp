#include "windows/helpelementswindow.h"

#include <QLabel>
#include <QPainter>

#include "art/pictures.h"

namespace {

enum Size {
    ClientWidth = 632,
    ClientHeight = 453,
    ColumnWidth = 171,
    HeadingFontPx = 21,
    ExplanationFontPx = 12,
};

// One play element: its picture in a frame on the column, its explanation to the right.
struct Element {
    Picture picture;
    QRect pictureFrame;
    const char* label;
    QRect textFrame;
    const char* text;
};

const Element elements[] = {
    {Picture::RedBar,
     {43, 60, 100, 31},
     "Label2",
     {210, 50, 399, 45},
     "Der rote Balken: Er läßt sich mit dem Mauszeiger ziehen: Gehen Sie mit dem Mauszeiger auf "
     "den Balken, halten Sie die linke Maustaste gedrückt und bewegen Sie die Maus."},
    {Picture::Paddle,
     {43, 100, 100, 31},
     "Label3",
     {210, 110, 401, 30},
     "Der blaue Balken: Er bewegt sich ständig horizontal mit dem Mauszeiger"},
    {Picture::GreyBar,
     {43, 140, 100, 31},
     "Label4",
     {210, 150, 401, 30},
     "Der graue Balken: Der Ball prallt an ihm ab."},
    {Picture::YellowBar,
     {43, 177, 100, 31},
     "Label5",
     {210, 190, 401, 30},
     "Der gelbe Balken: Er löst sich Schritt für Schritt auf, wenn der Ball abprallt."},
    {Picture::GreenBar,
     {43, 220, 100, 31},
     "Label6",
     {210, 220, 401, 30},
     "Der grüne Balken: von ihm prallt der Ball immer in die gleiche Richtung ab, aus der er "
     "gekommen ist."},
    {Picture::Ball, {80, 270, 31, 31}, "Label7", {210, 270, 151, 30}, "Der Ball."},
    {Picture::Penny,
     {73, 310, 41, 41},
     "Label8",
     {210, 310, 411, 60},
     "Das Pfennigstück: Sie können diese Stücke mit dem Ball aufsammeln und bekommen Punkte "
     "dafür, sie können aber auch in den nächsten Level wechseln, ohne alle aufgesammelt zu "
     "haben."},
    {Picture::Hand,
     {70, 370, 51, 61},
     "Label9",
     {210, 380, 411, 60},
     "Die Hand: Wenn der Ball sie berührt, haben Sie einen Level geschafft,  egal wieviele "
     "Punkte Sie aufgesammelt haben."},
};

}  // namespace

HelpElementsWindow::HelpElementsWindow(QWidget* parent)
    : InfoWindow(QString::fromUtf8("über Quirlon..."), QSize(ClientWidth, ClientHeight), parent) {
    addTexts();
    addOkButton(QRect(525, 410, 100, 35));
}

void HelpElementsWindow::addTexts() {
    addText("Label1", QRect(240, 10, 297, 24), QStringLiteral("Die Komponenten von Quirlon:"),
            HeadingFontPx);
    for (const Element& element : elements) {
        addText(element.label, element.textFrame, QString::fromUtf8(element.text),
                ExplanationFontPx)
            ->setWordWrap(true);
    }
}

void HelpElementsWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, ColumnWidth, height(), Qt::black);
    // The pictures keep the play field's size: each frame shows the picture's top-left part.
    for (const Element& element : elements) {
        painter.setClipRect(element.pictureFrame);
        painter.drawPixmap(element.pictureFrame.topLeft(),
                           Pictures::pixmap(element.picture, devicePixelRatioF()));
    }
}
