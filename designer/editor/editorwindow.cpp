#include "designer/editor/editorwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "app/gamewindows.h"
#include "app/mainwindow.h"
#include "designer/editor/besideplace.h"
#include "designer/editor/fieldeditor.h"
#include "designer/editor/levelfilesave.h"
#include "designer/editor/levellist.h"
#include "designer/editor/levelnameedit.h"
#include "designer/editor/problemspanel.h"
#include "designer/editor/propertypanel.h"
#include "designer/editor/testplay.h"
#include "designer/wording.h"
#include "levels/levelfilelocation.h"
#include "levels/profilesyntax.h"

namespace {

const QString Title = QStringLiteral("Quirlon 95 Leveleditor");
const QString FileFilter = QStringLiteral("Level-Dateien (*.ini);;Alle Dateien (*)");
enum { SideWidth = 220, ProblemsHeight = 150, StatusSeconds = 6 };
constexpr int ProgressSteps = 1000;
const QString ShowHiddenKey = QStringLiteral("view/showHidden");

QAction* addItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    return action;
}

// QSaveFile needs the folder as well as the file: it writes beside it and renames.
bool writable(const QString& path) {
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

// What a file without a level holds instead, in German.
QString noLevelIn(const std::string& text, const QString& name) {
    if (text.find('\0') != std::string::npos) {
        return EditorWindow::tr(
                   "%1 ist keine Textdatei und also keine Level-Datei: es steht kein "
                   "Level darin.")
            .arg(name);
    }
    QStringList sections;
    ProfileSyntax::Lines lines(text);
    for (ProfileSyntax::Line line; lines.next(line);) {
        if (line.kind == ProfileSyntax::Line::Header) {
            sections << QStringLiteral("[%1]").arg(QString::fromStdString(std::string(line.name)));
        }
    }
    QString said = EditorWindow::tr(
                       "In %1 steht kein Level: ein Level ist ein Abschnitt mit "
                       "seiner Nummer, [1] für den ersten.")
                       .arg(name);
    if (!sections.isEmpty()) {
        said += EditorWindow::tr(" Die Datei hat nur andere Abschnitte: %1.")
                    .arg(sections.mid(0, 3).join(QStringLiteral(", ")) +
                         (sections.size() > 3 ? QStringLiteral(", ...") : QString()));
    }
    return said;
}

QString userFile() {
    const std::optional<std::filesystem::path> file = userLevelFile();
    return file ? QString::fromStdString(file->string()) : QString();
}

}  // namespace

