// The level editor's window, offscreen: selecting, dragging and sizing with the mouse, the keyboard
// table, undo and redo of every kind of change, and saving that touches only what was edited.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/mainwindow.h"
#include "art/pictures.h"
#include "designer/editor/besideplace.h"
#include "designer/editor/editorwindow.h"
#include "designer/editor/fieldeditor.h"
#include "designer/editor/levellist.h"
#include "designer/editor/levelnameedit.h"
#include "designer/editor/problemspanel.h"
#include "designer/editor/propertypanel.h"
#include "designer/editor/testplay.h"
#include "designer/pictureboxes.h"
#include "play/tickperiod.h"
#include "tests/qtgamefixture.h"

namespace {

// Elements by their place in the level file's reading order, as the table rows carry them.
int placeOf(std::string_view name) {
    return int(levelElementNamed(name)->place());
}
const int Hinder1 = placeOf("hinder1"), Hinder2 = placeOf("hinder2"), Hinder5 = placeOf("hinder5"),
          Dig11 = placeOf("dig11"), None = -1;

// hinder1 shown at 80,250 (201 x 30), hinder5 hidden at 300,100; the rest give no keys.
const QByteArray Level =
    "[1]\n"
    "hinder1.left=80\nhinder1.top=250\nhinder1.width=201\nhinder1.height=30\n"
    "hinder5.left=300\nhinder5.top=100\nhinder5.width=100\nhinder5.height=30\n"
    "hinder5.visible=0\n";

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

struct Editor {
    explicit Editor(const QByteArray& text = Level) {
        QFile file(dir.filePath(QStringLiteral("328lvd.ini")));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.close();
        window.openFile(file.fileName());
    }

    QString path() const { return dir.filePath(QStringLiteral("328lvd.ini")); }
    FieldEditor* field() const { return window.field(); }
    EditSession& session() { return window.session(); }
    std::string text() { return session().document().text(); }
    Placement placed(int element) { return session().layout()[ElementId(std::size_t(element))]; }
    int selected() {
        const std::optional<ElementId> s = session().selection();
        return s ? int(s->place()) : None;
    }
    void select(int element) {
        session().select(element == None ? std::nullopt
                                         : std::optional(ElementId(std::size_t(element))));
    }

    QTemporaryDir dir;
    EditorWindow window;
};

// Levels named "L1", "L2", ... after their number, each with hinder1 as far left as its number.
QByteArray namedLevels(int count) {
    QByteArray text = "; the levels\n\n";
    for (int n = 1; n <= count; ++n) {
        const QByteArray number = QByteArray::number(n);
        text += "; Level " + number + " - L" + number + "\n[" + number +
                "]\nhinder1.left=" + number + "\n\n";
    }
    return text;
}

using ListEdit = std::function<void(EditSession&)>;

void drag(QWidget* field, QPoint from, QPoint to) {
    QTest::mousePress(field, Qt::LeftButton, {}, from);
    QTest::mouseMove(field, to);
    QTest::mouseRelease(field, Qt::LeftButton, {}, to);
}

}  // namespace

Q_DECLARE_METATYPE(Placement)
Q_DECLARE_METATYPE(ListEdit)
Q_DECLARE_METATYPE(std::function<void(Editor&)>)

class TestEditor : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void clickSelects_data();
    void clickSelects();
    void dragMovesAndHandlesSize_data();
    void dragMovesAndHandlesSize();
    void keyboardTable_data();
    void keyboardTable();
    void everyChangeUndoesAndRedoes();
    void savingChangesOnlyTheEditedValue();
    void aFailedSaveKeepsTheDocument_data();
    void aFailedSaveKeepsTheDocument();
    void testPlayRunsTheLevelAsEditedAndEndsAlone();
    void provingMarksTheLevelsAsTheyStand();
    void aFindingSelectsItsElement();
    void usedInTheGameWhereTheGameLooksFirst();
    void levelsKeepTheirNames_data();
    void levelsKeepTheirNames();
    void aNameTypedInIsOneStep();
    void dropTarget_data();
    void dropTarget();
    void clicksOnAPile_data();
    void clicksOnAPile();
    void hiddenElementsLieBeneath();
    void showingHiddenIsRemembered();
    void numberFields_data();
    void numberFields();
    void aRejectedNumberIsSaid();
    void historyNamesElementsAsSeen_data();
    void historyNamesElementsAsSeen();
    void boxesBeyondThePictureShow();
    void pictureBoxesAreThePictures();
    void aFileWithoutLevelsIsSaid_data();
    void aFileWithoutLevelsIsSaid();
    void aTestPlayKeepsToItsLevel();
    void theTestWindowLeavesTheFieldInView_data();
    void theTestWindowLeavesTheFieldInView();
    void thePointersPlaceIsShown();
    void aTrapIsFoundAndShown();
    void severalMoveTogether_data();
    void severalMoveTogether();
    void placesCopiedGoToAnotherLevel();
    void theHandTakesItsPicturesSize();

private:
    // The settings the editor remembers go here, never to the user's own.
    QTemporaryDir settings;
};

