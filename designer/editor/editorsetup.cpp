#include "designer/editor/editorsetup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "art/pictures.h"

void setUpEditorApplication() {
    // The editor's settings live under these names.
    QApplication::setOrganizationName(QStringLiteral("quirlon95"));
    QApplication::setApplicationName(QStringLiteral("quirlon95-editor"));
    QGuiApplication::setDesktopFileName(EditorId);
    QApplication::setWindowIcon(QIcon(Pictures::path(Picture::EditorIcon)));
    // The file dialogs and the undo stack's texts; without the translations they stay English.
    auto* qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtTexts);
    }
}
