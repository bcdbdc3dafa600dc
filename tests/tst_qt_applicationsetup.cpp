// How the program presents itself to the desktop: the name and id it gives itself must be the ones
// the installed desktop entry and metadata carry, and every window must show the game's icon.
#include <QXmlStreamReader>
#include <QtTest>

#include "app/applicationsetup.h"
#include "app/deferredstyleicons.h"
#include "tests/qtgamefixture.h"

namespace {

QString sourceFile(const QString& suffix) {
    return QStringLiteral(APP_SOURCE_DIR "/") + ApplicationId + suffix;
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                            : QString();
}

// The value of a key in the desktop entry's main group, as a desktop reads it.
QString desktopEntryValue(const QString& key) {
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : readText(sourceFile(QStringLiteral(".desktop"))).split('\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return QString();
}

// The text of the first element of that name in the AppStream metadata.
QString metainfoElement(const QString& name) {
    QXmlStreamReader xml(readText(sourceFile(QStringLiteral(".metainfo.xml"))));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name) {
            return xml.readElementText();
        }
    }
    return QString();
}

// Answers the next message box and notes whether it carried an icon in its title bar.
void answerNextBox(bool& hadWindowIcon) {
    QTimer::singleShot(0, [&hadWindowIcon] {
        QMessageBox* box = shownMessageBox();
        if (!box) {
            answerNextBox(hadWindowIcon);
            return;
        }
        hadWindowIcon = !box->windowIcon().isNull();
        box->accept();
    });
}

}  // namespace

class TestApplicationSetup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void theDesktopFindsItsEntryUnderTheProgramsId_data();
    void theDesktopFindsItsEntryUnderTheProgramsId();
    void everyWindowCarriesTheGamesIcon();
    void theMessageOfAMissingLevelFileCarriesTheGamesIcon();
    void theStylesIconsLookAsThePlatformsOwn_data();
    void theStylesIconsLookAsThePlatformsOwn();
};

void TestApplicationSetup::initTestCase() {
    setUpApplication();
}

void TestApplicationSetup::theDesktopFindsItsEntryUnderTheProgramsId_data() {
    QTest::addColumn<QString>("seen");
    QTest::addColumn<QString>("expected");

    const QString id = ApplicationId;
    const QString binary = QStringLiteral(GAME_BINARY_NAME);
    QTest::newRow("desktop file name") << QGuiApplication::desktopFileName() << id;
    QTest::newRow("entry's icon") << desktopEntryValue(QStringLiteral("Icon")) << id;
    QTest::newRow("entry starts the program")
        << desktopEntryValue(QStringLiteral("Exec")) << binary;
    // Qt names the windows' class on X11 after the binary.
    QTest::newRow("entry matches the windows' class on X11")
        << desktopEntryValue(QStringLiteral("StartupWMClass")) << binary;
    QTest::newRow("metadata's id") << metainfoElement(QStringLiteral("id")) << id;
    QTest::newRow("metadata's launchable")
        << metainfoElement(QStringLiteral("launchable")) << id + QStringLiteral(".desktop");
    QTest::newRow("metadata's binary") << metainfoElement(QStringLiteral("binary")) << binary;
}

void TestApplicationSetup::theDesktopFindsItsEntryUnderTheProgramsId() {
    QFETCH(QString, seen);
    QFETCH(QString, expected);

    QVERIFY(!expected.isEmpty());
    QCOMPARE(seen, expected);
}

void TestApplicationSetup::everyWindowCarriesTheGamesIcon() {
    // The icon comes once the event loop runs.
    QTRY_VERIFY(!QApplication::windowIcon().pixmap(48).isNull());

    QtGameFixture fixture;
    fixture.open();
    const QWidgetList windows = QApplication::topLevelWidgets();
    QVERIFY(windows.size() >= 6);
    for (QWidget* window : windows) {
        QVERIFY2(!window->windowIcon().isNull(), window->metaObject()->className());
    }
}

void TestApplicationSetup::theMessageOfAMissingLevelFileCarriesTheGamesIcon() {
    QtGameFixture fixture(QByteArray{});
    bool hadWindowIcon = false;
    answerNextBox(hadWindowIcon);
    fixture.open();
    QVERIFY(hadWindowIcon);
    QCOMPARE(QtGameFixture::runToTheEnd(), 0);
}

void TestApplicationSetup::theStylesIconsLookAsThePlatformsOwn_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("size");
    QTest::newRow("menu bar's overflow") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << 16;
    QTest::newRow("message box's question") << int(QStyle::SP_MessageBoxQuestion) << 32;
    QTest::newRow("dialog's OK") << int(QStyle::SP_DialogOkButton) << 24;
}

void TestApplicationSetup::theStylesIconsLookAsThePlatformsOwn() {
    QFETCH(int, which);
    QFETCH(int, size);
    const auto pixmap = QStyle::StandardPixmap(which);
    DeferredStyleIcons style;
    const QIcon deferred = style.standardIcon(pixmap);
    const QIcon own = QApplication::style()->standardIcon(pixmap);
    QVERIFY(!own.isNull());
    QCOMPARE(deferred.actualSize(QSize(size, size)), own.actualSize(QSize(size, size)));
    QCOMPARE(deferred.pixmap(size).toImage(), own.pixmap(size).toImage());
}

QTEST_MAIN(TestApplicationSetup)
#include "tst_qt_applicationsetup.moc"
