// Saving a level document: byte for byte what was opened when nothing changed, the old file kept
// as NAME.bak, and nothing lost when the save cannot be made.
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include "designer/editor/levelfilesave.h"

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class TestLevelSave : public QObject {
    Q_OBJECT

private slots:
    void savedUnchanged_data();
    void savedUnchanged();
    void saves_data();
    void saves();
};

void TestLevelSave::savedUnchanged_data() {
    QTest::addColumn<QString>("file");

    QTest::newRow("the shipped levels") << QStringLiteral(LEVEL_FILE);
    QDirIterator corpus(QStringLiteral(FUZZ_CORPUS), QDir::Files, QDirIterator::Subdirectories);
    while (corpus.hasNext()) {
        const QString file = corpus.next();
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
    }
}

void TestLevelSave::savedUnchanged() {
    QFETCH(QString, file);

    LevelDocument::OpenError error{};
    const std::optional<LevelDocument> document = LevelDocument::open(file.toStdString(), error);
    QVERIFY2(document, qPrintable(file));
    if (document->refusal()) {
        return;  // saved it would not be
    }
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("328lvd.ini"));
    QString saveError;
    QVERIFY2(saveLevelFile(*document, copy, saveError), qPrintable(saveError));
    QCOMPARE(contentsOf(copy), contentsOf(file));
}

void TestLevelSave::saves_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("where");  // "file", or "below a file" for a folder that is none
    QTest::addColumn<bool>("saved");

    QTest::newRow("over the old file") << QByteArray("[1]\nhinder1.left=5\n") << "file" << true;
    QTest::newRow("a file the game would refuse")
        << QByteArray("[1]\nhinder1.left=0\n") << "file" << false;
    QTest::newRow("into a folder that cannot be")
        << QByteArray("[1]\nhinder1.left=5\n") << "below a file" << false;
}

void TestLevelSave::saves() {
    QFETCH(QByteArray, text);
    QFETCH(QString, where);
    QFETCH(bool, saved);

    QTemporaryDir dir;
    const QByteArray old = "[1]\nhinder1.left=80\n";
    const QString target = dir.filePath(QStringLiteral("328lvd.ini"));
    write(target, old);
    const QString path =
        where == QLatin1String("file") ? target : target + QStringLiteral("/328lvd.ini");
    QString error;
    QCOMPARE(saveLevelFile(LevelDocument(text.toStdString()), path, error), saved);
    QCOMPARE(error.isEmpty(), saved);
    QCOMPARE(contentsOf(target), saved ? text : old);
    QCOMPARE(contentsOf(target + QStringLiteral(".bak")), saved ? old : QByteArray("(none)"));
    // Nothing of a save is left behind in the folder but the file and its backup.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), saved ? 2 : 1);
}

QTEST_GUILESS_MAIN(TestLevelSave)
#include "tst_levelsave.moc"