void TestEditor::initTestCase() {
    QVERIFY(settings.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    }
}

void TestEditor::clickSelects_data() {
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<bool>("hiddenShown");
    QTest::addColumn<int>("selected");

    QTest::newRow("a shown bar") << QPoint(100, 260) << true << int(Hinder1);
    QTest::newRow("a hidden bar, shown faintly") << QPoint(350, 110) << true << int(Hinder5);
    QTest::newRow("a hidden bar, not shown") << QPoint(350, 110) << false << int(None);
    QTest::newRow("the red bar is no part of a level") << QPoint(266, 202) << true << int(None);
    QTest::newRow("the empty field") << QPoint(600, 380) << true << int(None);
}

void TestEditor::clickSelects() {
    QFETCH(QPoint, click);
    QFETCH(bool, hiddenShown);
    QFETCH(int, selected);

    Editor editor;
    editor.field()->setShowHidden(hiddenShown);
    editor.select(Dig11);
    QTest::mouseClick(editor.field(), Qt::LeftButton, {}, click);
    QCOMPARE(editor.selected(), selected);
    QCOMPARE(editor.session().history().count(), 0);
}

void TestEditor::dragMovesAndHandlesSize_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<Placement>("placed");

    QTest::newRow("the body moves")
        << QPoint(100, 260) << QPoint(130, 240) << false << Placement{110, 230, 201, 30, true};
    QTest::newRow("the grid snaps a move")
        << QPoint(100, 260) << QPoint(133, 262) << true << Placement{110, 250, 201, 30, true};
    QTest::newRow("the lower right handle")
        << QPoint(281, 280) << QPoint(300, 290) << false << Placement{80, 250, 220, 40, true};
    QTest::newRow("the left handle")
        << QPoint(80, 265) << QPoint(60, 265) << false << Placement{60, 250, 221, 30, true};
    QTest::newRow("the left edge stops short of the right")
        << QPoint(80, 265) << QPoint(400, 265) << false << Placement{280, 250, 1, 30, true};
    QTest::newRow("the upper handle on the grid")
        << QPoint(180, 250) << QPoint(180, 226) << true << Placement{80, 230, 201, 50, true};
    QTest::newRow("a click moves nothing")
        << QPoint(100, 260) << QPoint(100, 260) << false << Placement{80, 250, 201, 30, true};
}

void TestEditor::dragMovesAndHandlesSize() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, grid);
    QFETCH(Placement, placed);

    Editor editor;
    editor.select(Hinder1);
    editor.field()->setGrid(grid);
    const Placement before = editor.placed(Hinder1);
    drag(editor.field(), from, to);
    QCOMPARE(editor.selected(), int(Hinder1));
    QVERIFY(editor.placed(Hinder1) == placed);
    // A drag is one step of the history, however far the mouse went.
    QCOMPARE(editor.session().history().count(), placed == before ? 0 : 1);
}

void TestEditor::keyboardTable_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Placement>("placed");

    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    const Placement hinder1{80, 250, 201, 30, true};
    const Placement hinder2{0, 0, 0, 0, true};
    const Placement dig11{0, 0, 0, 0, true};
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("Tab with nothing selected")
        << int(None) << int(Qt::Key_Tab) << 0 << int(Hinder1) << hinder1;
    row("Tab") << int(Hinder1) << int(Qt::Key_Tab) << 0 << int(Hinder2) << hinder2;
    row("Tab after the last") << int(Dig11) << int(Qt::Key_Tab) << 0 << int(Hinder1) << hinder1;
    row("Shift+Tab before the first")
        << int(Hinder1) << int(Qt::Key_Backtab) << shift << int(Dig11) << dig11;
    row("Right") << int(Hinder1) << int(Qt::Key_Right) << 0 << int(Hinder1)
                 << Placement{81, 250, 201, 30, true};
    row("Shift+Left") << int(Hinder1) << int(Qt::Key_Left) << shift << int(Hinder1)
                      << Placement{70, 250, 201, 30, true};
    row("Down") << int(Hinder1) << int(Qt::Key_Down) << 0 << int(Hinder1)
                << Placement{80, 251, 201, 30, true};
    row("Shift+Up") << int(Hinder1) << int(Qt::Key_Up) << shift << int(Hinder1)
                    << Placement{80, 240, 201, 30, true};
    row("Ctrl+Right") << int(Hinder1) << int(Qt::Key_Right) << ctrl << int(Hinder1)
                      << Placement{80, 250, 202, 30, true};
    row("Ctrl+Up") << int(Hinder1) << int(Qt::Key_Up) << ctrl << int(Hinder1)
                   << Placement{80, 250, 201, 29, true};
    row("Ctrl+Shift+Left") << int(Hinder1) << int(Qt::Key_Left) << (ctrl | shift) << int(Hinder1)
                           << Placement{80, 250, 191, 30, true};
    row("Ctrl+Shift+Down") << int(Hinder1) << int(Qt::Key_Down) << (ctrl | shift) << int(Hinder1)
                           << Placement{80, 250, 201, 40, true};
    row("Space") << int(Hinder1) << int(Qt::Key_Space) << 0 << int(Hinder1)
                 << Placement{80, 250, 201, 30, false};
    row("Space shows a hidden one") << int(Hinder5) << int(Qt::Key_Space) << 0 << int(Hinder5)
                                    << Placement{300, 100, 100, 30, true};
    row("Ctrl+Right leaves the hand's size, which its picture fixes")
        << int(Dig11) << int(Qt::Key_Right) << ctrl << int(Dig11) << dig11;
    row("an arrow with nothing selected")
        << int(None) << int(Qt::Key_Right) << 0 << int(None) << hinder1;
}

