#include "windows/startscreen.h"

#include <QLabel>
#include <QPainter>

#include "art/pictures.h"
#include "play/tickperiod.h"

namespace {

enum Size { ClientWidth = 632, ClientHeight = 453, AdviceFontPx = 16 };

// Enough blanks after the first phrase that the second one always wraps onto the second line.
enum { SpacesBeforeSecondPhrase = 43 };

}  // namespace

StartScreen::StartScreen(QWidget* parent)
    : InfoWindow(QStringLiteral("Quirlon 95"), QSize(ClientWidth, ClientHeight), parent) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    addAdvice();
    addOkButton(QRect(525, 410, 100, 35));

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
    const QString advice[] = {
        QStringLiteral("empfohlene Hardware: Prozessor 486 DX4/100 oder Pentium,") +
            QString(SpacesBeforeSecondPhrase, QLatin1Char(' ')) +
            QStringLiteral("Grafikkarte mit 64000 Farben"),
        QString::fromUtf8(R"(Falls die Animation "ruckeln" sollte, beenden Sie bitte alle )"
                          R"(Programme außer Quirlon.)"),
    };
    const QRect frames[] = {QRect(32, 370, 439, 36), QRect(32, 410, 373, 36)};
    const char* names[] = {"Label3", "Label7"};
    for (int i = 0; i < 2; ++i) {
        QLabel* label = addText(names[i], frames[i], advice[i], AdviceFontPx);
        // The frames were fitted to whole-pixel glyph advances: the hardware line's first phrase
        // fills its 439 pixels exactly. Full hinting rounds the advances alike, so that phrase
        // keeps to the first line and the blanks after it push the second phrase onto the next.
        QFont font = label->font();
        font.setHintingPreference(QFont::PreferFullHinting);
        label->setFont(font);
        label->setWordWrap(true);
    }
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
    const QRect rect = titleRect();
    painter.drawPixmap(rect, titleAt(rect.size()));
}

// The title is stretched to its rectangle, so it is drawn from its outlines at every size it
// takes, once for each: the first window of the program does not wait for it.
const QPixmap& StartScreen::titleAt(QSize size) {
    const qreal ratio = devicePixelRatioF();
    if (title.deviceIndependentSize().toSize() != size || title.devicePixelRatio() != ratio) {
        title = Pictures::render(Picture::Title, size, ratio);
    }
    return title;
}
