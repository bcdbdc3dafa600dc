// The game's own font configuration: every text the game draws must find the face and drawing
// settings the system's configuration finds, and a desktop font it lacks brings the system's back.
#include <QApplication>
#include <QtTest>

#include "app/componentpainter.h"
#include "app/fontconfigreader.h"

namespace {

// The file the configuration draws a font from, and how it draws it.
QString faceFor(FcConfig* configuration, const QFont& font) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(font.family().toUtf8().constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.bold() ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, QFontInfo(font).pixelSize());
    FcConfigSubstitute(configuration, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(configuration, pattern, &result);
    FcObjectSet* drawn =
        FcObjectSetBuild(FC_FILE, FC_INDEX, FC_HINTING, FC_HINT_STYLE, FC_AUTOHINT, FC_ANTIALIAS,
                         FC_LCD_FILTER, FC_RGBA, FC_EMBOLDEN, nullptr);
    FcPattern* face = FcPatternFilter(match, drawn);
    FcChar8* text = FcNameUnparse(face);
    const QString described = QString::fromUtf8(reinterpret_cast<const char*>(text));
    FcStrFree(text);
    FcPatternDestroy(face);
    FcObjectSetDestroy(drawn);
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return described;
}

}  // namespace

class TestFontConfig : public QObject {
    Q_OBJECT

private slots:
    void theGamesTextsLookAsUnderTheSystemsConfiguration();
    void aDesktopFontTheGameLacksBringsBackTheSystemsConfiguration();
};

void TestFontConfig::theGamesTextsLookAsUnderTheSystemsConfiguration() {
    FcConfig* own = loadOwnFontConfiguration();
    QVERIFY2(own, "the Liberation fonts are not installed");
    FcConfig* system = FcInitLoadConfigAndFonts();
    QFont plain = ComponentPainter::hudFont();
    plain.setBold(false);
    for (const QFont& font : {ComponentPainter::hudFont(), ComponentPainter::messageFont(), plain,
                              QApplication::font()}) {
        QCOMPARE(faceFor(own, font), faceFor(system, font));
    }
    FcConfigDestroy(own);
    FcConfigDestroy(system);
}

void TestFontConfig::aDesktopFontTheGameLacksBringsBackTheSystemsConfiguration() {
    // Installed with the game's own fonts, and not among them.
    const std::string lacking = "Liberation Mono";
    for (const auto& [desktop, systems] :
         {std::pair{std::string("Sans Serif"), false}, std::pair{lacking, true}}) {
        FontConfigReader reader;
        reader.wait(desktop);
        QCOMPARE(servesFontFamily(FcConfigGetCurrent(), lacking), systems);
    }
}

QTEST_MAIN(TestFontConfig)
#include "tst_qt_fontconfig.moc"