void TestEditor::keyboardTable() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, selected);
    QFETCH(Placement, placed);

    Editor editor;
    editor.select(start);
    QTest::keyClick(editor.field(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(editor.selected(), selected);
    QVERIFY(editor.placed(selected == None ? Hinder1 : selected) == placed);
}

void TestEditor::everyChangeUndoesAndRedoes() {
    Editor editor;
    EditSession& session = editor.session();
    QUndoStack& history = session.history();
    const std::string opened = editor.text();

    editor.select(Hinder1);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(editor.field(), Qt::Key_Right);
    }
    // Three presses of an arrow are one step; a change of size is the next.
    QCOMPARE(history.count(), 1);
    QTest::keyClick(editor.field(), Qt::Key_Right, Qt::ControlModifier);
    drag(editor.field(), QPoint(100, 260), QPoint(100, 300));
    session.addLevel();
    session.moveLevel(-1);
    session.duplicateLevel();
    session.deleteLevel();
    QCOMPARE(history.count(), 7);
    const std::string edited = editor.text();
    const LevelIndex levelInHand = session.level();

    while (history.canUndo()) {
        history.undo();
    }
    QCOMPARE(editor.text(), opened);
    QVERIFY(session.level() == LevelIndex(0));
    QVERIFY(history.isClean());
    while (history.canRedo()) {
        history.redo();
    }
    QCOMPARE(editor.text(), edited);
    QVERIFY(session.level() == levelInHand);
}

void TestEditor::savingChangesOnlyTheEditedValue() {
    const QByteArray shipped = contentsOf(QStringLiteral(LEVEL_FILE));
    Editor editor(shipped);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(editor.field(), Qt::Key_Tab);
    }
    QCOMPARE(editor.selected(), int(Hinder5));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(editor.field(), Qt::Key_Right);
    }
    QVERIFY(editor.window.isWindowModified());
    QVERIFY(editor.window.saveTo(editor.path()));
    QVERIFY(!editor.window.isWindowModified());

    // The first level's hinder5.left is 3 more than shipped; nothing else differs.
    const QByteArray key = "hinder5.left=";
    const qsizetype at = shipped.indexOf(key, shipped.indexOf("[1]")) + key.size();
    const qsizetype end = shipped.indexOf('\n', at);
    QVERIFY(at > key.size() && end > at);
    const QByteArray value = shipped.mid(at, end - at).trimmed();
    QByteArray expected = shipped;
    expected.replace(at, value.size(), QByteArray::number(value.toInt() + 3));
    QCOMPARE(contentsOf(editor.path()), expected);
    QCOMPARE(contentsOf(editor.path() + QStringLiteral(".bak")), shipped);

    editor.session().history().undo();
    QVERIFY(editor.window.saveTo(editor.path()));
    QCOMPARE(contentsOf(editor.path()), shipped);
}

void TestEditor::aFailedSaveKeepsTheDocument_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("hinder1Left");
    QTest::addColumn<QString>("said");

    QTest::newRow("a folder that is not there")
        << QStringLiteral("/no/such/folder/328lvd.ini") << 81 << QStringLiteral("schreiben");
    QTest::newRow("a file the game would refuse") << QString() << 0 << QStringLiteral("ablehnen");
}

void TestEditor::aFailedSaveKeepsTheDocument() {
    QFETCH(QString, where);
    QFETCH(int, hinder1Left);
    QFETCH(QString, said);

    Editor editor;
    const QString path = where.isEmpty() ? editor.path() : where;
    Placement moved = editor.placed(Hinder1);
    moved.Left = hinder1Left;
    editor.session().place(ElementId(Hinder1), moved, QStringLiteral("move"));
    const std::string edited = editor.text();

    SeenBox seen;
    answerNextBox(seen);
    QVERIFY(!editor.window.saveTo(path));
    QVERIFY2(seen.text.contains(said), qPrintable(seen.text));
    QCOMPARE(editor.text(), edited);
    QVERIFY(editor.window.isWindowModified());
    QCOMPARE(editor.window.filePath(), editor.path());
    QCOMPARE(contentsOf(editor.path()), Level);
}

