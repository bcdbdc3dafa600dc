#include "app/startwindows.h"

#include "app/gamewindows.h"
#include "windows/helpbuyingwindow.h"
#include "windows/helpelementswindow.h"
#include "windows/startscreen.h"

StartWindows::StartWindows() = default;
StartWindows::~StartWindows() = default;

void StartWindows::afterMainWindow(GameWindows& windows) {
    form3 = std::make_unique<StartScreen>();
    windows.adopt(Window::Form3, form3.get());
    windows.show(Window::Form3);
}

void StartWindows::afterLastWindow(GameWindows& windows) {
    form5 = std::make_unique<HelpElementsWindow>();
    windows.adopt(Window::Form5, form5.get());
    form6 = std::make_unique<HelpBuyingWindow>();
    windows.adopt(Window::Form6, form6.get());
    QObject::connect(form3.get(), &StartScreen::left, &windows,
                     [&windows] { windows.show(Window::Form5); });
    QObject::connect(form5.get(), &HelpElementsWindow::left, &windows,
                     [&windows] { windows.show(Window::Form6); });
    QObject::connect(form6.get(), &HelpBuyingWindow::left, &windows,
                     [&windows] { windows.letThePlayerIn(); });
}

QWidget* StartWindows::inFront() const {
    for (QWidget* window : {static_cast<QWidget*>(form6.get()), static_cast<QWidget*>(form5.get()),
                            static_cast<QWidget*>(form3.get())}) {
        if (window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}
