#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextLayout>
#include <QWindow>
#include <QtTest>
#include <memory>

#include "art/pictures.h"
#include "play/tickperiod.h"
#include "windows/aboutbox.h"
#include "windows/helpbuyingwindow.h"
#include "windows/helpelementswindow.h"
#include "windows/startscreen.h"
#include "windows/titlegrowth.h"

namespace {

const QRect GrownTitle(66, 56, 509, 95);
// How long a wait for the title's 28 ticks may take before it counts as a hang: far beyond any
// machine's speed, so the outcome never depends on it.
constexpr int HangLimitMs = 60000;

std::unique_ptr<QDialog> makeWindow(const QString& kind) {
    if (kind == QLatin1String("start"))
        return std::make_unique<StartScreen>();
    if (kind == QLatin1String("elements"))
        return std::make_unique<HelpElementsWindow>();
    if (kind == QLatin1String("buying"))
        return std::make_unique<HelpBuyingWindow>();
    return std::make_unique<AboutBox>();
}

QPushButton* okButton(QWidget* window) {
    return window->findChild<QPushButton*>(QStringLiteral("Button1"));
}

// The way the window manager's close box closes a window: a close event to its native window.
void pressCloseBox(QWidget* window) {
    QCloseEvent close;
    QCoreApplication::sendEvent(window->windowHandle(), &close);
}

void leave(QWidget* window, const QString& way) {
    if (way == QLatin1String("ok"))
        QTest::mouseClick(okButton(window), Qt::LeftButton);
    else if (way == QLatin1String("close box"))
        pressCloseBox(window);
    else
        QTest::keyClick(window, Qt::Key_Escape);
}

// Share of the pixels in the frame whose hue lies within 30 degrees of the given one.
double hueShare(const QImage& image, const QRect& frame, int hue) {
    enum { Tolerance = 30, MinSaturation = 80, MinValue = 60 };
    int matching = 0;
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        for (int x = frame.left(); x <= frame.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = qAbs(c.hsvHue() - hue);
            const bool near = c.hsvHue() >= 0 && qMin(distance, 360 - distance) <= Tolerance;
            if (near && c.hsvSaturation() >= MinSaturation && c.value() >= MinValue)
                ++matching;
        }
    }
    return double(matching) / (frame.width() * frame.height());
}

bool allBlack(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != Qt::black)
                return false;
        }
    }
    return true;
}

// The label's text laid out in its width as the label wraps it (not at all if it does not).
struct Layout {
    QStringList lines;
    qreal width = 0;
    qreal height = 0;
};

Layout layOut(const QLabel* label) {
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    Layout laid;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->width());
        laid.lines << label->text().mid(line.textStart(), line.textLength());
        laid.width = qMax(laid.width, line.naturalTextWidth());
        laid.height += line.height();
    }
    layout.endLayout();
    return laid;
}

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fixedTexts_data();
    void fixedTexts();
    void adviceWrapsBeforeTheSecondPhrase();
    void textsFitTheirFrames_data();
    void textsFitTheirFrames();
    void titleGrowth_data();
    void titleGrowth();
    void startScreenGrowthStopsAfter28Ticks();
    void okDuringTheGrowthLetsItFinishUnseen();
    void startScreenShowsTheGrownTitle();
    void picturesDrawAtTheSizeAsked_data();
    void picturesDrawAtTheSizeAsked();
    void leavingLeadsOnOnce_data();
    void leavingLeadsOnOnce();
    void okHasTheFocusWhenShown_data();
    void okHasTheFocusWhenShown();
    void aboutBoxAskedForTwiceIsOneWindow();
    void aboutBoxHidesAndComesBack_data();
    void aboutBoxHidesAndComesBack();
    void backgrounds_data();
    void backgrounds();
    void elementPictures_data();
    void elementPictures();
};

