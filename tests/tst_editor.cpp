// The level editor's window, offscreen: selecting, dragging and sizing with the mouse, the keyboard
// table, undo and redo of every kind of change, and saving that touches only what was edited.
#include <QtTest>

#include "app/mainwindow.h"
#include "app/mainwindow.h"
#include "designer/editor/editorwindow.h"
#include "designer/editor/fieldeditor.h"
#include "designer/editor/levellist.h"
#include "designer/editor/problemspanel.h"
#include "designer/editor/testplay.h"
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

void drag(QWidget* field, QPoint from, QPoint to) {
    QTest::mousePress(field, Qt::LeftButton, {}, from);
    QTest::mouseMove(field, to);
    QTest::mouseRelease(field, Qt::LeftButton, {}, to);
}

}  // namespace

Q_DECLARE_METATYPE(Placement)

class TestEditor : public QObject {
    Q_OBJECT

private slots:
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
};

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
    QCOMPARE(list->item(0)->text(), QStringLiteral("Level 1 – nicht bewiesen"));

    QSignalSpy finished(&editor.window.proofRunner(), &ProofRunner::finished);
    SolverLimits small;
    small.searchTicks = 400'000;
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
    QCOMPARE(list->item(2)->text(), QStringLiteral("Level 3 – Fehler"));
    hand.Visible = true;
    hand.Left += 1;
    editor.session().place(ElementId(Dig11), hand, QStringLiteral("show"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("Level 3 – nicht bewiesen"));
    editor.session().history().undo();
    editor.session().history().undo();
    QCOMPARE(list->item(2)->text(), proved);
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

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
