#pragma once

#include <QLineEdit>

class EditSession;

// The name of the level in hand, to read and to type in: the first line of its comment in the
// file. A name typed in is one step of the history.
class LevelNameEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit LevelNameEdit(EditSession& session, QWidget* parent = nullptr);

private:
    void showName();

    EditSession& session;
};