void TestEditor::testPlayRunsTheLevelAsEditedAndEndsAlone() {
    Editor editor;
    Placement moved = editor.placed(Hinder1);
    moved.Left = 123;
    editor.session().place(ElementId(Hinder1), moved, QStringLiteral("move"));
    const std::string edited = editor.text();

    editor.window.playLevel();
    QVERIFY(editor.window.testPlay());
    Game& game = editor.window.testPlay()->windows().game();
    // Waiting for the start click of level 1, which lays out the level as edited, not as saved.
    QCOMPARE(game.Form1.levelnr, 0);
    game.Input.press(300, 200, MouseButton::Left);
    game.Input.release(300, 200, MouseButton::Left);
    QCOMPARE(game.Form1.levelnr, 1);
    QCOMPARE(game.Form1.hinder1.Left, 123);

    // A ball deeper in a bar than any face catches: the window says where it went through.
    game.Form1.hinder1.Left = 0;
    game.Form1.hinder1.Top = game.Form1.ball.Top - 20;
    game.Form1.hinder1.Width = 200;
    game.Form1.hinder1.Height = 200;
    QTRY_VERIFY_WITH_TIMEOUT(editor.window.testPlay()->passage(), 10000);
    QVERIFY(editor.window.testPlay()->windows().Form1()->windowTitle().contains(
        QStringLiteral("durch hinder1")));

    // The game's own end closes its windows and leaves the editor as it was.
    game.Input.menu(MenuCommand::Quit);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!editor.window.testPlay());
    QCOMPARE(editor.text(), edited);
    QVERIFY(editor.window.isWindowModified());
}

void TestEditor::provingMarksTheLevelsAsTheyStand() {
    Editor editor(contentsOf(QStringLiteral(LEVEL_FILE)));
    LevelList* list = editor.window.levelList();
    QCOMPARE(list->count(), int(editor.session().document().levels().size()));
    const auto status = [list](int row) {
        return list->item(row)->text().section(QLatin1Char('\n'), 0, 0);
    };
    QCOMPARE(status(0), QStringLiteral("Level 1 – nicht bewiesen"));

    QSignalSpy finished(&editor.window.proofRunner(), &ProofRunner::finished);
    SolverLimits small;
    small.searchTicks = 400'000;
    small.polishTicks = 100'000;
    small.paces = 1;
    editor.window.proofRunner().setLimits(small);
    editor.window.proveAll();
    // The search counts steps, not time; the bound only ends a hung worker.
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.first().first().toBool(), false);
    // Each level proved, with its difficulty, or said to have no proof in so small a search.
    const QRegularExpression marked(
        QStringLiteral("Level \\d+ – (leicht|mittel|schwer|sehr schwer|kein Beweis)"));
    for (int row = 0; row < list->count(); ++row) {
        QVERIFY2(marked.match(list->item(row)->text()).hasMatch(),
                 qPrintable(list->item(row)->text()));
    }
    const QString proved = list->item(2)->text();

    // The hand hidden: an error, and the proof no longer holds. Undone, it holds again.
    editor.session().setLevel(LevelIndex(2));
    Placement hand = editor.placed(Dig11);
    hand.Visible = false;
    editor.session().place(ElementId(Dig11), hand, QStringLiteral("hide"));
    QCOMPARE(status(2), QStringLiteral("Level 3 – Fehler"));
    hand.Visible = true;
    hand.Left += 1;
    editor.session().place(ElementId(Dig11), hand, QStringLiteral("show"));
    QCOMPARE(status(2), QStringLiteral("Level 3 – nicht bewiesen"));
    editor.session().history().undo();
    editor.session().history().undo();
    QCOMPARE(list->item(2)->text(), proved);

    // A level proved to be finished in under two seconds is worth a word.
    for (const LevelIndex i : editor.session().document().places()) {
        editor.session().setLevel(i);
        const LevelProof* proof = editor.window.proofRecords().find(editor.session().document(), i);
        const bool quick =
            proof && proof->proved() && proof->playthrough.ticks * TickPeriodMs < 2000;
        QCOMPARE(!editor.window.problems()
                      ->findItems(QStringLiteral("in weniger als zwei"), Qt::MatchContains)
                      .isEmpty(),
                 quick);
    }
}

void TestEditor::aFindingSelectsItsElement() {
    // hinder5 shown in the header strip.
    Editor editor(QByteArray(Level)
                      .replace("hinder5.top=100", "hinder5.top=10")
                      .replace("hinder5.visible=0", "hinder5.visible=1"));
    editor.window.show();
    ProblemsPanel* problems = editor.window.problems();
    const QList<QListWidgetItem*> found = problems->findItems(
        QStringLiteral("hinder5 (gelber Balken) ragt in die Kopfleiste"), Qt::MatchContains);
    QVERIFY(!found.isEmpty());
    QVERIFY(editor.selected() != int(Hinder5));
    QTest::mouseClick(problems->viewport(), Qt::LeftButton, {},
                      problems->visualItemRect(found.first()).center());
    QCoreApplication::processEvents();
    QCOMPARE(editor.selected(), int(Hinder5));
}

