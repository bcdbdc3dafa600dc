#include "designer/editor/fieldpreview.h"

#include "app/componentpainter.h"
#include "headless/standardstart.h"

TextExtent FieldPreview::Platform::measureText(TextStyle style, const std::string& text) {
    return ComponentPainter::textExtent(style, text);
}

FieldPreview::FieldPreview() {
    clear();
}

FieldPreview::~FieldPreview() = default;

void FieldPreview::startLevel(const std::string& text, int32 number) {
    platform.messages.clear();
    game = std::make_unique<Game>(platform, [text] { return ProfileFile::fromText(text); });
    TForm1& form = game->Form1;
    form.FormCreate();
    setUpStandardStart(*game, number);
    form.Label4Click();
}

void FieldPreview::show(const LevelDocument& document, std::size_t index, bool showHidden) {
    startLevel(document.text(), document.levels()[index].number);
    // The section at this place of the list, even where the game reads an earlier one of the
    // same name.
    const LevelLayout layout = document.layout(index);
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const Placement& placed = layout[i];
        Component& c = element(i);
        c.Left = placed.Left;
        c.Top = placed.Top;
        c.Width = placed.Width;
        c.Height = placed.Height;
        c.Visible = placed.Visible || showHidden;
        hidden[i] = !placed.Visible;
    }
}

void FieldPreview::clear() {
    startLevel({}, 1);
    for (std::size_t i = 0; i < LevelReadOrder.size(); ++i) {
        element(i).Visible = false;
        hidden[i] = true;
    }
}
