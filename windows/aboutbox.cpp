#include "windows/aboutbox.h"

#include <QLabel>
#include <QPlainTextEdit>

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

// A line of the contact block at its place, in the window's own font.
QLabel* addLine(QWidget* window, const char* name, const QPoint& place, const QString& text) {
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->move(place);
    label->adjustSize();
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : InfoWindow(QString::fromUtf8("Info über Quirlon 95"), QSize(ClientWidth, ClientHeight),
                 parent) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(WindowFontPx);
    setFont(font);

    addTitle();
    addNotice();
    addContacts();
    addOkButton(QRect(440, 360, 89, 33));
}

void AboutBox::addTitle() {
    emphasize(addText("Label1", QRect(128, 17, 291, 75), QStringLiteral("Quirlon "), TitleFontPx),
              Maroon);
    emphasize(addText("Label2", QRect(88, 85, 364, 37),
                      QStringLiteral("f ü r   W i n d o w s   9 5 "), SubtitleFontPx),
              Maroon);
    emphasize(addText("Label3", QRect(128, 129, 285, 34), QStringLiteral("vom Quirlon-Team"),
                      AuthorFontPx),
              Navy);
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
    addLine(this, "Label8", {48, 262}, QString::fromUtf8("für Kommentare o.ä.:"));
    addLine(this, "Label9", {48, 280}, QStringLiteral("Projekt:"));
    addLine(this, "Label10", {48, 292}, QStringLiteral("Fehler:"));
    addLine(this, "Label11", {48, 305}, QStringLiteral("Stand:"));
    addLine(this, "Label12", {168, 282}, QStringLiteral("Quirlon 95"));
    addLine(this, "Label13", {168, 294}, QStringLiteral("in die Fehlerliste des Projekts"));
    addLine(this, "Label14", {168, 307}, QStringLiteral(QUIRLON_BUILD_DATE));
    addLine(this, "Label15", {48, 337}, QStringLiteral("Version " QUIRLON_VERSION));
}