void TestEditor::usedInTheGameWhereTheGameLooksFirst() {
    Editor editor;
    qputenv("XDG_DATA_HOME", editor.dir.filePath(QStringLiteral("home")).toLocal8Bit());
    const QString used = editor.dir.filePath(QStringLiteral("home/quirlon95/328lvd.ini"));
    QDir().mkpath(QFileInfo(used).path());
    QFile before(used);
    QVERIFY(before.open(QIODevice::WriteOnly));
    before.write("[1]\nhinder1.left=5\n");
    before.close();

    // The question is answered yes, the report that follows is read.
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(QMessageBox::Yes)->click();
    });
    SeenBox report;
    answerNextBox(report);
    editor.window.useInGame();
    QCOMPARE(contentsOf(used), Level);
    QCOMPARE(contentsOf(used + QStringLiteral(".bak")), QByteArray("[1]\nhinder1.left=5\n"));
    QVERIFY2(report.text.contains(QStringLiteral("328lvd.ini.bak")), qPrintable(report.text));
}

void TestEditor::levelsKeepTheirNames_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<ListEdit>("edit");
    QTest::addColumn<bool>("warns");

    const auto to = [](std::size_t place) {
        return ListEdit([place](EditSession& s) { s.moveLevelTo(LevelIndex(place)); });
    };
    const auto by = [](int direction) {
        return ListEdit([direction](EditSession& s) { s.moveLevel(direction); });
    };
    const ListEdit remove = [](EditSession& s) { s.deleteLevel(); };
    const ListEdit duplicate = [](EditSession& s) { s.duplicateLevel(); };
    QTest::newRow("among the first levels") << 4 << to(6) << false;
    QTest::newRow("the last to the first: 23 moves too") << 23 << to(0) << true;
    QTest::newRow("22 down onto 23") << 21 << by(+1) << true;
    QTest::newRow("23 up off it") << 22 << by(-1) << true;
    QTest::newRow("a level before 23 deleted") << 0 << remove << true;
    QTest::newRow("the level after 23 deleted") << 23 << remove << false;
    QTest::newRow("23 duplicated") << 22 << duplicate << false;
}

void TestEditor::levelsKeepTheirNames() {
    QFETCH(int, start);
    QFETCH(ListEdit, edit);
    QFETCH(bool, warns);

    Editor editor(namedLevels(24));
    EditSession& session = editor.session();
    QSignalSpy warned(&session, &EditSession::ruleLevelChanged);
    session.setLevel(LevelIndex(std::size_t(start)));
    edit(session);
    QCOMPARE(warned.count(), warns ? 1 : 0);
    const LevelDocument& document = session.document();
    LevelList* list = editor.window.levelList();
    QCOMPARE(list->count(), int(document.levels().size()));
    // Each name stays with its level's contents, and the list shows it.
    for (const LevelIndex i : document.places()) {
        const QString name = QStringLiteral("L%1").arg(document.layout(i)[ElementId(Hinder1)].Left);
        QCOMPARE(QString::fromStdString(document.name(i)), name);
        QCOMPARE(list->item(int(i.place()))->text().section(QLatin1Char('\n'), 1), name);
    }
    QCOMPARE(editor.window.levelName()->text(),
             QString::fromStdString(document.name(session.level())));
}

void TestEditor::aNameTypedInIsOneStep() {
    Editor editor(namedLevels(2));
    LevelNameEdit* name = editor.window.levelName();
    QCOMPARE(name->text(), QStringLiteral("L1"));
    name->setText(QStringLiteral("Der Anfang"));
    name->setModified(true);
    emit name->editingFinished();
    QVERIFY(editor.text().starts_with("; the levels\n\n; Level 1 - Der Anfang\n[1]\n"));
    QCOMPARE(editor.session().history().count(), 1);
    editor.session().history().undo();
    QCOMPARE(QByteArray::fromStdString(editor.text()), namedLevels(2));
    QCOMPARE(name->text(), QStringLiteral("L1"));
}

void TestEditor::dropTarget_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("below");
    QTest::addColumn<int>("to");

    QTest::newRow("on a later item") << 1 << 3 << false << 2;
    QTest::newRow("below a later item") << 1 << 3 << true << 3;
    QTest::newRow("on an earlier item") << 3 << 0 << false << 0;
    QTest::newRow("below every item") << 0 << -1 << false << 4;
}

void TestEditor::dropTarget() {
    QFETCH(int, from);
    QFETCH(int, row);
    QFETCH(bool, below);
    QFETCH(int, to);

    QCOMPARE(LevelList::dropTarget(from, row, below, 5), to);
}

namespace {

// hinder1 shown, and the hidden hinder5 and hinder6 over it, all three under 150,260.
const QByteArray Pile = QByteArray(Level)
                            .replace("hinder5.top=100", "hinder5.top=240")
                            .replace("hinder5.left=300", "hinder5.left=100") +
                        "hinder6.left=120\nhinder6.top=245\nhinder6.width=100\nhinder6.height=30\n"
                        "hinder6.visible=0\n";
const QPoint OnThePile(150, 260);

}  // namespace

void TestEditor::clicksOnAPile_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("hiddenShown");
    QTest::addColumn<QString>("selected");

    QTest::newRow("the shown one first, then down through the hidden ones")
        << 0 << true << "hinder1 hinder6 hinder5 hinder1";
    QTest::newRow("Alt+click") << int(Qt::AltModifier) << true << "hinder1 hinder6 hinder5";
    QTest::newRow("the hidden ones not shown") << 0 << false << "hinder1 hinder1";
}

