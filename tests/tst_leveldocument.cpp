// The level document: it reads a level file as the game does, changes only the bytes an edit
// changes, and numbers its levels anew after a level edit.
#include <QtTest>
#include <functional>

#include "designer/leveldocument.h"

namespace {

using Edit = std::function<void(LevelDocument&)>;

Edit set(std::size_t level, const char* prefix, LevelField field, int32 value) {
    return [=](LevelDocument& d) {
        d.setValue(LevelIndex(level), *levelElementNamed(prefix), field, value);
    };
}

QString notesOf(const LevelDocument& document, LevelIndex level) {
    const char* const kinds[] = {"malformed", "twice", "unread", "missing"};
    QStringList out;
    for (const LevelDocument::Note& note : document.notes(level)) {
        if (note.kind != LevelDocument::Note::Missing) {
            out << QString::fromLatin1(kinds[note.kind]) + QLatin1Char(' ') +
                       QString::fromStdString(note.key);
        }
    }
    return out.join(QStringLiteral(", "));
}

const QString Three = QStringLiteral("[1]\na=1\n[2]\nb=2\n[3]\nc=3\n");

}  // namespace

Q_DECLARE_METATYPE(Edit)

class TestLevelDocument : public QObject {
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
    void readsAsTheGame_data();
    void readsAsTheGame();
    void notes_data();
    void notes();
    void refusal_data();
    void refusal();
    void newLevel();
};

void TestLevelDocument::edits_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("after");

    const auto Top = LevelField::Top;
    QTest::newRow("a value rewritten where it stands")
        << "[1]\nhinder1.left=80\nhinder1.top=5\n"
        << set(0, "hinder1", Top, 7) << "[1]\nhinder1.left=80\nhinder1.top=7\n";
    QTest::newRow("case, blanks and line breaks kept")
        << "\xEF\xBB\xBF[ 1 ]\r\n  HINDER1.TOP =  5  \r\n"
        << set(0, "hinder1", Top, -12) << "\xEF\xBB\xBF[ 1 ]\r\n  HINDER1.TOP =  -12  \r\n";
    QTest::newRow("quotes kept") << "[1]\nhinder1.top=\"5\"\n"
                                 << set(0, "hinder1", Top, 60) << "[1]\nhinder1.top=\"60\"\n";
    QTest::newRow("a value that is no number")
        << "[1]\nhinder1.top=12px\n"
        << set(0, "hinder1", Top, 12) << "[1]\nhinder1.top=12\n";
    QTest::newRow("the first of a key given twice")
        << "[1]\nhinder1.top=1\nhinder1.top=2\n"
        << set(0, "hinder1", Top, 3) << "[1]\nhinder1.top=3\nhinder1.top=2\n";
    QTest::newRow("a missing key after the section's last entry, before a comment")
        << "[1]\nhinder1.left=80\n\n; the next\n[2]\n"
        << set(0, "hinder5", Top, 3) << "[1]\nhinder1.left=80\nhinder5.top=3\n\n; the next\n[2]\n";
    QTest::newRow("a missing key in the file's line breaks")
        << "[1]\r\na=1\r\n[2]\r\n"
        << set(1, "dig1", Top, 4) << "[1]\r\na=1\r\n[2]\r\ndig1.top=4\r\n";
    QTest::newRow("a missing key at a file's end without a line break")
        << "[1]\nhinder1.left=80" << set(0, "hinder1", Top, 5)
        << "[1]\nhinder1.left=80\nhinder1.top=5";
    QTest::newRow("the bare left key of the hand")
        << "[1]\ndig11.left=1\ndig11=2\n"
        << set(0, "dig11", LevelField::Left, 9) << "[1]\ndig11.left=1\ndig11=9\n";
    QTest::newRow("a level deleted")
        << Three << Edit([](LevelDocument& d) { d.deleteLevel(LevelIndex(1)); })
        << "[1]\na=1\n[2]\nc=3\n";
    QTest::newRow("a level moved down")
        << Three << Edit([](LevelDocument& d) { d.moveLevel(LevelIndex(0), 1); })
        << "[1]\nb=2\n[2]\na=1\n[3]\nc=3\n";
    QTest::newRow("the first level not moved up")
        << Three << Edit([](LevelDocument& d) { d.moveLevel(LevelIndex(0), -1); }) << Three;
    QTest::newRow("a level moved past another section")
        << "[1]\na=1\n[Info]\nx=1\n[2]\nb=2"
        << Edit([](LevelDocument& d) { d.moveLevel(LevelIndex(1), -1); })
        << "[1]\nb=2\n[Info]\nx=1\n[2]\na=1\n";
    QTest::newRow("a level duplicated")
        << Three << Edit([](LevelDocument& d) { d.duplicateLevel(LevelIndex(0)); })
        << "[1]\na=1\n[2]\na=1\n[3]\nb=2\n[4]\nc=3\n";
    QTest::newRow("sections out of order numbered anew")
        << "[3]\nc=3\n[1]\na=1\n[1]\nz=0\n"
        << Edit([](LevelDocument& d) { d.deleteLevel(LevelIndex(1)); }) << "[1]\nc=3\n[2]\nz=0\n";
}

