#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "play/platform.h"

// A platform without windows: it records what the rules asked of it. Message boxes are answered
// at once; `whileMessageOpen` lets a caller run events inside a box, as the real modal loop does.
class RecordingPlatform : public Platform {
public:
    void showMessage(const std::string& text) override;
    void beep() override { ++beeps; }
    void requestQuit() override { quit = true; }
    void showWindow(Window window) override { shown[window] = true; }
    void hideWindow(Window window) override { shown[window] = false; }
    void setWindowEnabled(Window window, bool enabled) override { windowEnabled[window] = enabled; }
    void repaintNow(const Component&) override { ++repaints; }
    // With no `measure` given: widths of Arial bold (Liberation Sans Bold has the same), so texts
    // take the room they take in the game.
    TextExtent measureText(TextStyle style, const std::string& text) override;
    void report(const GameEvent& event) override { events.push_back(event); }

    using TextMeasure = TextExtent (*)(TextStyle, const std::string&);
    TextMeasure measure = nullptr;

    std::vector<std::string> messages;
    std::vector<GameEvent> events;
    int beeps = 0;
    int repaints = 0;
    bool quit = false;
    std::map<Window, bool> shown;
    std::map<Window, bool> windowEnabled;
    std::function<void(const std::string&)> whileMessageOpen;
};
