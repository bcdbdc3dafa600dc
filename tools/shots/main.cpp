// quirlon95-shots FOLDER: plays through the start windows into a game and saves a picture of each
// window as the player sees it, the main window once waiting for a start and once in play; then
// the level editor on the shipped levels, proved, and on a level spoilt so that it shows problems.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <iostream>

#include "app/fontconfigreader.h"
#include "app/gamewindows.h"
#include "app/mainwindow.h"
#include "app/playfield.h"
#include "app/roundenddialog.h"
#include "designer/editor/editorwindow.h"
#include "designer/editor/fieldeditor.h"
#include "windows/aboutbox.h"
#include "windows/helpbuyingwindow.h"
#include "windows/helpelementswindow.h"
#include "windows/startscreen.h"

namespace {

// Waits while the windows' own timers run, so what is saved is what they have drawn by then.
void waitFor(const std::function<bool()>& done) {
    for (int waited = 0; !done() && waited < 10000; waited += 10) {
        QTest::qWait(10);
    }
}

bool save(QWidget* window, const QDir& folder, const QString& name) {
    const QString file = folder.filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(file)) {
        std::cerr << "quirlon95-shots: cannot write " << file.toStdString() << '\n';
        return false;
    }
    std::cout << file.toStdString() << '\n';
    return true;
}

void leave(QDialog* window) {
    window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

// Goes through the program as a player does and saves each window on the way.
bool shootAll(GameWindows& windows, const QDir& folder) {
    TForm1& form = windows.game().Form1;
    waitFor([&] { return !windows.Form3()->isGrowing(); });
    bool saved = save(windows.Form3(), folder, QStringLiteral("1-start-screen"));
    leave(windows.Form3());
    saved &= save(windows.Form5(), folder, QStringLiteral("2-help-elements"));
    leave(windows.Form5());
    saved &= save(windows.Form6(), folder, QStringLiteral("3-help-buying"));
    leave(windows.Form6());
    saved &= save(windows.Form1(), folder, QStringLiteral("4-main-waiting"));

    // The first level a moment after the start, the paddle under the falling ball.
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseMove(windows.Form1()->field(), QPoint(form.ball.Left + 15, 420));
    QTest::qWait(400);
    saved &= save(windows.Form1(), folder, QStringLiteral("5-main-in-play"));

    form.Info1Click();
    saved &= save(windows.Form4(), folder, QStringLiteral("6-about"));
    leave(windows.Form4());

    // The paddle out of the way, the ball lost, the message a while into its flight.
    form.fanger.Top = 1000;
    waitFor([&] { return windows.Form2()->isVisible(); });
    waitFor([&] { return form.durchgang >= 40; });
    saved &= save(windows.Form2(), folder, QStringLiteral("7-round-end"));
    return saved;
}

// The editor as a designer meets it: every level proved, the third in hand with a bar selected;
// then that level with the hand hidden and a penny pushed into the header and onto a bar.
bool shootEditor(const QDir& folder) {
    EditorWindow window;
    window.show();
    if (!window.openFile(QCoreApplication::applicationDirPath() + QStringLiteral("/328lvd.ini"))) {
        return false;
    }
    window.proveAll();
    waitFor([&] { return !window.proofRunner().busy(); });
    EditSession& session = window.session();
    session.setLevel(LevelIndex(2));
    session.select(levelElementNamed("hinder5"));
    bool saved = save(&window, folder, QStringLiteral("8-editor"));

    const ElementId Dig3 = *levelElementNamed("dig3"), Dig11 = *levelElementNamed("dig11");
    LevelLayout layout = session.layout();
    layout[Dig11].Visible = false;
    session.place(Dig11, layout[Dig11], QStringLiteral("hide the hand"));
    Placement penny = layout[Dig3];
    penny.Top = 20;
    session.place(Dig3, penny, QStringLiteral("into the header"));
    session.select(Dig3);
    saved &= save(&window, folder, QStringLiteral("9-editor-problems"));
    // Nothing is kept of the spoilt level.
    while (session.history().canUndo()) {
        session.history().undo();
    }
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    // The windows are drawn in the fonts the game finds.
    FontConfigReader fonts;
    QApplication app(argc, argv);
    fonts.wait(QApplication::font().family().toStdString());
    if (argc != 2) {
        std::cerr << "usage: quirlon95-shots FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::cerr << "quirlon95-shots: cannot make " << argv[1] << '\n';
        return 1;
    }
    GameWindows windows(QCoreApplication::applicationDirPath().toStdString());
    const bool game = shootAll(windows, folder);
    return game && shootEditor(folder) ? 0 : 1;
}