void TestWindows::initTestCase() {
    // These windows never end the program; only the main window does, and it is not here.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestWindows::fixedTexts_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");  // empty: the caption
    QTest::addColumn<QString>("text");

    QTest::newRow("start caption") << "start"
                                   << ""
                                   << "Quirlon 95";
    QTest::newRow("start Label3") << "start"
                                  << "Label3"
                                  << "empfohlene Hardware: Prozessor 486 DX4/100 oder Pentium,"
                                     "                                           "  // 43 blanks
                                     "Grafikkarte mit 64000 Farben";
    QTest::newRow("start Label7") << "start"
                                  << "Label7"
                                  << "Falls die Animation \"ruckeln\" sollte, beenden Sie bitte "
                                     "alle Programme außer Quirlon.";
    QTest::newRow("start Button1") << "start"
                                   << "Button1"
                                   << "OK";

    QTest::newRow("elements caption") << "elements"
                                      << ""
                                      << "über Quirlon...";
    QTest::newRow("elements Label1") << "elements"
                                     << "Label1"
                                     << "Die Komponenten von Quirlon:";
    QTest::newRow("elements Label2")
        << "elements"
        << "Label2"
        << "Der rote Balken: Er läßt sich mit dem Mauszeiger ziehen: Gehen Sie mit dem "
           "Mauszeiger auf den Balken, halten Sie die linke Maustaste gedrückt und bewegen Sie "
           "die Maus.";
    QTest::newRow("elements Label3")
        << "elements"
        << "Label3"
        << "Der blaue Balken: Er bewegt sich ständig horizontal mit dem Mauszeiger";
    QTest::newRow("elements Label4") << "elements"
                                     << "Label4"
                                     << "Der graue Balken: Der Ball prallt an ihm ab.";
    QTest::newRow("elements Label5")
        << "elements"
        << "Label5"
        << "Der gelbe Balken: Er löst sich Schritt für Schritt auf, wenn der Ball abprallt.";
    QTest::newRow("elements Label6")
        << "elements"
        << "Label6"
        << "Der grüne Balken: von ihm prallt der Ball immer in die gleiche Richtung ab, aus der "
           "er gekommen ist.";
    QTest::newRow("elements Label7") << "elements"
                                     << "Label7"
                                     << "Der Ball.";
    QTest::newRow("elements Label8")
        << "elements"
        << "Label8"
        << "Das Pfennigstück: Sie können diese Stücke mit dem Ball aufsammeln und bekommen "
           "Punkte dafür, sie können aber auch in den nächsten Level wechseln, ohne alle "
           "aufgesammelt zu haben.";
    QTest::newRow("elements Label9")
        << "elements"
        << "Label9"
        << "Die Hand: Wenn der Ball sie berührt, haben Sie einen Level geschafft,  egal "
           "wieviele Punkte Sie aufgesammelt haben.";
    QTest::newRow("elements Button1") << "elements"
                                      << "Button1"
                                      << "OK";

    QTest::newRow("buying caption") << "buying"
                                    << ""
                                    << "über Quirlon";
    QTest::newRow("buying Label16") << "buying"
                                    << "Label16"
                                    << "Bälle und Level gegen Punkte eintauschen:";
    QTest::newRow("buying Label5")
        << "buying"
        << "Label5"
        << "Sie können Bälle (kostet 3000 Punkte) und Level (10000 Punkte) kaufen. Wählen Sie "
           "dazu den Menüpunkt \"Kaufen / Ball bzw. Level kaufen\" an. Wenn Sie einen Level "
           "kaufen, bedeutet das, daß Sie einen Level weiterkommen, ohne ihn beendet zu haben.";
    QTest::newRow("buying Label3")
        << "buying"
        << "Label3"
        << "Die dazu notwendigen Punkte bekommen Sie, indem Sie mit dem Ball Pfennige "
           "aufsammeln.";
    QTest::newRow("buying Button1") << "buying"
                                    << "Button1"
                                    << "OK";

    QTest::newRow("about Label1") << "about"
                                  << "Label1"
                                  << "Quirlon ";
    QTest::newRow("about Label2") << "about"
                                  << "Label2"
                                  << "f ü r   W i n d o w s   9 5 ";
    QTest::newRow("about Button1") << "about"
                                   << "Button1"
                                   << "OK";
}

void TestWindows::fixedTexts() {
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, text);
    const auto shown = makeWindow(window);
    if (name.isEmpty()) {
        QCOMPARE(shown->windowTitle(), text);
    } else if (auto* label = shown->findChild<QLabel*>(name)) {
        QCOMPARE(label->text(), text);
    } else {
        auto* button = shown->findChild<QPushButton*>(name);
        QVERIFY2(button, qPrintable(name + " is missing"));
        QCOMPARE(button->text(), text);
    }
}

void TestWindows::adviceWrapsBeforeTheSecondPhrase() {
    StartScreen screen;
    const QStringList lines = layOut(screen.findChild<QLabel*>(QStringLiteral("Label3"))).lines;
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].trimmed().endsWith(QLatin1String("oder Pentium,")), qPrintable(lines[0]));
    QCOMPARE(lines[1], QStringLiteral("Grafikkarte mit 64000 Farben"));
}

void TestWindows::textsFitTheirFrames_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"start", "elements", "buying", "about"})
        QTest::newRow(window) << window;
}

