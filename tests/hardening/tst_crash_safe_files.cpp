// A terminal file survives its writer being killed at any moment, and a write
// that cannot happen (read-only file, full disk, vanished folder) is
// reported and leaves the file as it was.
#include "document_steps.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QString SampleFile = QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy");
const QString Writer = QStringLiteral(HARDENING_DOCUMENT_WRITER);
// Unprivileged account for the permission checks when the tests run as root.
constexpr uid_t Nobody = 65534;

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every version the file passes through: before step 0, after step 0, ...
QList<QByteArray> Versions(const QString &path, int steps)
{
    QList<QByteArray> versions{ReadAll(path)};
    TTerminalDocument document(path);
    TDocumentSteps series;
    for (int step = 0; step < steps; ++step) {
        const TTerminalDocument::TResult result = series.Apply(document, step);
        if (!result.Ok) {
            qWarning("step %d failed: %s", step, qPrintable(result.Message));
            return {};
        }
        versions.append(ReadAll(path));
    }
    return versions;
}

int StepsDone(const QByteArray &output)
{
    int done = 0;
    for (const QByteArray &line : output.split('\n')) {
        if (line.endsWith(" ok"))
            done = line.split(' ').first().toInt() + 1;
    }
    return done;
}

} // namespace

class TestCrashSafeFiles : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesACompleteVersion();
    void refusedWriteLeavesTheFile_data();
    void refusedWriteLeavesTheFile();
    void vanishedFolderIsReported();
};

void TestCrashSafeFiles::killedWriterLeavesACompleteVersion()
{
    constexpr int Steps = 30 * TDocumentSteps::StepsPerRound;
    constexpr int Kills = 12;
    QTemporaryDir dir;
    const QString reference = dir.filePath(QStringLiteral("reference.tsy"));
    QVERIFY(QFile::copy(SampleFile, reference));
    const QList<QByteArray> versions = Versions(reference, Steps);
    QCOMPARE(versions.size(), Steps + 1);

    QRandomGenerator random(QRandomGenerator::global()->generate());
    int caughtBetween = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const QString path = dir.filePath(QStringLiteral("victim%1.tsy").arg(kill));
        QVERIFY(QFile::copy(SampleFile, path));
        QProcess writer;
        writer.start(Writer, {path, QString::number(Steps)});
        QVERIFY2(writer.waitForStarted(10000), qPrintable(writer.errorString()));
        // Kill while the writer is in the middle of the series, right after
        // it has reported some random step.
        const int killAfter = int(random.bounded(Steps - 1));
        QByteArray output;
        while (StepsDone(output) <= killAfter && writer.state() == QProcess::Running) {
            writer.waitForReadyRead(10000);
            output += writer.readAllStandardOutput();
        }
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        output += writer.readAllStandardOutput();
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit || writer.exitCode() == 0, output.constData());

        const int done = StepsDone(output);
        const QByteArray onDisk = ReadAll(path);
        const bool previous = onDisk == versions.at(done);
        const bool next = done < Steps && onDisk == versions.at(done + 1);
        QVERIFY2(previous || next, qPrintable(QStringLiteral("killed after step %1: the file is neither "
                                                              "version %1 nor %2").arg(done).arg(done + 1)));
        caughtBetween += next ? 1 : 0;

        // What a killed writer leaves is a file the program reads.
        TTerminalDocument reopened;
        QVERIFY(reopened.Load(path));
        QVERIFY(reopened.GroupExists(QStringLiteral("Receipt")));
    }
    qInfo("%d kills, %d of them between a write and its report", Kills, caughtBetween);
}

void TestCrashSafeFiles::refusedWriteLeavesTheFile_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("read-only file") << "read-only";
    QTest::newRow("full disk") << "full";
}

void TestCrashSafeFiles::refusedWriteLeavesTheFile()
{
    QFETCH(QString, obstacle);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.tsy"));
    QVERIFY(QFile::copy(SampleFile, path));
    const QByteArray original = ReadAll(path);

    QStringList arguments{path, QStringLiteral("5")};
    if (obstacle == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (::geteuid() == 0) {
            // Root writes anything: the writer runs as an ordinary user who
            // owns the folder and the read-only file.
            QVERIFY(::chown(qPrintable(dir.path()), Nobody, Nobody) == 0);
            QVERIFY(::chown(qPrintable(path), Nobody, Nobody) == 0);
            arguments << QStringLiteral("--user") << QString::number(Nobody);
        }
    } else {
        // Less room than the next version of the file needs.
        arguments << QStringLiteral("--fsize-limit") << QString::number(original.size() / 2);
    }

    QProcess writer;
    writer.start(Writer, arguments);
    QVERIFY(writer.waitForFinished(30000));
    const QByteArray output = writer.readAllStandardOutput();
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QVERIFY2(writer.exitCode() == 1, output.constData());
    QVERIFY2(output.contains("0 failed: Unable to write to " + QDir::toNativeSeparators(path).toLocal8Bit()),
             output.constData());
    QVERIFY2(output.contains("0 document matches file: yes"), output.constData());
    QCOMPARE(ReadAll(path), original);
    // No half-written copy is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("demo.tsy")});
}

void TestCrashSafeFiles::vanishedFolderIsReported()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("stick"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/demo.tsy");
    QVERIFY(QFile::copy(SampleFile, path));
    TTerminalDocument document(path);
    const QStringList groups = document.Groups();
    const QByteArray before = document.Ini().ToData();

    QVERIFY(QDir(folder).removeRecursively());
    TDocumentSteps series;
    for (int step = 0; step < TDocumentSteps::StepsPerRound; ++step) {
        const TTerminalDocument::TResult result = series.Apply(document, step);
        QVERIFY(!result.Ok);
        QVERIFY(!result.Changed);
        QVERIFY(!result.Message.isEmpty());
        QCOMPARE(document.Groups(), groups);
        QCOMPARE(document.Ini().ToData(), before);
    }
    QVERIFY(!QFileInfo::exists(folder));
}

QTEST_GUILESS_MAIN(TestCrashSafeFiles)
#include "tst_crash_safe_files.moc"
