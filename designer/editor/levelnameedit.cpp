#include "designer/editor/levelnameedit.h"

#include "designer/editor/editsession.h"

LevelNameEdit::LevelNameEdit(EditSession& session, QWidget* parent)
    : QLineEdit(parent), session(session) {
    setPlaceholderText(tr("Name des Levels"));
    setToolTip(
        tr("Der Name steht als Kommentar über dem Level in der Datei und geht mit ihm mit."));
    connect(&session, &EditSession::documentChanged, this, &LevelNameEdit::showName);
    connect(&session, &EditSession::levelChanged, this, &LevelNameEdit::showName);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (isModified()) {
            setModified(false);
            this->session.renameLevel(text().toStdString());
        }
    });
    showName();
}

void LevelNameEdit::showName() {
    const bool has = session.hasLevel();
    setEnabled(has);
    const QString name =
        has ? QString::fromStdString(session.document().name(session.level())) : QString();
    if (name != text()) {
        setText(name);
    }
    setModified(false);
}