void TestEditor::clicksOnAPile() {
    QFETCH(int, modifiers);
    QFETCH(bool, hiddenShown);
    QFETCH(QString, selected);

    Editor editor(Pile);
    editor.field()->setShowHidden(hiddenShown);
    QStringList seen;
    for (int i = 0; i < selected.count(QLatin1Char(' ')) + 1; ++i) {
        QTest::mouseClick(editor.field(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers),
                          OnThePile);
        seen << QString::fromLatin1(
            elementOf(LevelReadOrder[std::size_t(editor.selected())]).keyPrefix.data());
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), selected);
    QCOMPARE(editor.session().history().count(), 0);
}

// Where a hidden element lies over a shown one, the shown one is seen whole.
void TestEditor::hiddenElementsLieBeneath() {
    Editor editor(Pile);
    const QImage withHidden = editor.field()->grab().toImage();
    editor.field()->setShowHidden(false);
    const QImage without = editor.field()->grab().toImage();
    const QPoint pixel = OnThePile * editor.field()->devicePixelRatioF();
    QCOMPARE(withHidden.pixel(pixel), without.pixel(pixel));
    QVERIFY(withHidden != without);
}

void TestEditor::showingHiddenIsRemembered() {
    for (const bool shown : {false, true}) {
        {
            Editor editor;
            for (QAction* action : editor.window.findChildren<QAction*>()) {
                if (action->text() == QStringLiteral("Versteckte Elemente zeigen")) {
                    action->setChecked(shown);
                }
            }
        }
        Editor next;
        QCOMPARE(next.field()->showsHidden(), shown);
    }
}

void TestEditor::numberFields_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");  // 0x7fff'ffff: turned away
    QTest::addColumn<bool>("taken");

    const int left = int(LevelField::Left), width = int(LevelField::Width),
              height = int(LevelField::Height);
    QTest::newRow("a fraction") << left << "12.5" << 0 << false;
    QTest::newRow("an exponent") << left << "1e3" << 0 << false;
    QTest::newRow("beyond 32 bits") << left << "99999999999" << 0 << false;
    QTest::newRow("a word") << left << "links" << 0 << false;
    QTest::newRow("blanks and a sign") << left << " -5 " << -5 << true;
    QTest::newRow("a negative width") << width << "-20" << 0 << false;
    QTest::newRow("a height of 0, which the checks name") << height << "0" << 0 << true;
}

void TestEditor::numberFields() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(bool, taken);

    const std::optional<int32> parsed = PropertyPanel::parse(LevelField(field), typed);
    QCOMPARE(parsed.has_value(), taken);
    if (taken) {
        QCOMPARE(*parsed, value);
    }
}

// What is turned away is said, with the range, and the file keeps its value.
void TestEditor::aRejectedNumberIsSaid() {
    Editor editor;
    editor.select(Hinder1);
    auto* panel = editor.window.findChild<PropertyPanel*>();
    QLineEdit* width = panel->findChildren<QLineEdit*>().at(2);
    QCOMPARE(width->text(), QStringLiteral("201"));
    width->setText(QStringLiteral("12.5"));
    width->setModified(true);
    emit width->editingFinished();
    QCOMPARE(editor.session().history().count(), 0);
    QCOMPARE(width->text(), QStringLiteral("201"));
    const QString said = PropertyPanel::rejection(LevelField::Width, QStringLiteral("12.5"));
    QVERIFY(said.contains(QStringLiteral("0 bis 2147483647")));
    const QList<QLabel*> labels = panel->findChildren<QLabel*>();
    QVERIFY(std::ranges::any_of(labels, [&](QLabel* label) { return label->text() == said; }));
}

void TestEditor::historyNamesElementsAsSeen_data() {
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("step");

    QTest::newRow("a bar") << int(Hinder5) << "gelber Balken 5 verschieben";
    QTest::newRow("a penny") << 14 << "Pfennig 3 verschieben";
    QTest::newRow("the hand") << int(Dig11) << "Hand verschieben";
}

void TestEditor::historyNamesElementsAsSeen() {
    QFETCH(int, element);
    QFETCH(QString, step);

    Editor editor;
    editor.select(element);
    QTest::keyClick(editor.field(), Qt::Key_Right);
    QCOMPARE(editor.session().history().text(0), step);
}

// A hand far taller than its picture: below the picture its box shows, hatched.
void TestEditor::boxesBeyondThePictureShow() {
    Editor editor(QByteArray(Level) +
                  "dig11=300\ndig11.top=50\ndig11.width=70\ndig11.height=360\n");
    const QImage field = editor.field()->grab().toImage();
    const qreal ratio = editor.field()->devicePixelRatioF();
    int lit = 0;
    for (int x = 300; x < 370; ++x) {
        lit += field.pixelColor(QPoint(x, 300) * ratio) != QColor(Qt::black) ? 1 : 0;
    }
    // More than the two sides of its outline.
    QVERIFY2(lit > 4, qPrintable(QString::number(lit)));
}

