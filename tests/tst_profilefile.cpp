#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>
#include <filesystem>
#include <optional>
#include <string>

#include "levels/levelfilelocation.h"
#include "levels/profilefile.h"

class TestProfileFile : public QObject {
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void numbers_data();
    void numbers();
    void unreadable_data();
    void unreadable();
    void readsAfreshEachTime();
    void largeFileIsQuick();
    void findLevelFile_data();
    void findLevelFile();
    void cleanup();

private:
    void setEnvironment(const char* name, const QString& value);
    QList<std::pair<QByteArray, std::optional<QByteArray>>> savedEnvironment_;
    QString savedCurrentDir_;
};

namespace {

// Literal bytes including any embedded NULs.
template <std::size_t N>
QByteArray bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

std::filesystem::path pathIn(const QTemporaryDir& dir, const QString& name) {
    return std::filesystem::path(dir.filePath(name).toStdString());
}

std::filesystem::path writeFile(const QTemporaryDir& dir, const QByteArray& contents) {
    QFile file(dir.filePath(QStringLiteral("328lvd.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        qFatal("cannot write the test file");
    }
    return std::filesystem::path(file.fileName().toStdString());
}

// Fills in the temporary root for "%1"; an unset variable stays unset.
QString underRoot(const QString& value, const QString& root) {
    return value.isNull() ? value : QString(value).replace(QStringLiteral("%1"), root);
}

std::string toStd(const QByteArray& text) {
    return std::string(text.constData(), text.size());
}

}  // namespace

void TestProfileFile::value_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("expected");

    const auto row = [](const char* name, const QByteArray& contents, const QByteArray& section,
                        const QByteArray& key, const QByteArray& expected) {
        QTest::newRow(name) << contents << section << key << true << expected;
    };
    const auto absent = [](const char* name, const QByteArray& contents, const QByteArray& section,
                           const QByteArray& key) {
        QTest::newRow(name) << contents << section << key << false << QByteArray();
    };

    row("plain", "[1]\nlevel=3\n", "1", "level", "3");
    row("section name ignores case", "[Level]\nk=1\n", "lEVEL", "k", "1");
    row("key name ignores case", "[s]\nKey=1\n", "s", "kEY", "1");
    row("blanks around key and value", "[s]\n \t key \t= \t v w \t\n", "s", "key", "v w");
    row("blanks around section name", " \t[ \t s \t] \t\nk=1\n", "s", "k", "1");
    row("empty value", "[s]\nk=\n", "s", "k", "");
    row("value keeps later equals signs", "[s]\nk=a=b\n", "s", "k", "a=b");
    row("double quotes removed", "[s]\nk=\"v\"\n", "s", "k", "v");
    row("single quotes removed", "[s]\nk='v'\n", "s", "k", "v");
    row("quotes removed after trimming", "[s]\nk=  \" v \"  \n", "s", "k", " v ");
    row("only one pair of quotes removed", "[s]\nk=\"\"v\"\"\n", "s", "k", "\"v\"");
    row("empty quotes", "[s]\nk=''\n", "s", "k", "");
    row("mismatched quotes kept", "[s]\nk=\"v'\n", "s", "k", "\"v'");
    row("lone quote kept", "[s]\nk=\"\n", "s", "k", "\"");
    row("quote on one side kept", "[s]\nk=\"v\n", "s", "k", "\"v");
    absent("semicolon comment", "[s]\n;k=1\n", "s", ";k");
    absent("indented semicolon comment", "[s]\n \t;k=1\n", "s", "k");
    row("hash is a key", "[s]\n#x=1\n", "s", "#x", "1");
    row("no inline comments", "[s]\nk=5 ; five\n", "s", "k", "5 ; five");
    row("first key wins", "[s]\nk=1\nK=2\n", "s", "k", "1");
    row("line without equals ignored", "[s]\nk\nk=2\n", "s", "k", "2");
    absent("empty key name ignored", "[s]\n \t=5\n", "s", "");
    row("repeated section ignored", "[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "k", "1");
    absent("keys of a repeated section unseen", "[s]\nk=1\n[s]\nj=3\n", "s", "j");
    absent("empty first section hides later one", "[s]\n[t]\n[s]\nk=1\n", "s", "k");
    absent("section ends at next header", "[s]\nk=1\n[t]\nj=2\n", "s", "j");
    absent("keys before first section ignored", "k=1\n[s]\n", "s", "k");
    absent("keys before first section are no nameless section", "k=1\n[s]\n", "", "k");
    row("empty section name", "k=1\n[]\nk=2\n", "", "k", "2");
    row("section name ends at first bracket", "[s]t]\nk=1\n", "s", "k", "1");
    row("text after bracket ignored", "[s] junk=2\nk=1\n", "s", "k", "1");
    absent("no header without closing bracket", "[s t\nk=1\n", "s t", "k");
    row("section goes on past a line without closing bracket", "[s]\n[t\nk=1\n", "s", "k", "1");
    row("key may begin with a bracket", "[s]\n[k=1\n", "s", "[k", "1");
    absent("bracket after equals makes a header", "[s]\n[k=v]\nj=1\n", "s", "j");
    row("CRLF line ends", "[s]\r\nk=1\r\nj=2\r\n", "s", "k", "1");
    row("CR line ends", "[s]\rk=1\rj=2\r", "s", "j", "2");
    row("LF line ends", "[s]\nk=1\nj=2", "s", "j", "2");
    row("mixed line ends", "[a]\rk=0\n[s]\r\nk=1\rj=2\nm=3\r\n", "s", "m", "3");
    row("blank lines between", "\n\r\n[s]\n\n\r\rk=1\n", "s", "k", "1");
    row("last line without line end", "[s]\nk=1", "s", "k", "1");
    row("byte order mark skipped", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "1");
    absent("byte order mark only at file start", "[s]\n\xEF\xBB\xBFk=1\n", "s", "k");
    absent("empty file", "", "s", "k");
    absent("only a byte order mark", "\xEF\xBB\xBF", "s", "k");
    absent("missing section", "[s]\nk=1\n", "t", "k");
    row("NUL inside a key", bytes("[s]\nk\0ey=1\n"), "s", bytes("k\0ey"), "1");
    row("NUL inside a value", bytes("[s]\nk=1\0 2\n"), "s", "k", bytes("1\0 2"));
    absent("NUL makes a different key", bytes("[s]\nk\0ey=1\n"), "s", "k");

    const QByteArray a1023(1023, 'a');
    row("value of 1023 bytes kept", "[s]\nk=" + a1023 + "\n", "s", "k", a1023);
    row("value cut to 1023 bytes", "[s]\nk=" + a1023 + "bcd\n", "s", "k", a1023);
    row("value cut after trimming", "[s]\nk=   " + a1023 + "b\n", "s", "k", a1023);
    row("value cut after quote removal", "[s]\nk=\"" + a1023 + "\"\n", "s", "k", a1023);
}

void TestProfileFile::value() {
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, found);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProfileFile file(writeFile(dir, contents));
    const auto value = file.section(toStd(section)).value(toStd(key));
    QCOMPARE(value.has_value(), found);
    if (found) {
        QCOMPARE(QByteArray::fromStdString(*value), expected);
    }
}

void TestProfileFile::numbers_data() {
    QTest::addColumn<std::optional<QByteArray>>("stored");
    QTest::addColumn<int>("integer");  // read with fallback 42
    QTest::addColumn<bool>("flagOrFalse");
    QTest::addColumn<bool>("flagOrTrue");

    QTest::newRow("zero") << std::optional(QByteArray("0")) << 0 << false << false;
    QTest::newRow("one") << std::optional(QByteArray("1")) << 1 << true << true;
    QTest::newRow("negative") << std::optional(QByteArray("-5")) << -5 << true << true;
    QTest::newRow("hex") << std::optional(QByteArray("0x10")) << 16 << true << true;
    QTest::newRow("hex zero") << std::optional(QByteArray("$0")) << 0 << false << false;
    QTest::newRow("trimmed") << std::optional(QByteArray("  7\t")) << 7 << true << true;
    QTest::newRow("quoted") << std::optional(QByteArray("'12'")) << 12 << true << true;
    QTest::newRow("word") << std::optional(QByteArray("no")) << 42 << false << true;
    QTest::newRow("empty") << std::optional(QByteArray("")) << 42 << false << true;
    QTest::newRow("inline comment") << std::optional(QByteArray("1 ;x")) << 42 << false << true;
    QTest::newRow("NUL") << std::optional(bytes("1\0")) << 42 << false << true;
    QTest::newRow("absent") << std::optional<QByteArray>() << 42 << false << true;
}

void TestProfileFile::numbers() {
    QFETCH(std::optional<QByteArray>, stored);
    QFETCH(int, integer);
    QFETCH(bool, flagOrFalse);
    QFETCH(bool, flagOrTrue);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray line = stored ? "k=" + *stored : QByteArray("other=1");
    const ProfileSection section = ProfileFile(writeFile(dir, "[s]\n" + line + "\n")).section("s");
    QCOMPARE(section.readInteger("k", 42), integer);
    QCOMPARE(section.readFlag("k", false), flagOrFalse);
    QCOMPARE(section.readFlag("k", true), flagOrTrue);
}

namespace {

enum UnreadableKind { Missing, Directory, NoPermission, DanglingSymlink, Fifo };

}  // namespace

void TestProfileFile::unreadable_data() {
    QTest::addColumn<int>("kind");

    QTest::newRow("missing file") << int(Missing);
    QTest::newRow("directory") << int(Directory);
    QTest::newRow("no read permission") << int(NoPermission);
    QTest::newRow("dangling symlink") << int(DanglingSymlink);
    QTest::newRow("FIFO") << int(Fifo);
}

void TestProfileFile::unreadable() {
    QFETCH(int, kind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path path = pathIn(dir, QStringLiteral("328lvd.ini"));
    switch (kind) {
        case Missing:
            break;
        case Directory:
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("328lvd.ini")));
            break;
        case NoPermission:
            if (geteuid() == 0) {
                QSKIP("root reads files regardless of their permissions");
            }
            writeFile(dir, "[s]\nk=1\n");
            QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("328lvd.ini")), {}));
            break;
        case DanglingSymlink:
            std::filesystem::create_symlink(pathIn(dir, QStringLiteral("gone.ini")), path);
            break;
        case Fifo:
            QCOMPARE(mkfifo(path.c_str(), 0644), 0);
            break;
    }
    const ProfileFile file(path);
    QCOMPARE(file.path(), path);
    const ProfileSection section = file.section("s");
    QVERIFY(!section.value("k").has_value());
    QCOMPARE(section.readInteger("k", 42), 42);
}

