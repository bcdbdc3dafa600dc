// Where the game finds its level file: the user's data folder, the system data folders, the share
// folder of the prefix the game was installed to, and the binary's own folder, in that order.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "levels/levelfilelocation.h"

namespace {

// Stands for the test's temporary folder in the table, so rows can name places inside it.
constexpr QLatin1StringView Root("@");
// An environment variable the row wants absent rather than empty.
constexpr QLatin1StringView Unset("(unset)");
// The pretend binary lives here; the prefix's data folder is then "prefix/share".
constexpr QLatin1StringView ExeDir("prefix/bin");
constexpr QLatin1StringView LevelFileName("328lvd.ini");
// The defaults the game falls back to without XDG_DATA_DIRS; rows that reach them cannot say what
// they find on a machine that has the game installed there.
const QStringList DefaultSystemDirs = {QStringLiteral("/usr/local/share"),
                                       QStringLiteral("/usr/share")};
const char* const Variables[] = {"HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS"};

bool gameInstalledInDefaultSystemDirs() {
    for (const QString& dir : DefaultSystemDirs) {
        if (QFile::exists(dir + QStringLiteral("/quirlon95/") + LevelFileName)) {
            return true;
        }
    }
    return false;
}

}  // namespace

class TestLevelFileLocation : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void takesTheFirstPlaceThatHasTheFile_data();
    void takesTheFirstPlaceThatHasTheFile();

private:
    QString resolved(const QString& value) const;
    void setVariable(const char* name, const QString& value) const;
    void createLevelFile(const QString& folder) const;

    std::unique_ptr<QTemporaryDir> root;
    QString previousWorkingDir;
    QHash<QByteArray, QByteArray> previousEnvironment;
};

void TestLevelFileLocation::init() {
    // Each row starts from an empty folder, so files of an earlier row cannot answer for it.
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    QVERIFY(QDir(root->path()).mkpath(ExeDir));
    previousWorkingDir = QDir::currentPath();
    // Relative entries would resolve against this folder if the lookup wrongly accepted them.
    QVERIFY(QDir::setCurrent(root->path()));
    for (const char* name : Variables) {
        if (qEnvironmentVariableIsSet(name)) {
            previousEnvironment.insert(name, qgetenv(name));
        }
    }
}

void TestLevelFileLocation::cleanup() {
    QDir::setCurrent(previousWorkingDir);
    for (const char* name : Variables) {
        if (previousEnvironment.contains(name)) {
            qputenv(name, previousEnvironment.value(name));
        } else {
            qunsetenv(name);
        }
    }
    previousEnvironment.clear();
    root.reset();
}

QString TestLevelFileLocation::resolved(const QString& value) const {
    QString path = value;
    return path.replace(Root, root->path());
}

void TestLevelFileLocation::setVariable(const char* name, const QString& value) const {
    if (value == Unset) {
        qunsetenv(name);
    } else {
        qputenv(name, resolved(value).toLocal8Bit());
    }
}

