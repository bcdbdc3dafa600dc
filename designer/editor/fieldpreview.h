#pragma once

#include <memory>

#include "designer/leveldocument.h"
#include "headless/recordingplatform.h"
#include "play/game.h"

// The field of a level as the game shows it the moment the level starts: the game's own rules lay
// it out from the document by the start click of its standard start, so the red bar, the paddle,
// the ball and the header stand where a round begins. The level's elements then stand where the
// file puts them, the hidden ones too, which the game would park out of sight.
class FieldPreview {
public:
    FieldPreview();
    ~FieldPreview();

    // Lays out the level at `index` of the document; a hidden element shows only with
    // `showHidden`.
    void show(const LevelDocument& document, std::size_t index, bool showHidden);
    // No level: an empty field under the header.
    void clear();

    const TForm1& form() const { return game->Form1; }
    // An element of the level, by its place in the reading order; the field editor moves it
    // while the mouse drags it.
    Component& element(std::size_t element) { return game->Form1.*LevelReadOrder[element]; }
    const Component& element(std::size_t element) const {
        return game->Form1.*LevelReadOrder[element];
    }
    // Whether the level file hides the element.
    bool hiddenInFile(std::size_t element) const { return hidden[element]; }

private:
    // The rules' platform: nothing shows and nothing ends, and texts take the room they take in
    // the game's fonts.
    class Platform : public RecordingPlatform {
        TextExtent measureText(TextStyle style, const std::string& text) override;
    };

    void startLevel(const std::string& text, int32 number);

    Platform platform;
    std::unique_ptr<Game> game;
    std::array<bool, LevelReadOrder.size()> hidden{};
};
