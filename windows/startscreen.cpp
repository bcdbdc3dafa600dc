#include "windows/startscreen.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "art/pictures.h"
#include "play/tickperiod.h"

namespace {

enum Size { ClientWidth = 632, ClientHeight = 453, AdviceFontPx = 16 };

// Enough blanks after the first phrase that the second one always wraps onto the second line.
enum { SpacesBeforeSecondPhrase = 43 };

constexpr Qt::WindowFlags CloseBoxOnly =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

void addText(QWidget* window, const char* name, const QRect& frame, const QString& text) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(AdviceFontPx);
    // The frames were fitted to whole-pixel glyph advances: the hardware line's first phrase
    // fills its 439 pixels exactly. Full hinting rounds the advances alike, so that phrase keeps
    // to the first line and the blanks after it push the second phrase onto the next.
    font.setHintingPreference(QFont::PreferFullHinting);
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(frame);
}

}  // namespace

StartScreen::StartScreen(QWidget* parent)
    : QDialog(parent, CloseBoxOnly), title(Pictures::path(Picture::Title)) {
    setWindowTitle(QStringLiteral("Quirlon 95"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    addAdvice();
    addOkButton();
    // OK, the close box and Escape all end the dialog, and each way leads on alike.
    connect(this, &QDialog::finished, this, &StartScreen::left);

    // The title grows from creation on, whether the window is seen or already left.
    Timer4.setTimerType(Qt::PreciseTimer);
    Timer4.setInterval(TickPeriodMs);
    connect(&Timer4, &QTimer::timeout, this, &StartScreen::Timer4Timer);
    Timer4.start();
}

QRect StartScreen::titleRect() const {
    return QRect(growth.Left, growth.Top, growth.Width, growth.Height);
}

void StartScreen::addAdvice() {
    addText(this, "Label3", QRect(32, 370, 439, 36),
            QStringLiteral("empfohlene Hardware: Prozessor 486 DX4/100 oder Pentium,") +
                QString(SpacesBeforeSecondPhrase, QLatin1Char(' ')) +
                QStringLiteral("Grafikkarte mit 64000 Farben"));
    addText(this, "Label7", QRect(32, 410, 373, 36),
            QString::fromUtf8(R"(Falls die Animation "ruckeln" sollte, beenden Sie bitte alle )"
                              R"(Programme außer Quirlon.)"));
}

void StartScreen::addOkButton() {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(525, 410, 100, 35);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void StartScreen::Timer4Timer() {
    const QRect before = titleRect();
    growth.step();
    if (!growth.running) {
        Timer4.stop();
    }
    update(before.united(titleRect()));
}

void StartScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The title is stretched to its rectangle, so it is drawn from its outlines at every size.
    title.render(&painter, QRectF(titleRect()));
}
