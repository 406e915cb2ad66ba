#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

// The built tessaly started with no display at all: no X or Wayland server
// named and no platform chosen, as on a server or in a text console.
class TstAppProgram : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void TstAppProgram::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString version = QStringLiteral("Tessaly " TESSALY_VERSION "\n");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << QString();
    QTest::newRow("after a Qt option") << QStringList{"-platform", "xcb", "--version"} << 0 << version << QString();
    QTest::newRow("--help") << QStringList{"--help"} << 0 << QStringLiteral("--host-port <device>") << QString();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << QStringLiteral("--fiscal-port <device>") << QString();
    QTest::newRow("help with a file") << QStringList{"shop.tsy", "--help"} << 0 << QStringLiteral("[file]") << QString();
    QTest::newRow("missing value") << QStringList{"--host-port"} << 1 << QString()
                                   << QStringLiteral("Missing value after '--host-port'.");
}

void TstAppProgram::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESSALY_APP), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString reported = QString::fromLocal8Bit(program.readAllStandardError());

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    if (out.endsWith(QLatin1Char('\n')))
        QCOMPARE(printed, out);
    else if (out.isEmpty())
        QVERIFY2(printed.isEmpty(), qPrintable(printed));
    else
        QVERIFY2(printed.startsWith(QStringLiteral("Usage: ")) && printed.contains(out), qPrintable(printed));
    if (err.isEmpty())
        QVERIFY2(reported.isEmpty(), qPrintable(reported));
    else
        QVERIFY2(reported.contains(err), qPrintable(reported));
}

QTEST_GUILESS_MAIN(TstAppProgram)
#include "tst_app_program.moc"
