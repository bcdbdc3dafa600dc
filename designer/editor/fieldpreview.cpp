#include "designer/editor/fieldpreview.h"

#include "app/componentpainter.h"

FieldPreview::FieldPreview() {
    clear();
}

FieldPreview::~FieldPreview() = default;

void FieldPreview::startLevel(const std::string& text, int32 number) {
    game = std::make_unique<HeadlessGame>([text] { return ProfileFile::fromText(text); });
    // Texts take the room they take in the game's fonts.
    game->platform.measure = &ComponentPainter::textExtent;
    game->standardStart(number);
    game->game.Form1.Label4Click();
}

void FieldPreview::show(const LevelDocument& document, LevelIndex index, bool showHidden) {
    startLevel(document.text(), document.level(index).number);
    // The section at this place of the list, even where the game reads an earlier one of the
    // same name.
    const LevelLayout layout = document.layout(index);
    for (const ElementId id : LevelElements) {
        const Placement& placed = layout[id];
        Component& c = element(id);
        c.Left = placed.Left;
        c.Top = placed.Top;
        c.Width = placed.Width;
        c.Height = placed.Height;
        c.Visible = placed.Visible || showHidden;
        hidden[id.place()] = !placed.Visible;
    }
}

void FieldPreview::clear() {
    startLevel({}, 1);
    for (const ElementId id : LevelElements) {
        element(id).Visible = false;
        hidden[id.place()] = true;
    }
}
