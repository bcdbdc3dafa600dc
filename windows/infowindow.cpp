#include "windows/infowindow.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr Qt::WindowFlags CloseBoxOnly =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

}  // namespace

InfoWindow::InfoWindow(const QString& caption, QSize clientSize, QWidget* parent)
    : QDialog(parent, CloseBoxOnly) {
    setWindowTitle(caption);
    setFixedSize(clientSize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    connect(this, &QDialog::finished, this, &InfoWindow::left);
}

QLabel* InfoWindow::addText(const char* name, const QRect& frame, const QString& text,
                            int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(frame);
    return label;
}

void InfoWindow::addOkButton(const QRect& frame) {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(frame);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void InfoWindow::emphasize(QLabel* label, const QColor& colour) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
}