// The checks, without Qt, know the pictures' sizes; they are those the game draws.
void TestEditor::pictureBoxesAreThePictures() {
    const std::pair<Role, Picture> shown[] = {
        {Role::GreyBar, Picture::GreyBar},     {Role::GreyBarUpright, Picture::GreyBarUpright},
        {Role::YellowBar, Picture::YellowBar}, {Role::YellowBarUpright, Picture::YellowBarUpright},
        {Role::GreenBar, Picture::GreenBar},   {Role::GreenBarUpright, Picture::GreenBarUpright},
        {Role::Penny, Picture::Penny},         {Role::Hand, Picture::Hand},
    };
    for (const auto& [role, picture] : shown) {
        QCOMPARE(QSize(pictureBox(role).width, pictureBox(role).height), Pictures::size(picture));
    }
}

void TestEditor::aFileWithoutLevelsIsSaid_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("said");

    QTest::newRow("a binary file") << QByteArray(
                                          "\x7f"
                                          "ELF\0\0[1]\n",
                                          10)
                                   << "keine Textdatei";
    QTest::newRow("other sections only")
        << QByteArray("[Info]\nx=1\n[Optionen]\n") << "nur andere Abschnitte: [Info], [Optionen]";
    QTest::newRow("an empty file") << QByteArray() << "steht kein Level";
}

void TestEditor::aFileWithoutLevelsIsSaid() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, said);

    Editor editor;
    const QString other = editor.dir.filePath(QStringLiteral("other.ini"));
    QFile file(other);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    SeenBox seen;
    answerNextBox(seen);
    QVERIFY(!editor.window.openFile(other));
    QVERIFY2(seen.text.contains(said), qPrintable(seen.text));
    QCOMPARE(editor.window.filePath(), editor.path());
    QCOMPARE(QByteArray::fromStdString(editor.text()), Level);
}

// Level 2's hand lies where the ball comes in, so the first tick finishes it; the test play then
// lays out level 2 again, not level 3.
void TestEditor::aTestPlayKeepsToItsLevel() {
    const QByteArray hand = "dig11=0\ndig11.top=40\ndig11.width=49\ndig11.height=60\n";
    Editor editor(Level + QByteArray(Level).replace("[1]", "[2]") + hand + "[3]\n" + Level.mid(4));
    editor.session().setLevel(LevelIndex(1));
    editor.window.playLevel();
    TestPlay* play = editor.window.testPlay();
    QVERIFY(play);
    Game& game = play->windows().game();
    for (int round = 0; round < 2; ++round) {
        game.Input.press(300, 200, MouseButton::Left);
        game.Input.release(300, 200, MouseButton::Left);
        QCOMPARE(game.Form1.levelnr, 2);
        SeenBox seen;
        answerNextBox(seen);
        game.Input.fire(GameTimer::FrameTick);
        QVERIFY2(seen.text.startsWith(QStringLiteral("Super!")), qPrintable(seen.text));
        play->windows().refresh();
        QVERIFY(game.Form1.Label4.Visible);
        QCOMPARE(game.Form1.levelnr, 1);
    }
}

void TestEditor::theTestWindowLeavesTheFieldInView_data() {
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("editor");
    QTest::addColumn<QPoint>("placed");

    // The field lies 240 pixels into the editor's window and 50 down.
    QTest::newRow("beside the editor")
        << QRect(0, 0, 2000, 1200) << QRect(100, 100, 1100, 700) << QPoint(1200, 100);
    QTest::newRow("on its left at the screen's edge")
        << QRect(0, 0, 2000, 1200) << QRect(880, 100, 1100, 700) << QPoint(240, 100);
    QTest::newRow("below the field")
        << QRect(0, 0, 1600, 1200) << QRect(250, 100, 1100, 700) << QPoint(490, 584);
    QTest::newRow("no room: over the least of the field")
        << QRect(0, 0, 1600, 1000) << QRect(250, 150, 1100, 700) << QPoint(0, 150);
}

void TestEditor::theTestWindowLeavesTheFieldInView() {
    QFETCH(QRect, screen);
    QFETCH(QRect, editor);
    QFETCH(QPoint, placed);

    const QRect field(editor.topLeft() + QPoint(240, 50), QSize(632, 434));
    QCOMPARE(besidePlace(screen, editor, field, QSize(640, 480)), placed);
}