// No text may be cut off by its frame, at the fonts the windows really get.
void TestWindows::textsFitTheirFrames() {
    QFETCH(QString, window);
    const auto shown = makeWindow(window);
    const QList<QLabel*> labels = shown->findChildren<QLabel*>();
    QVERIFY(!labels.isEmpty());
    for (const QLabel* label : labels) {
        const Layout laid = layOut(label);
        const QString where = QStringLiteral("%1 needs %2 x %3 px, has %4 x %5")
                                  .arg(label->objectName())
                                  .arg(laid.width)
                                  .arg(laid.height)
                                  .arg(label->width())
                                  .arg(label->height());
        QVERIFY2(laid.width <= label->width() && laid.height <= label->height(), qPrintable(where));
    }
}

void TestWindows::titleGrowth_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("running");

    QTest::newRow("at start") << 0 << QRect(290, 0, 61, 11) << true;
    QTest::newRow("first step") << 1 << QRect(282, 2, 77, 14) << true;
    QTest::newRow("27th step") << 27 << QRect(74, 54, 493, 92) << true;
    QTest::newRow("28th step stops") << 28 << GrownTitle << false;
}

void TestWindows::titleGrowth() {
    QFETCH(int, steps);
    QFETCH(QRect, rect);
    QFETCH(bool, running);
    TitleGrowth growth;
    for (int i = 0; i < steps; ++i) growth.step();
    QCOMPARE(QRect(growth.Left, growth.Top, growth.Width, growth.Height), rect);
    QCOMPARE(growth.running, running);
    // The centre of the picture never moves.
    QCOMPARE(2 * growth.Left + growth.Width, 2 * 290 + 61);
}

// The screen is never shown here: the growth runs from creation all the same.
void TestWindows::startScreenGrowthStopsAfter28Ticks() {
    StartScreen screen;
    QVERIFY(screen.isGrowing());
    QTRY_VERIFY_WITH_TIMEOUT(!screen.isGrowing(), HangLimitMs);
    QCOMPARE(screen.titleRect(), GrownTitle);
    QTest::qWait(5 * TickPeriodMs);
    QCOMPARE(screen.titleRect(), GrownTitle);
}

void TestWindows::okDuringTheGrowthLetsItFinishUnseen() {
    StartScreen screen;
    screen.show();
    QVERIFY(screen.isGrowing());
    QTest::mouseClick(okButton(&screen), Qt::LeftButton);
    QVERIFY(!screen.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!screen.isGrowing(), HangLimitMs);
    QCOMPARE(screen.titleRect(), GrownTitle);
}

void TestWindows::startScreenShowsTheGrownTitle() {
    StartScreen screen;
    QTRY_VERIFY_WITH_TIMEOUT(!screen.isGrowing(), HangLimitMs);
    const QImage image = screen.grab().toImage();
    int lit = 0;
    for (int y = GrownTitle.top(); y <= GrownTitle.bottom(); ++y) {
        for (int x = GrownTitle.left(); x <= GrownTitle.right(); ++x)
            lit += qGray(image.pixel(x, y)) > 60;
    }
    QVERIFY2(lit > GrownTitle.width() * GrownTitle.height() / 10, qPrintable(QString::number(lit)));
    QVERIFY(allBlack(image, QRect(0, 0, image.width(), GrownTitle.top())));
    QVERIFY(allBlack(image, QRect(0, GrownTitle.top(), GrownTitle.left(), GrownTitle.height())));
}

// Every picture, at its own size and stretched to another, on plain and dense screens: drawn to
// the pixel size asked, and not blank.
void TestWindows::picturesDrawAtTheSizeAsked_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    for (int picture = int(Picture::Ball); picture <= int(Picture::EditorIcon); ++picture) {
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            QTest::addRow("%d own x%.1f", picture, ratio) << picture << QSize() << ratio;
            QTest::addRow("%d stretched x%.1f", picture, ratio)
                << picture << QSize(37, 11) << ratio;
        }
    }
}

void TestWindows::picturesDrawAtTheSizeAsked() {
    QFETCH(int, picture);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    const auto which = static_cast<Picture>(picture);
    const QSize expected = size.isEmpty() ? Pictures::size(which) : size;
    QVERIFY(!expected.isEmpty());
    const QImage image = Pictures::render(which, size, ratio).toImage();
    QCOMPARE(image.size(), (QSizeF(expected) * ratio).toSize());
    QCOMPARE(image.devicePixelRatio(), ratio);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
    }
    QVERIFY2(drawn > image.width() * image.height() / 10, qPrintable(QString::number(drawn)));
}