EditorWindow::EditorWindow(QWidget* parent) : QMainWindow(parent) {
    buildLayout();
    buildMenus();
    buildProgress();
    connect(&edits.history(), &QUndoStack::cleanChanged, this, &EditorWindow::updateTitle);
    connect(&edits, &EditSession::documentChanged, this, &EditorWindow::updateActions);
    connect(&edits, &EditSession::levelChanged, this, &EditorWindow::updateActions);
    // Said at once, without holding up the drop or the command that caused it.
    connect(&edits, &EditSession::ruleLevelChanged, this, [this](const QString& said) {
        auto* box = new QMessageBox(QMessageBox::Warning, Title, said, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    connect(&runner, &ProofRunner::proved, this, &EditorWindow::proved);
    connect(&runner, &ProofRunner::progressed, this, &EditorWindow::progressed);
    connect(&runner, &ProofRunner::finished, this, &EditorWindow::proofsDone);
    newFile();
}

EditorWindow::~EditorWindow() {
    // The history outlives the title's parts as members go; it must not update the title then.
    disconnect(&edits.history(), nullptr, this, nullptr);
    delete testGame;
}

void EditorWindow::buildLayout() {
    fieldEditor = new FieldEditor(edits);
    levels = new LevelList(edits, proofs);
    levels->setFixedWidth(SideWidth);
    problemsPanel = new ProblemsPanel(edits, proofs);
    problemsPanel->setFixedHeight(ProblemsHeight);
    connect(problemsPanel, &ProblemsPanel::elementChosen, fieldEditor,
            [this] { fieldEditor->setFocus(); });

    auto* element = new QGroupBox(tr("Element"));
    auto* elementLayout = new QVBoxLayout(element);
    elementLayout->addWidget(new PropertyPanel(edits));
    elementLayout->addStretch();
    element->setFixedWidth(SideWidth);

    nameEdit = new LevelNameEdit(edits);
    auto* levelColumn = new QVBoxLayout;
    levelColumn->addWidget(levels);
    levelColumn->addWidget(nameEdit);
    nameEdit->setFixedWidth(SideWidth);
    connect(levels, &QListWidget::itemDoubleClicked, nameEdit, [this] {
        nameEdit->setFocus();
        nameEdit->selectAll();
    });

    auto* row = new QHBoxLayout;
    row->addLayout(levelColumn);
    row->addWidget(fieldEditor, 0, Qt::AlignTop);
    row->addWidget(element);
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addLayout(row);
    column->addWidget(new QLabel(tr("Probleme")));
    column->addWidget(problemsPanel);
    setCentralWidget(central);
}

void EditorWindow::buildMenus() {
    QMenu* datei = menuBar()->addMenu(tr("Datei"));
    connect(addItem(datei, tr("Neue Datei"), QKeySequence::New), &QAction::triggered, this, [this] {
        if (maybeSave()) {
            newFile();
        }
    });
    connect(addItem(datei, tr("Öffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] {
                if (!maybeSave()) {
                    return;
                }
                const QString chosen = QFileDialog::getOpenFileName(
                    this, tr("Öffnen"), QFileInfo(path).absolutePath(), FileFilter);
                if (!chosen.isEmpty()) {
                    openFile(chosen);
                }
            });
    connect(addItem(datei, tr("Speichern"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &EditorWindow::save);
    connect(
        addItem(datei, tr("Speichern unter..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
        &QAction::triggered, this, &EditorWindow::saveAs);
    connect(addItem(datei, tr("Im Spiel verwenden...")), &QAction::triggered, this,
            &EditorWindow::useInGame);
    datei->addSeparator();
    connect(addItem(datei, tr("Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered,
            this, &QWidget::close);

    QMenu* bearbeiten = menuBar()->addMenu(tr("Bearbeiten"));
    QAction* undo = edits.history().createUndoAction(this, tr("Rückgängig"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = edits.history().createRedoAction(this, tr("Wiederholen"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    bearbeiten->addActions({undo, redo});
    bearbeiten->addSeparator();
    connect(addItem(bearbeiten, tr("Orte kopieren"), QKeySequence::Copy), &QAction::triggered,
            &edits, &EditSession::copyPlaces);
    connect(addItem(bearbeiten, tr("Orte einfügen"), QKeySequence::Paste), &QAction::triggered,
            &edits, &EditSession::pastePlaces);

    QMenu* ansicht = menuBar()->addMenu(tr("Ansicht"));
    QAction* hidden = addItem(ansicht, tr("Versteckte Elemente zeigen"));
    hidden->setCheckable(true);
    // The choice holds from one run to the next.
    fieldEditor->setShowHidden(QSettings().value(ShowHiddenKey, true).toBool());
    hidden->setChecked(fieldEditor->showsHidden());
    connect(hidden, &QAction::toggled, this, [this](bool shown) {
        fieldEditor->setShowHidden(shown);
        QSettings().setValue(ShowHiddenKey, shown);
    });
    QAction* grid = addItem(ansicht, tr("Raster (10 Pixel)"), QKeySequence(Qt::CTRL | Qt::Key_G));
    grid->setCheckable(true);
    connect(grid, &QAction::toggled, fieldEditor, &FieldEditor::setGrid);

    QMenu* level = menuBar()->addMenu(tr("Level"));
    QToolBar* tools = addToolBar(tr("Werkzeuge"));
    tools->setMovable(false);
    QAction* add = addItem(level, tr("Neuer Level"));
    duplicateLevel = addItem(level, tr("Duplizieren"));
    deleteLevel = addItem(level, tr("Löschen"));
    levelUp = addItem(level, tr("Nach oben"));
    levelDown = addItem(level, tr("Nach unten"));
    QAction* rename = addItem(level, tr("Umbenennen"), QKeySequence(Qt::Key_F2));
    connect(rename, &QAction::triggered, this, [this] {
        nameEdit->setFocus();
        nameEdit->selectAll();
    });
    connect(add, &QAction::triggered, &edits, &EditSession::addLevel);
    connect(duplicateLevel, &QAction::triggered, &edits, &EditSession::duplicateLevel);
    connect(deleteLevel, &QAction::triggered, &edits, &EditSession::deleteLevel);
    connect(levelUp, &QAction::triggered, &edits, [this] { edits.moveLevel(-1); });
    connect(levelDown, &QAction::triggered, &edits, [this] { edits.moveLevel(+1); });
    tools->addActions(level->actions());
    tools->addSeparator();

    QMenu* test = menuBar()->addMenu(tr("Test"));
    connect(addItem(test, tr("Spielen"), QKeySequence(Qt::Key_F5)), &QAction::triggered, this,
            &EditorWindow::playLevel);
    solution = addItem(test, tr("Lösung zeigen"), QKeySequence(Qt::Key_F6));
    connect(solution, &QAction::triggered, this, &EditorWindow::showSolution);
    prove = addItem(test, tr("Prüfen"), QKeySequence(Qt::Key_F7));
    connect(prove, &QAction::triggered, this, &EditorWindow::proveAll);
    tools->addActions(test->actions());
}

void EditorWindow::buildProgress() {
    pointer = new QLabel;
    pointer->setObjectName(QStringLiteral("pointer"));
    statusBar()->addWidget(pointer);
    connect(fieldEditor, &FieldEditor::pointerMoved, this, &EditorWindow::showPointer);
    progressText = new QLabel;
    progress = new QProgressBar;
    progress->setRange(0, ProgressSteps);
    cancelButton = new QPushButton(tr("Abbrechen"));
    connect(cancelButton, &QPushButton::clicked, &runner, &ProofRunner::cancel);
    for (QWidget* part : {static_cast<QWidget*>(progressText), static_cast<QWidget*>(progress),
                          static_cast<QWidget*>(cancelButton)}) {
        statusBar()->addPermanentWidget(part);
        part->hide();
    }
}

QString EditorWindow::documentName() const {
    return path.isEmpty() ? tr("Unbenannt") : QFileInfo(path).fileName();
}

void EditorWindow::updateTitle() {
    setWindowTitle(
        QStringLiteral("%1 – %2[*]%3")
            .arg(Title, documentName(), readOnly ? tr(" (schreibgeschützt)") : QString()));
    setWindowModified(!edits.history().isClean());
}

void EditorWindow::updateActions() {
    const std::size_t count = edits.document().levels().size();
    duplicateLevel->setEnabled(edits.hasLevel());
    deleteLevel->setEnabled(count > 1);
    levelUp->setEnabled(edits.hasLevel() && edits.level().place() > 0);
    levelDown->setEnabled(edits.level().place() + 1 < count);
    solution->setEnabled(!runner.busy());
    prove->setEnabled(!runner.busy());
}

void EditorWindow::newFile() {
    LevelDocument document;
    document.addLevel();
    path.clear();
    readOnly = false;
    edits.reset(std::move(document));
    updateTitle();
}

bool EditorWindow::openFile(const QString& file) {
    LevelDocument::OpenError error{};
    std::optional<LevelDocument> document =
        LevelDocument::open(QFile::encodeName(file).toStdString(), error);
    if (!document) {
        QMessageBox::warning(this, Title,
                             QString::fromStdString(describe(
                                 error, QFile::encodeName(file).toStdString(), Language::German)));
        return false;
    }
    if (document->levels().empty()) {
        QMessageBox::warning(this, Title,
                             noLevelIn(document->text(), QFileInfo(file).fileName()) +
                                 tr("\n\nSie bleibt zu; „Datei → Neue Datei“ beginnt eine."));
        return false;
    }
    path = QFileInfo(file).absoluteFilePath();
    readOnly = !writable(path);
    edits.reset(std::move(*document));
    updateTitle();
    fieldEditor->setFocus();
    if (readOnly) {
        statusBar()->showMessage(
            tr("Die Datei lässt sich nicht ändern; Speichern legt sie in Ihrem Datenordner an."));
    }
    return true;
}

bool EditorWindow::save() {
    return path.isEmpty() || readOnly ? saveAs() : saveTo(path);
}

bool EditorWindow::saveAs() {
    QString suggestion = path;
    if (suggestion.isEmpty() || readOnly) {
        // The player's own levels go where the game looks first.
        suggestion = userFile();
        QDir().mkpath(QFileInfo(suggestion).absolutePath());
    }
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("Speichern unter"), suggestion, FileFilter);
    return !chosen.isEmpty() && saveTo(chosen);
}

bool EditorWindow::saveTo(const QString& file) {
    QString error;
    if (!saveLevelFile(edits.document(), file, error)) {
        QMessageBox::warning(this, Title,
                             tr("Die Datei wurde nicht gespeichert.\n\n%1").arg(error));
        return false;
    }
    path = QFileInfo(file).absoluteFilePath();
    readOnly = false;
    edits.history().setClean();
    updateTitle();
    statusBar()->showMessage(tr("Gespeichert: %1").arg(path), StatusSeconds * 1000);
    return true;
}

void EditorWindow::useInGame() {
    const QString file = userFile();
    if (file.isEmpty()) {
        QMessageBox::warning(this, Title, tr("Es gibt keinen Benutzerordner (HOME fehlt)."));
        return;
    }
    const QString question =
        tr("Die Levels als %1 speichern? Dort sucht das Spiel seine Levels zuerst. Eine Datei, die "
           "dort schon liegt, bleibt als 328lvd.ini.bak erhalten.")
            .arg(file);
    if (QMessageBox::question(this, Title, question) != QMessageBox::Yes) {
        return;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    const bool existed = QFileInfo::exists(file);
    QString error;
    if (!saveLevelFile(edits.document(), file, error)) {
        QMessageBox::warning(this, Title,
                             tr("Die Datei wurde nicht gespeichert.\n\n%1").arg(error));
        return;
    }
    if (QFileInfo(file).absoluteFilePath() == path) {
        edits.history().setClean();
    }
    QString said = tr("Gespeichert als %1. Das Spiel spielt von nun an diese Levels.").arg(file);
    if (existed) {
        said +=
            tr(" Die bisherige Datei liegt als %1.bak daneben.").arg(QFileInfo(file).fileName());
    }
    QMessageBox::information(this, Title, said);
}

bool EditorWindow::maybeSave() {
    if (edits.history().isClean()) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, Title,
                    tr("Die Änderungen an %1 sind nicht gespeichert.").arg(documentName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(tr("Möchten Sie sie speichern?"));
    box.button(QMessageBox::Save)->setText(tr("Speichern"));
    box.button(QMessageBox::Discard)->setText(tr("Verwerfen"));
    box.button(QMessageBox::Cancel)->setText(tr("Abbrechen"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    runner.cancel();
    delete testGame;
    event->accept();
}

// The level in hand, when the game can play it as it stands.
std::optional<int32> EditorWindow::playableLevel() {
    if (!edits.hasLevel()) {
        return std::nullopt;
    }
    const LevelDocument& document = edits.document();
    if (const std::optional<LevelDocument::Refusal> refusal = document.refusal()) {
        QMessageBox::warning(this, Title,
                             QString::fromStdString(describe(*refusal, Language::German)));
        return std::nullopt;
    }
    const LevelDocument::Level& level = document.level(edits.level());
    if (!level.read) {
        QMessageBox::warning(this, Title,
                             tr("Das Spiel liest diesen Abschnitt nie: für Level %1 nimmt es den "
                                "ersten Abschnitt [%1] der Datei.")
                                 .arg(level.number));
        return std::nullopt;
    }
    return level.number;
}

TestPlay* EditorWindow::openTestPlay(const std::string& text, int32 level) {
    delete testGame;
    testGame = new TestPlay(text, level, this);
    connect(testGame, &TestPlay::ended, testGame, &QObject::deleteLater);
    connect(testGame, &TestPlay::stoodStill, this, [this](const Standstill& at) {
        fieldEditor->markStandstill(QPoint(at.left, at.top));
        statusBar()->showMessage(tr("Testspiel: Der Ball steht bei %1,%2 still und kommt nicht "
                                    "mehr los – eine Falle des Levels.")
                                     .arg(at.left)
                                     .arg(at.top));
    });
    // Beside the field, so that the level stays in view while it is played.
    QWidget* game = testGame->windows().Form1();
    game->move(game->pos() +
               besidePlace(screen()->availableGeometry(), frameGeometry(),
                           QRect(fieldEditor->mapToGlobal(QPoint()), fieldEditor->size()),
                           game->frameGeometry().size()) -
               game->frameGeometry().topLeft());
    return testGame;
}

void EditorWindow::playLevel() {
    if (const std::optional<int32> level = playableLevel()) {
        openTestPlay(edits.document().text(), *level);
    }
}

void EditorWindow::showSolution() {
    const std::optional<int32> level = playableLevel();
    if (!level || runner.busy()) {
        return;
    }
    const ProofRunner::Job job{*level, edits.layout()};
    if (const LevelProof* known = proofs.find(job.number, job.layout)) {
        pendingShow = PendingShow{job, edits.document().text()};
        proved(job, *known);
        return;
    }
    pendingShow = PendingShow{job, edits.document().text()};
    startProofs({job});
}

void EditorWindow::proveAll() {
    const LevelDocument& document = edits.document();
    if (runner.busy()) {
        return;
    }
    if (const std::optional<LevelDocument::Refusal> refusal = document.refusal()) {
        QMessageBox::warning(this, Title,
                             QString::fromStdString(describe(*refusal, Language::German)));
        return;
    }
    std::vector<ProofRunner::Job> jobs;
    for (const LevelIndex i : document.places()) {
        if (document.level(i).read) {
            jobs.push_back({document.level(i).number, document.layout(i)});
        }
    }
    startProofs(std::move(jobs));
}

void EditorWindow::startProofs(std::vector<ProofRunner::Job> jobs) {
    if (!runner.start(edits.document().text(), std::move(jobs))) {
        return;
    }
    for (QWidget* part : {static_cast<QWidget*>(progressText), static_cast<QWidget*>(progress),
                          static_cast<QWidget*>(cancelButton)}) {
        part->show();
    }
    progress->setValue(0);
    updateActions();
}

void EditorWindow::progressed(int job, int jobs, int32 number, double used) {
    progressText->setText(tr("Prüfe Level %1 (%2 von %3)").arg(number).arg(job + 1).arg(jobs));
    progress->setValue(int((job + used) / jobs * ProgressSteps));
}

void EditorWindow::proved(const ProofRunner::Job& job, const LevelProof& outcome) {
    proofs.remember(job.number, job.layout, outcome);
    refreshMarks();
    if (!pendingShow || pendingShow->job.number != job.number ||
        pendingShow->job.layout != job.layout) {
        return;
    }
    const PendingShow show = *pendingShow;
    pendingShow.reset();
    if (!outcome.proved()) {
        QMessageBox::information(
            this, Title,
            tr("Level %1: %2")
                .arg(job.number)
                .arg(QString::fromStdString(describe(outcome, Language::German))));
    }
    // Without a proof, the attempt that came nearest shows where the level stops a player.
    if (!outcome.playthrough.events.empty()) {
        openTestPlay(show.text, job.number)->showPlaythrough(outcome.playthrough.events);
    }
}

void EditorWindow::proofsDone(bool cancelled) {
    for (QWidget* part : {static_cast<QWidget*>(progressText), static_cast<QWidget*>(progress),
                          static_cast<QWidget*>(cancelButton)}) {
        part->hide();
    }
    pendingShow.reset();
    updateActions();
    statusBar()->showMessage(cancelled ? tr("Prüfung abgebrochen.") : tr("Prüfung beendet."),
                             StatusSeconds * 1000);
}

// Where the pointer is in the field's pixels, the level file's own.
void EditorWindow::showPointer(std::optional<QPoint> at) {
    pointer->setText(at ? tr("x %1, y %2").arg(at->x()).arg(at->y()) : QString());
}

void EditorWindow::refreshMarks() {
    levels->refresh();
    problemsPanel->refresh();
}
