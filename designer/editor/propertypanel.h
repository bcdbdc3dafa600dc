#pragma once

#include <QWidget>
#include <array>

#include "play/levelelements.h"

class EditSession;
class QCheckBox;
class QLabel;
class QSpinBox;

// The selected element's values as the level file gives them, to read and to type in: left, top,
// width, height and whether it shows. Each value typed in is one step of the history.
class PropertyPanel : public QWidget {
    Q_OBJECT

public:
    explicit PropertyPanel(EditSession& session, QWidget* parent = nullptr);

private:
    void showSelection();
    void edit(LevelField field, int value);

    EditSession& session;
    QLabel* title;
    std::array<QSpinBox*, 4> numbers{};
    QCheckBox* visible;
};
