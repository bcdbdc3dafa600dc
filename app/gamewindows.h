#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "app/qtplatform.h"
#include "play/game.h"

class MainWindow;
class QDialog;
class QWindow;
class RoundEndDialog;

// The program's windows, created once in a fixed order and kept to the end.
class GameWindows : public QObject {
    Q_OBJECT

public:
    explicit GameWindows(const std::filesystem::path& executableDir);
    ~GameWindows() override;

    Game& game() { return theGame; }
    MainWindow* Form1() const { return form1.get(); }
    RoundEndDialog* Form2() const { return form2.get(); }
    QDialog* Form4() const { return form4.get(); }

private:
    void followActivation(QWindow* focused);

    QtPlatform platform;
    Game theGame;
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<RoundEndDialog> form2;
    std::unique_ptr<QDialog> form4;
    QPointer<QWindow> lastFocused;
};
