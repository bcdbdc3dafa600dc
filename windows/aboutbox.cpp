#include "windows/aboutbox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

enum Size {
    ClientWidth = 542,
    ClientHeight = 403,
    // The contact lines stand 12 or 13 pixels apart, so the window's own font is small.
    WindowFontPx = 11,
    TitleFontPx = 64,
    SubtitleFontPx = 32,
    AuthorFontPx = 29,
};

constexpr QColor Maroon(0x80, 0x00, 0x00);
constexpr QColor Navy(0x00, 0x00, 0x80);

constexpr Qt::WindowFlags CloseBoxOnly =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A label at its place; without a font of its own it takes the window's.
QLabel* addText(QWidget* window, const char* name, const QPoint& place, const QString& text) {
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->move(place);
    label->adjustSize();
    return label;
}

void styleTitle(QLabel* label, const QRect& frame, int pixelSize, const QColor& colour) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    label->setGeometry(frame);
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent, CloseBoxOnly) {
    setWindowTitle(QString::fromUtf8("Info über Quirlon 95"));
    setFixedSize(ClientWidth, ClientHeight);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(WindowFontPx);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    addTitle();
    addNotice();
    addContacts();
    addOkButton();
}

void AboutBox::addTitle() {
    styleTitle(addText(this, "Label1", {}, QStringLiteral("Quirlon ")), QRect(128, 17, 291, 75),
               TitleFontPx, Maroon);
    styleTitle(addText(this, "Label2", {}, QStringLiteral("f ü r   W i n d o w s   9 5 ")),
               QRect(88, 85, 364, 37), SubtitleFontPx, Maroon);
    styleTitle(addText(this, "Label3", {}, QStringLiteral("vom Quirlon-Team")),
               QRect(128, 129, 285, 34), AuthorFontPx, Navy);
}

void AboutBox::addNotice() {
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    // A notice to read, not a field to work in: the focus stays on OK.
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setGeometry(40, 181, 481, 61);
    memo->setPlainText(QString::fromUtf8(
        "Quirlon 95 ist ein freies Spiel für Linux, geschrieben mit Qt 6.\n"
        "Das Programm wird ohne jede Gewähr weitergegeben.\n"
        "Die Level stehen in der Datei 328lvd.ini, die Sie nach Belieben ändern können."));
}

void AboutBox::addContacts() {
    addText(this, "Label8", {48, 262}, QString::fromUtf8("für Kommentare o.ä.:"));
    addText(this, "Label9", {48, 280}, QStringLiteral("Projekt:"));
    addText(this, "Label10", {48, 292}, QStringLiteral("Fehler:"));
    addText(this, "Label11", {48, 305}, QStringLiteral("Stand:"));
    addText(this, "Label12", {168, 282}, QStringLiteral("Quirlon 95"));
    addText(this, "Label13", {168, 294}, QStringLiteral("in die Fehlerliste des Projekts"));
    addText(this, "Label14", {168, 307}, QStringLiteral(QUIRLON_BUILD_DATE));
    addText(this, "Label15", {48, 337}, QStringLiteral("Version " QUIRLON_VERSION));
}

void AboutBox::addOkButton() {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(440, 360, 89, 33);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
