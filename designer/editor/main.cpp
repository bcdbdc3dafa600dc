// quirlon95-editor [FILE]: the level editor. Without FILE it opens the level file the game would
// play, the first one found where the game looks.
#include <QApplication>
#include <iostream>

#include "designer/editor/editorsetup.h"
#include "designer/editor/editorwindow.h"
#include "levels/levelfilelocation.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpEditorApplication();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 2) {
        std::cerr << "usage: quirlon95-editor [FILE]\n";
        return 2;
    }
    // The editor is installed beside the game, so it finds the game's file as the game does.
    const QString file =
        args.size() == 2
            ? args.at(1)
            : QString::fromStdString(
                  findLevelFile(QCoreApplication::applicationDirPath().toStdString()).string());
    EditorWindow window;
    window.show();
    window.openFile(file);
    return app.exec();
}