void TestWindows::leavingLeadsOnOnce_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("way");
    for (const char* window : {"start", "elements", "buying"}) {
        for (const char* way : {"ok", "close box", "escape"})
            QTest::addRow("%s by %s", window, way) << window << way;
    }
}

void TestWindows::leavingLeadsOnOnce() {
    QFETCH(QString, window);
    QFETCH(QString, way);
    const auto shown = makeWindow(window);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    QSignalSpy left(shown.get(), SIGNAL(left()));
    leave(shown.get(), way);
    QCOMPARE(left.count(), 1);
    QVERIFY(!shown->isVisible());
    QTest::qWait(2 * TickPeriodMs);
    QCOMPARE(left.count(), 1);
}

void TestWindows::okHasTheFocusWhenShown_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"start", "elements", "buying", "about"})
        QTest::newRow(window) << window;
}

void TestWindows::okHasTheFocusWhenShown() {
    QFETCH(QString, window);
    const auto shown = makeWindow(window);
    shown->show();
    QVERIFY(QTest::qWaitForWindowActive(shown.get()));
    QCOMPARE(QApplication::focusWidget(), okButton(shown.get()));
}

// The game asks for the box with show() and raise() each time "Info" is chosen.
void TestWindows::aboutBoxAskedForTwiceIsOneWindow() {
    AboutBox box;
    for (int asked = 0; asked < 2; ++asked) {
        box.show();
        box.raise();
    }
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    int visibleBoxes = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        visibleBoxes += window->isVisible() && qobject_cast<const AboutBox*>(window);
    QCOMPARE(visibleBoxes, 1);
    // Not modal: the main window stays usable and the game goes on.
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestWindows::aboutBoxHidesAndComesBack_data() {
    QTest::addColumn<QString>("way");
    for (const char* way : {"ok", "close box", "escape"}) QTest::newRow(way) << way;
}

void TestWindows::aboutBoxHidesAndComesBack() {
    QFETCH(QString, way);
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    leave(&box, way);
    QVERIFY(!box.isVisible());
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QCOMPARE(QApplication::focusWidget(), okButton(&box));
}

void TestWindows::backgrounds_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");

    const QColor silver(0xc0, 0xc0, 0xc0);
    QTest::newRow("start: black") << "start" << QPoint(5, 300) << QColor(Qt::black);
    QTest::newRow("elements: black column") << "elements" << QPoint(10, 10) << QColor(Qt::black);
    QTest::newRow("elements: column's last pixel row")
        << "elements" << QPoint(170, 452) << QColor(Qt::black);
    QTest::newRow("elements: white right of the column")
        << "elements" << QPoint(171, 452) << QColor(Qt::white);
    QTest::newRow("elements: white below the texts")
        << "elements" << QPoint(300, 445) << QColor(Qt::white);
    // The paddle's strip is 640 pixels long; its frame shows only its first 100.
    QTest::newRow("elements: paddle clipped to its frame")
        << "elements" << QPoint(150, 115) << QColor(Qt::black);
    QTest::newRow("buying: band's top row") << "buying" << QPoint(615, 0) << silver;
    QTest::newRow("buying: band's last row") << "buying" << QPoint(615, 100) << silver;
    QTest::newRow("buying: band across the width") << "buying" << QPoint(631, 50) << silver;
    QTest::newRow("buying: white below the band")
        << "buying" << QPoint(615, 101) << QColor(Qt::white);
    QTest::newRow("about: white") << "about" << QPoint(520, 10) << QColor(Qt::white);
}

void TestWindows::backgrounds() {
    QFETCH(QString, window);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    const auto shown = makeWindow(window);
    QCOMPARE(shown->grab().toImage().pixelColor(point), colour);
}

void TestWindows::elementPictures_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<int>("hue");

    QTest::newRow("red bar") << QRect(43, 60, 100, 31) << 0;
    QTest::newRow("paddle") << QRect(43, 100, 100, 31) << 250;
    QTest::newRow("yellow bar") << QRect(43, 177, 100, 31) << 60;
    QTest::newRow("green bar") << QRect(43, 220, 100, 31) << 130;
}

void TestWindows::elementPictures() {
    QFETCH(QRect, frame);
    QFETCH(int, hue);
    HelpElementsWindow window;
    const double share = hueShare(window.grab().toImage(), frame, hue);
    QVERIFY2(share > 0.4, qPrintable(QString::number(share)));
}

QTEST_MAIN(TestWindows)
#include "tst_qt_windows.moc"
