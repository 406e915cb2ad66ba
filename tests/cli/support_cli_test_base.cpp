#include "support_cli_test_base.h"

#include "test_files.h"

#include <QDir>
#include <QProcess>

bool TCliTestBase::PrepareDirectory()
{
    return m_dir.isValid() && QDir(m_dir.path()).mkpath("config");
}

QString TCliTestBase::WriteFile(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    TestFiles::Write(path, content);
    return path;
}

TCliTestBase::TRun TCliTestBase::Cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSALY_CLI), arguments);
    TRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList TCliTestBase::Lines(const QByteArray &text)
{
    QStringList lines = QString::fromUtf8(text).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