void TestProfileFile::readsAfreshEachTime() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProfileFile file(writeFile(dir, "[s]\nk=1\n"));
    QCOMPARE(file.section("s").readInteger("k", 0), 1);
    writeFile(dir, "[s]\nk=2\n");
    QCOMPARE(file.section("s").readInteger("k", 0), 2);
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("328lvd.ini"))));
    QCOMPARE(file.section("s").readInteger("k", 0), 0);
}

void TestProfileFile::largeFileIsQuick() {
    constexpr qsizetype targetSize = qsizetype{64} << 20;
    QByteArray contents;
    contents.reserve(targetSize + 1024);
    for (int i = 0; contents.size() < targetSize; ++i) {
        contents += "[filler" + QByteArray::number(i) + "]\r\nlevel=" + QByteArray::number(i) +
                    "\r\nname = \"some text to make the line longer\"\r\n";
    }
    contents += "[wanted]\r\nlevel=7\r\n[after]\r\nlevel=8\r\n";
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProfileFile file(writeFile(dir, contents));
    contents.clear();
    contents.squeeze();

    QElapsedTimer timer;
    timer.start();
    const ProfileSection section = file.section("wanted");
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(section.readInteger("level", 0), 7);
    QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
}

void TestProfileFile::findLevelFile_data() {
    QTest::addColumn<QString>("dataHome");  // "%1" is the temporary root; a null string is unset
    QTest::addColumn<QString>("dataDirs");
    QTest::addColumn<QStringList>("holders");  // directories under the root that hold the file
    QTest::addColumn<QString>("expected");     // directory under the root, without the file name

    const QString user = QStringLiteral("%1/user");
    const QString dirs = QStringLiteral("%1/sys1:%1/sys2");
    const QString home = QStringLiteral("home/.local/share/quirlon95");
    const QStringList all{"user/quirlon95", "sys1/quirlon95", "sys2/quirlon95", "exe"};

    QTest::newRow("user dir first") << user << dirs << all << "user/quirlon95";
    QTest::newRow("system dir before exe dir")
        << user << dirs << QStringList{"sys1/quirlon95", "sys2/quirlon95", "exe"}
        << "sys1/quirlon95";
    QTest::newRow("system dirs in order")
        << user << dirs << QStringList{"sys2/quirlon95", "exe"} << "sys2/quirlon95";
    QTest::newRow("exe dir last") << user << dirs << QStringList{"exe"} << "exe";
    QTest::newRow("exe dir when nowhere") << user << dirs << QStringList{} << "exe";
    QTest::newRow("only the game's subdirectory counts")
        << user << dirs << QStringList{"user", "sys1"} << "exe";
    QTest::newRow("unset data home means ~/.local/share")
        << QString() << dirs << QStringList{home, "sys1/quirlon95"} << home;
    QTest::newRow("empty data home means ~/.local/share")
        << QString("") << dirs << QStringList{home, "sys1/quirlon95"} << home;
    QTest::newRow("relative data home ignored")
        << QString("user") << dirs << QStringList{"user/quirlon95", home} << home;
    QTest::newRow("relative system dir ignored")
        << user << QString("sys1:%1/sys2") << QStringList{"sys1/quirlon95", "sys2/quirlon95"}
        << "sys2/quirlon95";
    QTest::newRow("empty system dir entries ignored")
        << user << QString("::%1/sys2:") << QStringList{"quirlon95", "sys2/quirlon95"}
        << "sys2/quirlon95";
}

