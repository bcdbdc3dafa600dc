#include "designer/editor/levelfilesave.h"

#include <QFile>
#include <QSaveFile>

#include "designer/wording.h"

bool saveLevelFile(const LevelDocument& document, const QString& path, QString& error) {
    if (const std::optional<LevelDocument::Refusal> refusal = document.refusal()) {
        error = QString::fromStdString(describe(*refusal, Language::German));
        return false;
    }
    QSaveFile file(path);
    const QByteArray bytes = QByteArray::fromStdString(document.text());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        error = QStringLiteral("%1 lässt sich nicht schreiben: %2").arg(path, file.errorString());
        return false;
    }
    // The old file is kept before the new one takes its place; a copy that fails stops the save.
    const QString backup = path + QStringLiteral(".bak");
    if (QFile::exists(path)) {
        QFile::remove(backup);
        if (!QFile::copy(path, backup)) {
            file.cancelWriting();
            error = QStringLiteral("Die Sicherung %1 lässt sich nicht anlegen.").arg(backup);
            return false;
        }
    }
    if (!file.commit()) {
        error = QStringLiteral("%1 lässt sich nicht schreiben: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