void TestLevelFileLocation::createLevelFile(const QString& folder) const {
    QVERIFY(QDir(root->path()).mkpath(folder));
    QFile file(QDir(root->path()).filePath(folder + QLatin1Char('/') + LevelFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("[1]\n") > 0);
}

void TestLevelFileLocation::takesTheFirstPlaceThatHasTheFile_data() {
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<QString>("dataDirs");
    // Folders below the temporary folder that hold a level file.
    QTest::addColumn<QStringList>("filesIn");
    // The folder of the level file the game must take, below the temporary folder.
    QTest::addColumn<QString>("expected");

    const QString home = QStringLiteral("@/user");
    const QString dataHome = QStringLiteral("@/data");
    const QString twoSystemDirs = QStringLiteral("@/sys1:@/sys2");
    const QString homeGame = QStringLiteral("user/.local/share/quirlon95");
    const QString dataHomeGame = QStringLiteral("data/quirlon95");
    const QString sys1Game = QStringLiteral("sys1/quirlon95");
    const QString sys2Game = QStringLiteral("sys2/quirlon95");
    const QString prefixGame = QStringLiteral("prefix/share/quirlon95");
    const QString exeDir = ExeDir;
    const QStringList everywhere = {homeGame, dataHomeGame, sys1Game, sys2Game, prefixGame, exeDir};

    // The user's own data folder
    QTest::newRow("XDG_DATA_HOME before everything else")
        << home << dataHome << twoSystemDirs << everywhere << dataHomeGame;
    QTest::newRow("XDG_DATA_HOME set: the folder under HOME is not searched")
        << home << dataHome << twoSystemDirs << QStringList{homeGame, sys2Game} << sys2Game;
    QTest::newRow("XDG_DATA_HOME unset: HOME/.local/share")
        << home << QString(Unset) << twoSystemDirs << QStringList{homeGame, sys1Game} << homeGame;
    QTest::newRow("XDG_DATA_HOME empty reads as unset")
        << home << QString() << twoSystemDirs << QStringList{homeGame, sys1Game} << homeGame;
    QTest::newRow("relative XDG_DATA_HOME ignored for HOME/.local/share")
        << home << QStringLiteral("data") << twoSystemDirs
        << QStringList{dataHomeGame, homeGame, sys1Game} << homeGame;
    QTest::newRow("neither XDG_DATA_HOME nor HOME: system folders only")
        << QString(Unset) << QString(Unset) << twoSystemDirs
        << QStringList{QStringLiteral(".local/share/quirlon95"), sys2Game} << sys2Game;

    // The system data folders
    QTest::newRow("system folders in the listed order")
        << home << dataHome << QStringLiteral("@/sys2:@/sys1")
        << QStringList{sys1Game, sys2Game, prefixGame} << sys2Game;
    QTest::newRow("a later system folder when the first lacks the file")
        << home << dataHome << twoSystemDirs << QStringList{sys2Game, prefixGame, exeDir}
        << sys2Game;
    QTest::newRow("relative and empty entries ignored")
        << home << dataHome << QStringLiteral(":rel::sys1:@/sys2:")
        << QStringList{QStringLiteral("quirlon95"), QStringLiteral("rel/quirlon95"), sys1Game,
                       sys2Game}
        << sys2Game;

    // Beside the installed binary
    QTest::newRow("the prefix's share folder after the data folders")
        << home << dataHome << twoSystemDirs << QStringList{prefixGame, exeDir} << prefixGame;
    QTest::newRow("the prefix's share folder with only relative system folders")
        << home << dataHome << QStringLiteral("sys1") << QStringList{sys1Game, prefixGame}
        << prefixGame;
    QTest::newRow("the binary's own folder last")
        << home << dataHome << twoSystemDirs << QStringList{exeDir} << exeDir;
    QTest::newRow("nowhere: the binary's own folder, for the message")
        << home << dataHome << twoSystemDirs << QStringList{} << exeDir;

    // Without XDG_DATA_DIRS the defaults stand in, and the listed test folders are not searched.
    QTest::newRow("XDG_DATA_DIRS unset")
        << home << dataHome << QString(Unset) << QStringList{sys1Game, prefixGame} << prefixGame;
    QTest::newRow("XDG_DATA_DIRS empty")
        << home << dataHome << QString() << QStringList{sys1Game, prefixGame} << prefixGame;
}

void TestLevelFileLocation::takesTheFirstPlaceThatHasTheFile() {
    QFETCH(QString, home);
    QFETCH(QString, dataHome);
    QFETCH(QString, dataDirs);
    QFETCH(QStringList, filesIn);
    QFETCH(QString, expected);

    const bool readsDefaults = dataDirs == Unset || dataDirs.isEmpty();
    if (readsDefaults && gameInstalledInDefaultSystemDirs()) {
        QSKIP("The game is installed in a default system data folder of this machine");
    }
    setVariable("HOME", home);
    setVariable("XDG_DATA_HOME", dataHome);
    setVariable("XDG_DATA_DIRS", dataDirs);
    for (const QString& folder : filesIn) {
        createLevelFile(folder);
    }

    const std::filesystem::path exeDir = QDir(root->path()).filePath(ExeDir).toStdString();
    const QString found = QString::fromStdString(findLevelFile(exeDir).string());
    const QString expectedPath =
        QDir(root->path()).filePath(expected + QLatin1Char('/') + LevelFileName);
    QCOMPARE(QDir::cleanPath(found), expectedPath);
}

QTEST_GUILESS_MAIN(TestLevelFileLocation)
#include "tst_levelfilelocation.moc"