void TestProfileFile::findLevelFile() {
    QFETCH(QString, dataHome);
    QFETCH(QString, dataDirs);
    QFETCH(QStringList, holders);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    for (const QString& holder : holders) {
        QVERIFY(QDir(root).mkpath(holder));
        QFile file(root + '/' + holder + QStringLiteral("/328lvd.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // Relative entries would resolve against the working directory, so put files within reach.
    savedCurrentDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root));
    setEnvironment("HOME", root + QStringLiteral("/home"));
    setEnvironment("XDG_DATA_HOME", underRoot(dataHome, root));
    setEnvironment("XDG_DATA_DIRS", underRoot(dataDirs, root));

    const std::filesystem::path found = ::findLevelFile(pathIn(dir, QStringLiteral("exe")));
    QCOMPARE(QString::fromStdString(found.string()),
             root + '/' + expected + QStringLiteral("/328lvd.ini"));
}

void TestProfileFile::setEnvironment(const char* name, const QString& value) {
    savedEnvironment_.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                    : std::optional<QByteArray>()});
    if (value.isNull()) {
        qunsetenv(name);
    } else {
        qputenv(name, value.toLocal8Bit());
    }
}

void TestProfileFile::cleanup() {
    while (!savedEnvironment_.isEmpty()) {
        const auto [name, value] = savedEnvironment_.takeLast();
        if (value) {
            qputenv(name.constData(), *value);
        } else {
            qunsetenv(name.constData());
        }
    }
    if (!savedCurrentDir_.isEmpty()) {
        QDir::setCurrent(savedCurrentDir_);
        savedCurrentDir_.clear();
    }
}

QTEST_APPLESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