void TestEditor::thePointersPlaceIsShown() {
    Editor editor;
    auto* pointer = editor.window.findChild<QLabel*>(QStringLiteral("pointer"));
    const QPointF at(123, 45);
    QMouseEvent move(QEvent::MouseMove, at, editor.field()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(editor.field(), &move);
    QCOMPARE(pointer->text(), QStringLiteral("x 123, y 45"));
}

// The green bar's corner that holds the ball: a problem of the level, marked on the field, and
// found again when the level is test-played with the paddle under the ball.
void TestEditor::aTrapIsFoundAndShown() {
    const QByteArray trap =
        "[1]\nhinder1.left=80\nhinder1.top=250\nhinder1.width=251\nhinder1.height=30\n"
        "hinder8.left=380\nhinder8.top=330\nhinder8.width=211\nhinder8.height=30\n"
        "dig11=500\ndig11.top=100\ndig11.width=49\ndig11.height=60\n";
    Editor editor(trap);
    QVERIFY(!editor.window.problems()
                 ->findItems(QStringLiteral("bleibt bei 355,305"), Qt::MatchContains)
                 .isEmpty());
    const QImage field = editor.field()->grab().toImage();
    // The ring round the ball's place, on its left.
    QCOMPARE(field.pixelColor(QPoint(352, 317) * editor.field()->devicePixelRatioF()).red(), 255);

    editor.window.playLevel();
    TestPlay* play = editor.window.testPlay();
    QSignalSpy stood(play, &TestPlay::stoodStill);
    Game& game = play->windows().game();
    game.Input.press(300, 200, MouseButton::Left);
    game.Input.release(300, 200, MouseButton::Left);
    // A budget of ticks: as long as the points last.
    for (int tick = 1; tick <= 3200 && stood.isEmpty() && game.Form1.Timer1.Enabled; ++tick) {
        game.Input.move(game.Form1.ball.Left + 12, 395);
        game.Input.fire(GameTimer::FrameTick);
        if (tick % 31 == 0) {
            game.Input.fire(GameTimer::Countdown);
        }
        play->windows().refresh();
    }
    QCOMPARE(stood.count(), 1);
    const auto at = stood.first().first().value<Standstill>();
    QCOMPARE(QPoint(at.left, at.top), QPoint(355, 305));
}

using FieldAct = std::function<void(Editor&)>;

void TestEditor::severalMoveTogether_data() {
    QTest::addColumn<FieldAct>("act");
    QTest::addColumn<QPoint>("moved");

    // hinder1 at 80,250 and the hidden hinder5 at 300,100, both taken.
    const FieldAct band = [](Editor& e) { drag(e.field(), QPoint(60, 90), QPoint(420, 290)); };
    const FieldAct shift = [](Editor& e) {
        QTest::mouseClick(e.field(), Qt::LeftButton, {}, QPoint(100, 260));
        QTest::mouseClick(e.field(), Qt::LeftButton, Qt::ShiftModifier, QPoint(350, 110));
    };
    QTest::newRow("a band, then an arrow key") << FieldAct([band](Editor& e) {
        band(e);
        QTest::keyClick(e.field(), Qt::Key_Right);
    }) << QPoint(1, 0);
    QTest::newRow("Shift+click, then a drag of one") << FieldAct([shift](Editor& e) {
        shift(e);
        drag(e.field(), QPoint(100, 260), QPoint(110, 265));
    }) << QPoint(10, 5);
    QTest::newRow("Shift+click twice takes it out again") << FieldAct([shift](Editor& e) {
        shift(e);
        QTest::mouseClick(e.field(), Qt::LeftButton, Qt::ShiftModifier, QPoint(350, 110));
        QTest::keyClick(e.field(), Qt::Key_Down);
    }) << QPoint(0, 0);
}

void TestEditor::severalMoveTogether() {
    QFETCH(FieldAct, act);
    QFETCH(QPoint, moved);

    Editor editor;
    act(editor);
    QCOMPARE(editor.session().history().count(), 1);
    QCOMPARE(QPoint(editor.placed(Hinder5).Left, editor.placed(Hinder5).Top),
             QPoint(300, 100) + moved);
    QCOMPARE(editor.placed(Hinder1).Left, 80 + moved.x());
}

void TestEditor::placesCopiedGoToAnotherLevel() {
    Editor editor;
    editor.session().selectAll({ElementId(Hinder1), ElementId(Hinder5)});
    editor.session().copyPlaces();
    editor.session().addLevel();
    QCOMPARE(editor.session().level(), LevelIndex(1));
    editor.session().pastePlaces();
    const LevelLayout pasted = editor.session().layout();
    const LevelLayout copied = editor.session().document().layout(LevelIndex(0));
    for (const int element : {int(Hinder1), int(Hinder5)}) {
        QVERIFY(pasted[ElementId(element)] == copied[ElementId(element)]);
    }
    QCOMPARE(editor.session().history().count(), 2);
    QCOMPARE(editor.session().selectedAll().size(), std::size_t{2});
}

// The hand's size is no field to type in; a box of another size is put right by one button.
void TestEditor::theHandTakesItsPicturesSize() {
    Editor editor(QByteArray(Level) +
                  "dig11=300\ndig11.top=50\ndig11.width=70\ndig11.height=360\n");
    editor.select(Dig11);
    auto* panel = editor.window.findChild<PropertyPanel*>();
    const QList<QLineEdit*> fields = panel->findChildren<QLineEdit*>();
    QVERIFY(!fields.at(0)->isReadOnly() && fields.at(2)->isReadOnly() &&
            fields.at(3)->isReadOnly());
    auto* fit = panel->findChild<QPushButton*>();
    QVERIFY(!fit->isHidden());
    fit->click();
    const PictureBox picture = pictureBox(Role::Hand);
    QCOMPARE(QSize(editor.placed(Dig11).Width, editor.placed(Dig11).Height),
             QSize(picture.width, picture.height));
    QVERIFY(fit->isHidden());
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
