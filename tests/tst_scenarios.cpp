// Whole scenarios played by the scenario runner, compared line by line with the expected JSON.
#include <QtTest>

class TestScenarios : public QObject {
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void TestScenarios::run_data() {
    QTest::addColumn<QString>("name");

    QTest::newRow("free fall") << "freefall";
    QTest::newRow("paddle bounce") << "paddle-bounce";
    QTest::newRow("drag") << "drag";
}

void TestScenarios::run() {
    QFETCH(QString, name);

    const QDir dir(QStringLiteral(SCENARIO_DIR));
    QFile expectedFile(dir.filePath(name + ".expected"));
    QVERIFY2(expectedFile.open(QIODevice::ReadOnly), qPrintable(expectedFile.fileName()));
    const QStringList expected =
        QString::fromUtf8(expectedFile.readAll()).split('\n', Qt::SkipEmptyParts);

    QProcess sim;
    sim.start(QStringLiteral(QUIRLON_SIM),
              {dir.filePath(QStringLiteral("basic.ini")), dir.filePath(name + ".sim")});
    QVERIFY2(sim.waitForFinished(30000), "the runner did not finish");
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(sim.readAllStandardError()), QString());
    QCOMPARE(sim.exitCode(), 0);
    const QStringList actual =
        QString::fromUtf8(sim.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);

    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual[i] == expected[i]) {
            continue;
        }
        // The lines are long: show where they part.
        qsizetype at = 0;
        while (at < actual[i].size() && at < expected[i].size() &&
               actual[i][at] == expected[i][at]) {
            ++at;
        }
        const qsizetype from = qMax<qsizetype>(0, at - 40);
        QFAIL(qPrintable(
            QStringLiteral("line %1 differs at column %2:\n   actual: ...%3\n expected: ...%4")
                .arg(i + 1)
                .arg(at + 1)
                .arg(actual[i].mid(from, 100), expected[i].mid(from, 100))));
    }
    QCOMPARE(actual.size(), expected.size());
}

QTEST_GUILESS_MAIN(TestScenarios)
#include "tst_scenarios.moc"
