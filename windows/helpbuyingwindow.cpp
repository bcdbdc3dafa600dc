#include "windows/helpbuyingwindow.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

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

constexpr Qt::WindowFlags CloseBoxOnly =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A transparent label, so the band and the white show through.
QLabel* addText(QWidget* window, const char* name, const QRect& frame, const char* text,
                int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    auto* label = new QLabel(QString::fromUtf8(text), window);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(frame);
    return label;
}

}  // namespace

HelpBuyingWindow::HelpBuyingWindow(QWidget* parent) : QDialog(parent, CloseBoxOnly) {
    setWindowTitle(QString::fromUtf8("über Quirlon"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    addTexts();
    addOkButton();
    // OK and the close box both end the dialog, and each way leads into the game alike.
    connect(this, &QDialog::finished, this, &HelpBuyingWindow::left);
}

void HelpBuyingWindow::addTexts() {
    QLabel* heading = addText(this, "Label16", QRect(32, 49, 569, 32),
                              "Bälle und Level gegen Punkte eintauschen:", HeadingFontPx);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    QPalette maroon = heading->palette();
    maroon.setColor(QPalette::WindowText, Maroon);
    heading->setPalette(maroon);

    addText(this, "Label5", QRect(30, 150, 571, 132),
            R"(Sie können Bälle (kostet 3000 Punkte) und Level (10000 Punkte) kaufen. Wählen Sie )"
            R"(dazu den Menüpunkt "Kaufen / Ball bzw. Level kaufen" an. Wenn Sie einen Level )"
            R"(kaufen, bedeutet das, daß Sie einen Level weiterkommen, ohne ihn beendet zu haben.)",
            TextFontPx)
        ->setWordWrap(true);
    addText(this, "Label3", QRect(30, 250, 561, 66),
            "Die dazu notwendigen Punkte bekommen Sie, indem Sie mit dem Ball Pfennige "
            "aufsammeln.",
            TextFontPx)
        ->setWordWrap(true);
}

void HelpBuyingWindow::addOkButton() {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(525, 410, 100, 35);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpBuyingWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), BandHeight, Silver);
}
