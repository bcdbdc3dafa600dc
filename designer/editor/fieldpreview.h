#pragma once

#include <memory>

#include "designer/leveldocument.h"
#include "headless/headlessgame.h"

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
    void show(const LevelDocument& document, LevelIndex index, bool showHidden);
    // No level: an empty field under the header.
    void clear();

    const TForm1& form() const { return game->game.Form1; }
    // An element of the level, by its place in the reading order; the field editor moves it
    // while the mouse drags it.
    Component& element(ElementId element) { return game->game.Form1.*element.member(); }
    const Component& element(ElementId element) const { return game->game.Form1.*element.member(); }
    // Whether the level file hides the element.
    bool hiddenInFile(ElementId element) const { return hidden[element.place()]; }

private:
    void startLevel(const std::string& text, int32 number);

    std::unique_ptr<HeadlessGame> game;
    std::array<bool, ElementId::Count> hidden{};
};
