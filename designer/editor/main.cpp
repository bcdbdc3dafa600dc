// quirlon95-editor [FILE]: the level editor. Without FILE it opens the level file the game would
// play, the first one found where the game looks.
#include <QApplication>
#include <QCommandLineParser>
#include <iostream>

#include "designer/editor/editorsetup.h"
#include "designer/editor/editorwindow.h"
#include "levels/levelfilelocation.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpEditorApplication();
    QApplication::setApplicationVersion(QStringLiteral(QUIRLON_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The level editor of Quirlon 95: draws, checks, plays and proves levels."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("The level file to open; without it, the one the game would play."),
        QStringLiteral("[FILE]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::cerr << "quirlon95-editor: one level file at most, not " << files.size() << "\n"
                  << parser.helpText().toStdString();
        return 2;
    }
    // The editor is installed beside the game, so it finds the game's file as the game does.
    const QString file =
        !files.isEmpty()
            ? files.first()
            : QString::fromStdString(
                  findLevelFile(QCoreApplication::applicationDirPath().toStdString()).string());
    EditorWindow window;
    window.show();
    window.openFile(file);
    return app.exec();
}
