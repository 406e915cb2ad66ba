#include "shell/file_association.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The association the program writes at start, with the desktop's folders
// (XDG_DATA_HOME for the user, XDG_DATA_DIRS for the system) in a temporary
// folder that a test fills as a package installation would.
class TstFileAssociation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void installedCopyWritesNothing_data();
    void installedCopyWritesNothing();

private:
    QString Put(const QString &path, const QByteArray &content);
    static QByteArray Packaged(const QString &name);

    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_dataHome;
    QByteArray m_dataDirs;
};

void TstFileAssociation::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_dataHome = qgetenv("XDG_DATA_HOME");
    m_dataDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root->filePath("home")));
}

void TstFileAssociation::cleanup()
{
    qputenv("XDG_DATA_HOME", m_dataHome);
    qputenv("XDG_DATA_DIRS", m_dataDirs);
}

QString TstFileAssociation::Put(const QString &path, const QByteArray &content)
{
    const QString full = m_root->filePath(path);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(full));
    return full;
}

// The files the package installs.
QByteArray TstFileAssociation::Packaged(const QString &name)
{
    QFile file(QStringLiteral(TESSALY_SOURCE_DIR "/packaging/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

void TstFileAssociation::installedCopyWritesNothing_data()
{
    QTest::addColumn<QStringList>("installed"); // files put under the temporary folder
    QTest::addColumn<QString>("dataDirs");      // XDG_DATA_DIRS, relative to it
    QTest::addColumn<QString>("executable");
    QTest::addColumn<bool>("written");

    const QString entry = QStringLiteral("usr/share/applications/tessaly.desktop");
    const QString mime = QStringLiteral("usr/share/mime/packages/tessaly.xml");
    QTest::newRow("installed copy") << QStringList{entry, mime} << "usr/share" << "usr/bin/tessaly" << false;
    QTest::newRow("installed in a later data folder")
        << QStringList{entry, mime} << "opt/share:usr/share" << "usr/bin/tessaly" << false;
    QTest::newRow("no desktop entry") << QStringList{mime} << "usr/share" << "usr/bin/tessaly" << true;
    QTest::newRow("no MIME type") << QStringList{entry} << "usr/share" << "usr/bin/tessaly" << true;
    QTest::newRow("a copy run from elsewhere")
        << QStringList{entry, mime} << "usr/share" << "build/src/app/tessaly" << true;
    QTest::newRow("installed where the desktop does not look")
        << QStringList{entry, mime} << "opt/share" << "usr/bin/tessaly" << true;
    QTest::newRow("an entry for other files")
        << QStringList{entry + "=other", mime} << "usr/share" << "usr/bin/tessaly" << true;
}

void TstFileAssociation::installedCopyWritesNothing()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, dataDirs);
    QFETCH(QString, executable);
    QFETCH(bool, written);

    for (const QString &item : installed) {
        const QString path = item.section(QLatin1Char('='), 0, 0);
        QByteArray content = Packaged(QFileInfo(path).fileName());
        if (item.contains(QLatin1Char('=')))
            content.replace("MimeType=application/x-tessaly;", "MimeType=text/plain;");
        Put(path, content);
    }
    QStringList dirs;
    for (const QString &dir : dataDirs.split(QLatin1Char(':')))
        dirs << m_root->filePath(dir);
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dirs.join(QLatin1Char(':'))));
    const QString program = Put(executable, "#!/bin/sh\n");

    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QCOMPARE(home, m_root->filePath("home"));
    TFileAssociation association("tsy", "tessaly", program, home);
    QVERIFY(association.Register());
    QCOMPARE(association.Changed(), written);
    QCOMPARE(QFile::exists(association.DesktopFile()), written);
    QCOMPARE(QFile::exists(association.MimeFile()), written);
    QCOMPARE(QDir(home).exists(), written);
}

QTEST_GUILESS_MAIN(TstFileAssociation)
#include "tst_file_association.moc"
