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
    void followsLanguage_data();
    void followsLanguage();
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

// The help shows the language the program would: the locale's, unless
// --lang says otherwise.
void TstAppProgram::followsLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed");

    QTest::newRow("Argentina") << "es_AR.UTF-8" << QStringList{"--help"} << 0 << "Dispositivo serie del puerto host";
    QTest::newRow("Mexico") << "es_MX.UTF-8" << QStringList{"--help"} << 0 << "Dispositivo serie del puerto host";
    QTest::newRow("--lang en over Spanish") << "es_AR.UTF-8" << QStringList{"--lang", "en", "--help"} << 0
                                            << "Serial device of the host port for this run.";
    QTest::newRow("--lang=es over English") << "C.UTF-8" << QStringList{"--lang=es", "--help"} << 0
                                            << "--lang <idioma>";
    QTest::newRow("unknown language") << "C.UTF-8" << QStringList{"--lang", "xx"} << 1
                                      << "Unknown language \"xx\"";
}

void TstAppProgram::followsLanguage()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("LANG"), lang);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESSALY_APP), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString output = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(output.contains(printed), qPrintable(output));
}

QTEST_GUILESS_MAIN(TstAppProgram)
#include "tst_app_program.moc"
