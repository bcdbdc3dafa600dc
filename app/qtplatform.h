#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "app/windowhold.h"
#include "play/inputgate.h"
#include "play/platform.h"

class MainWindow;
class QWidget;

// The desktop behind the rules: Qt's message boxes, beep, windows and fonts.
class QtPlatform : public Platform {
public:
    void showMessage(const std::string& text) override;
    void beep() override;
    void requestQuit() override;
    void showWindow(Window window) override;
    void hideWindow(Window window) override;
    void setWindowEnabled(Window window, bool enabled) override;
    void repaintNow(const Component& component) override;
    TextExtent measureText(TextStyle style, const std::string& text) override;

    // The windows as they are created; a window not yet created is left alone.
    void setWindow(Window window, QWidget* widget);
    void setMainWindow(MainWindow* window);
    // The gate learns from here when a message box holds the game's input.
    void setInputGate(InputGate& gate) { inputGate = &gate; }
    // What the end of the game does instead of ending the program: for a game that runs inside
    // another program, the level editor's test play.
    void setQuit(std::function<void()> instead) { quit = std::move(instead); }
    // The message box waiting for an answer, the innermost of several; none while none is open.
    QWidget* messageBox() const;

private:
    QWidget* widget(Window window) const;

    QPointer<QWidget> windows[6];
    QPointer<MainWindow> mainWindow;
    InputGate* inputGate = nullptr;
    std::function<void()> quit;
    std::vector<std::unique_ptr<WindowHold>> holds;  // one for each open box, the innermost last
};