void TestLevelDocument::edits() {
    QFETCH(QString, before);
    QFETCH(Edit, edit);
    QFETCH(QString, after);

    LevelDocument document(before.toStdString());
    edit(document);
    QCOMPARE(QString::fromStdString(document.text()), after);
}

// After an edit the game reads the new value, and every other value as before.
void TestLevelDocument::readsAsTheGame_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("place");

    QTest::newRow("a plain section") << "[1]\nhinder1.left=80\ndig3.top=$1F\n" << 0;
    QTest::newRow("the second of two levels") << "[1]\nhinder1.left=80\n[2]\r\nHinder2.Top=1\r\n"
                                              << 1;
    QTest::newRow("CR line breaks and a BOM") << "\xEF\xBB\xBF[1]\rhinder9.visible=no\r" << 0;
}

void TestLevelDocument::readsAsTheGame() {
    QFETCH(QString, text);
    QFETCH(int, place);

    const LevelIndex level(place);
    for (const ElementId e : LevelElements) {
        for (const LevelField field : LevelFields) {
            LevelDocument document(text.toStdString());
            const LevelLayout before = document.layout(level);
            document.setValue(level, e, field, 1234);
            const std::string name = std::to_string(document.level(level).number);
            const LevelLayout read =
                readLevel(ProfileFile::fromText(document.text()).section(name));
            for (const ElementId other : LevelElements) {
                Placement expected = before[other];
                if (other == e) {
                    setField(expected, field, 1234);
                }
                QCOMPARE(read[other].Left, expected.Left);
                QCOMPARE(read[other].Top, expected.Top);
                QCOMPARE(read[other].Width, expected.Width);
                QCOMPARE(read[other].Height, expected.Height);
                QCOMPARE(read[other].Visible, expected.Visible);
            }
        }
    }
}

void TestLevelDocument::notes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("notes");

    QTest::newRow("clean") << "[1]\nhinder1.left=80\n"
                           << "";
    QTest::newRow("no number") << "[1]\nhinder1.left=80px\ndig1.visible=no\n"
                               << "malformed hinder1.left, malformed dig1.visible";
    QTest::newRow("given twice, ignoring case") << "[1]\nhinder1.left=1\nHINDER1.LEFT=2\n"
                                                << "twice HINDER1.LEFT";
    QTest::newRow("keys the game never reads") << "[1]\ndig10.left=1\nhinder7.left=2\n"
                                               << "unread dig10.left, unread hinder7.left";
}

void TestLevelDocument::notes() {
    QFETCH(QString, text);
    QFETCH(QString, notes);

    QCOMPARE(notesOf(LevelDocument(text.toStdString()), LevelIndex(0)), notes);
}

void TestLevelDocument::refusal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");

    QTest::newRow("accepted") << "[1]\nhinder1.left=1\n" << false;
    QTest::newRow("no level 1") << "[2]\nhinder1.left=1\n" << true;
    QTest::newRow("left 0") << "[1]\nhinder1.left=0\n" << true;
    QTest::newRow("left no number") << "[1]\nhinder1.left=x\n" << true;
    QTest::newRow("left missing") << "[1]\nhinder1.top=1\n" << true;
    QTest::newRow("only the first level 1 counts") << "[1]\n[1]\nhinder1.left=1\n" << true;
}

void TestLevelDocument::refusal() {
    QFETCH(QString, text);
    QFETCH(bool, refused);

    QCOMPARE(LevelDocument(text.toStdString()).refusal().has_value(), refused);
}

// A new level shows the hand alone, every key given, and comes last.
void TestLevelDocument::newLevel() {
    LevelDocument document("[1]\nhinder1.left=80");
    document.addLevel();
    QCOMPARE(document.levels().size(), std::size_t{2});
    QCOMPARE(notesOf(document, LevelIndex(1)), QString());
    QVERIFY(document.notes(LevelIndex(1)).empty());
    const LevelLayout layout = document.layout(LevelIndex(1));
    for (const ElementId e : LevelElements) {
        QCOMPARE(layout[e].Visible, e.role() == Role::Hand);
        QVERIFY(layout[e].Width > 0);
    }
    QVERIFY(document.text().starts_with("[1]\nhinder1.left=80\n[2]\nhinder1.left=80\n"));
}

QTEST_GUILESS_MAIN(TestLevelDocument)
#include "tst_leveldocument.moc"
