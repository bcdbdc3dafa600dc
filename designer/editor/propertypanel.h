#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "play/levelelements.h"

class EditSession;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The selected element's values as the level file gives them, to read and to type in: left, top,
// width, height and whether it shows. Each value typed in is one step of the history; what is no
// whole number in a field's range is turned away with a word, and the file keeps its value.
class PropertyPanel : public QWidget {
    Q_OBJECT

public:
    explicit PropertyPanel(EditSession& session, QWidget* parent = nullptr);

    // The value a field takes from what was typed into it; nothing when it is no whole number
    // within the field's range. `field` is one of the four numbers.
    static std::optional<int32> parse(LevelField field, const QString& typed);
    // The words that turn the typed text away.
    static QString rejection(LevelField field, const QString& typed);

private:
    void showSelection();
    void typed(std::size_t number);
    void edit(LevelField field, int32 value);
    void fitToPicture();

    EditSession& session;
    QLabel* title;
    std::array<QLineEdit*, 4> numbers{};
    QCheckBox* visible;
    QPushButton* pictureSize;
    QLabel* said;
};
