#pragma once

#include <QMainWindow>
#include <QPointer>
#include <optional>

#include "designer/editor/editsession.h"
#include "designer/editor/proofrunner.h"
#include "designer/editor/testplay.h"
#include "designer/proofrecords.h"

class FieldEditor;
class LevelList;
class LevelNameEdit;
class ProblemsPanel;
class QLabel;
class QProgressBar;
class QPushButton;

// The level editor's window: the level list, the field, the selected element's values and the
// problems, with the menus that open, save, edit, play and prove. It wires the parts together and
// keeps the file; what a part does lives in the part.
class EditorWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Opens a level file; when it cannot be read or holds no level, says what it found and keeps
    // what was open.
    bool openFile(const QString& path);
    // A new file of one level, not yet saved anywhere.
    void newFile();
    // Saves to the file, or asks where when there is none or it cannot be written.
    bool save();
    bool saveAs();
    // Saves to `path`, which becomes the file; when that fails, says why and keeps everything.
    bool saveTo(const QString& path);
    // Saves, after a question, as the level file the game finds first.
    void useInGame();

    // The test menu: the level in the game's window, the found playthrough shown there, and the
    // proof of every level.
    void playLevel();
    void showSolution();
    void proveAll();

    EditSession& session() { return edits; }
    FieldEditor* field() const { return fieldEditor; }
    LevelList* levelList() const { return levels; }
    LevelNameEdit* levelName() const { return nameEdit; }
    ProblemsPanel* problems() const { return problemsPanel; }
    TestPlay* testPlay() const { return testGame; }
    ProofRunner& proofRunner() { return runner; }
    const ProofRecords& proofRecords() const { return proofs; }
    QString filePath() const { return path; }
    bool isReadOnly() const { return readOnly; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct PendingShow {
        ProofRunner::Job job;
        std::string text;
    };

    void buildMenus();
    void buildLayout();
    void buildProgress();
    void updateTitle();
    void updateActions();
    bool maybeSave();
    QString documentName() const;
    std::optional<int32> playableLevel();
    TestPlay* openTestPlay(const std::string& text, int32 level);
    void startProofs(std::vector<ProofRunner::Job> jobs);
    void proved(const ProofRunner::Job& job, const LevelProof& outcome);
    void progressed(int job, int jobs, int32 number, double used);
    void proofsDone(bool cancelled);
    void refreshMarks();
    void showPointer(std::optional<QPoint> at);

    EditSession edits;
    ProofRecords proofs;
    ProofRunner runner;
    FieldEditor* fieldEditor = nullptr;
    LevelList* levels = nullptr;
    LevelNameEdit* nameEdit = nullptr;
    ProblemsPanel* problemsPanel = nullptr;
    QLabel* progressText = nullptr;
    QLabel* pointer = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* cancelButton = nullptr;
    QAction *deleteLevel = nullptr, *duplicateLevel = nullptr, *levelUp = nullptr,
            *levelDown = nullptr, *solution = nullptr, *prove = nullptr;
    QPointer<TestPlay> testGame;
    std::optional<PendingShow> pendingShow;
    QString path;
    bool readOnly = false;
};
