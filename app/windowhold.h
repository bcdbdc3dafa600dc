#pragma once

#include <QObject>
#include <QPointer>
#include <utility>
#include <vector>

class QWidget;

// Holds the program's other windows while a message box waits for its answer, as Qt's modality
// would, but by disabling them: Qt drops every key the desktop gives a window its modality holds,
// and a compositor that leaves the keyboard with the window the player clicked (sway, by default)
// would leave the box deaf. A disabled window still hears the key and hands it on to the box.
class WindowHold : public QObject {
public:
    // Disables every shown and enabled window of the program but `box`.
    explicit WindowHold(QWidget* box);
    // Enables them again, each as it was last asked to be meanwhile.
    ~WindowHold() override;
    WindowHold(const WindowHold&) = delete;
    WindowHold& operator=(const WindowHold&) = delete;

    // Takes a change of a held window's state for when the hold ends; false for a window it does
    // not hold.
    bool deferEnabled(const QWidget* window, bool enabled);
    // The box the hold is kept for.
    QWidget* box() const;

protected:
    // A held window is not closed under the box, whose handler may still run inside it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* heldFor;
    std::vector<std::pair<QPointer<QWidget>, bool>> held;  // each window, enabled afterwards
};
