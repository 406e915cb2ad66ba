#include "shell/file_association.h"
#include "shell/mdi_layout.h"
#include "shell/terminal_files.h"
#include "terminal_model/command_field.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/settings.h"
#include "terminal_model/terminal_document.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestFiles::ReadAll;

using TestFiles::Write;

} // namespace

class TstTerminalFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fileFromArgument_data();
    void fileFromArgument();
    void fileFromDrop_data();
    void fileFromDrop();
    void defaultExtension_data();
    void defaultExtension();
    void templateIsTheNewFileFormat();
    void newFileTakesAccentsAsWindows1252();
    void newFileFallsBackToSecondFolder();
    void newFileFailsEverywhere();
    void copyReplacesTarget();
    void copyOfMissingSourceFails();
    void generalSectionRead_data();
    void generalSectionRead();
    void generalSectionWriteKeepsOtherLines();
    void generalSectionWriteLeavesUnchangedFileAlone_data();
    void generalSectionWriteLeavesUnchangedFileAlone();
    void generalSectionWriteDoesNotRecreateDeletedFile();
    void iconPositions();
    void tileRects_data();
    void tileRects();
    void associationWrittenOnlyWhenDifferent();
    void associationQuotesExecutable();

private:
    QTemporaryDir m_dir;
};

void TstTerminalFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Write(m_dir.filePath("present.tsy"), "[Groups]\n");
    Write(m_dir.filePath("upper.TSY"), "[Groups]\n");
    Write(m_dir.filePath("mixed.Tsy"), "[Groups]\n");
    Write(m_dir.filePath("present.tsy.txt"), "text\n");
    Write(m_dir.filePath("notes.txt"), "text\n");
    QDir(m_dir.path()).mkdir("sub");
    Write(m_dir.filePath("sub/inner.tsy"), "[Groups]\n");
}

void TstTerminalFiles::fileFromArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");   // relative to the temporary folder, empty = ignored

    QTest::newRow("bare name in the current folder") << "present.tsy" << "present.tsy";
    QTest::newRow("relative path") << "sub/inner.tsy" << "sub/inner.tsy";
    QTest::newRow("absolute path") << m_dir.filePath("present.tsy") << "present.tsy";
    QTest::newRow("capital extension") << "upper.TSY" << "upper.TSY";
    QTest::newRow("mixed-case extension") << "mixed.Tsy" << "mixed.Tsy";
    QTest::newRow("extension inside the name") << "present.tsy.txt" << "";
    QTest::newRow("other extension") << "notes.txt" << "";
    QTest::newRow("missing file") << "absent.tsy" << "";
    QTest::newRow("folder named like a file") << "sub" << "";
    QTest::newRow("empty") << "" << "";
}

void TstTerminalFiles::fileFromArgument()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    const QString result = TerminalFiles::FileFromArgument(argument, m_dir.path());
    QCOMPARE(result, expected.isEmpty() ? QString() : QDir::cleanPath(m_dir.filePath(expected)));
}

void TstTerminalFiles::fileFromDrop_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("expected");

    QTest::newRow("terminal file") << QStringList{"/a/b.tsy"} << "/a/b.tsy";
    QTest::newRow("capital extension") << QStringList{"/a/B.TSY"} << "/a/B.TSY";
    QTest::newRow("only the first counts") << QStringList{"/a/notes.txt", "/a/b.tsy"} << "";
    QTest::newRow("first of two terminal files") << QStringList{"/a/one.tsy", "/a/two.tsy"} << "/a/one.tsy";
    QTest::newRow("nothing") << QStringList{} << "";
}

void TstTerminalFiles::fileFromDrop()
{
    QFETCH(QStringList, paths);
    QFETCH(QString, expected);
    QCOMPARE(TerminalFiles::FileFromDrop(paths), expected);
}

void TstTerminalFiles::defaultExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "/x/printer" << "/x/printer.tsy";
    QTest::newRow("own extension") << "/x/printer.tsy" << "/x/printer.tsy";
    QTest::newRow("other extension kept") << "/x/printer.ini" << "/x/printer.ini";
    QTest::newRow("dotted folder") << "/x.d/printer" << "/x.d/printer.tsy";
    QTest::newRow("cancelled") << "" << "";
}

void TstTerminalFiles::defaultExtension()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(TerminalFiles::WithDefaultExtension(typed), expected);
}

void TstTerminalFiles::templateIsTheNewFileFormat()
{
    const QByteArray content = TerminalFiles::NewFileTemplate();
    // CR LF throughout, as Windows tools write and expect it.
    QVERIFY(content.startsWith(";\r\n; Brief format descriptions\r\n"));
    QVERIFY(content.endsWith("\r\n[PrinterAnswer]\r\n\r\n[Groups]\r\n"));
    QCOMPARE(content.count('\n'), content.count("\r\n"));
    // Trailing blanks of the comment block belong to the format's text.
    QVERIFY(content.contains("\r\n;InputDateFormat= \r\n"));
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData(content));
    QCOMPARE(ini.ReadSections(), (QStringList{"General", "Return code", "FiscalAnswer", "PrinterAnswer", "Groups"}));
    QCOMPARE(ini.ReadSection("General"), (QStringList{"Protocol", "InputDateFormat", "OutputDateFormat"}));
    QVERIFY(ini.ReadSection("Groups").isEmpty());
}

void TstTerminalFiles::newFileTakesAccentsAsWindows1252()
{
    // Windows text editors read a file without a byte-order mark as
    // Windows-1252: an accented caption in a new file is one byte there.
    QString error;
    const QString path = TerminalFiles::CreateNewFile({m_dir.filePath("new")}, TerminalFiles::NewFileTemplate(), &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    TTerminalDocument document(path);
    QVERIFY(document.AddGroup("Ventas").Ok);
    QVERIFY(document.AddCommand("Ventas", "Item").Ok);
    TExtIniFile ini(path);
    TCommandField field;
    field.Caption = QStringLiteral("Descripci\u00F3n");
    WriteCommandFields(ini, "VentasItem", {field});
    QVERIFY2(ini.UpdateFile(), qPrintable(ini.LastError()));

    const QByteArray written = ReadAll(path);
    QVERIFY(written.startsWith(TerminalFiles::NewFileTemplate()));
    QVERIFY(written.endsWith("[Groups]\r\nVentas=\r\n\r\n[Ventas]\r\nItem=\r\n\r\n[VentasItem]\r\n"
                             "Commands=0,\"Descripci\xF3n\",\"\",0,\"\",0,0,0,0,0,0,0\r\nAnswers=\r\n"));
    QCOMPARE(TExtIniFile(path).Encoding(), TTextCodec::TEncoding::Windows1252);
}

void TstTerminalFiles::newFileFallsBackToSecondFolder()
{
    // A plain file where the program's folder should be cannot take default.tsy.
    const QString blocked = m_dir.filePath("blocked");
    Write(blocked, "not a folder");
    const QString data = m_dir.filePath("data/tessaly");
    QString error;
    const QString path = TerminalFiles::CreateNewFile({blocked, data}, "content", &error);
    QCOMPARE(path, QDir(data).filePath("default.tsy"));
    QCOMPARE(ReadAll(path), QByteArray("content"));
}

void TstTerminalFiles::newFileFailsEverywhere()
{
    const QString blocked = m_dir.filePath("blocked2");
    Write(blocked, "not a folder");
    QString error;
    QCOMPARE(TerminalFiles::CreateNewFile({blocked, blocked + "/deeper"}, "content", &error), QString());
    QVERIFY2(error.startsWith("Unable to write to"), qPrintable(error));
}

void TstTerminalFiles::copyReplacesTarget()
{
    const QString source = m_dir.filePath("source.tsy");
    const QString target = m_dir.filePath("target.tsy");
    Write(source, "[Groups]\r\nSales=\r\n");
    Write(target, "old content that is longer than the new one\n");
    QString error;
    QVERIFY(TerminalFiles::CopyTerminalFile(source, target, &error));
    QCOMPARE(ReadAll(target), QByteArray("[Groups]\r\nSales=\r\n"));
    QVERIFY(TerminalFiles::CopyTerminalFile(source, source, &error));
    QCOMPARE(ReadAll(source), QByteArray("[Groups]\r\nSales=\r\n"));
}

void TstTerminalFiles::copyOfMissingSourceFails()
{
    const QString target = m_dir.filePath("kept.tsy");
    Write(target, "kept");
    QString error;
    QVERIFY(!TerminalFiles::CopyTerminalFile(m_dir.filePath("gone.tsy"), target, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(target), QByteArray("kept"));
}

void TstTerminalFiles::generalSectionRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("input");

    QTest::newRow("all set") << QByteArray("[General]\nProtocol=1\nInputDateFormat=7\nOutputDateFormat=3\n") << 1 << 3 << 7;
    QTest::newRow("no protocol key") << QByteArray("[General]\nInputDateFormat=2\n") << 0 << 0 << 2;
    QTest::newRow("no section") << QByteArray("[Groups]\n") << 0 << 0 << 0;
    QTest::newRow("not numbers") << QByteArray("[General]\nProtocol=x\nOutputDateFormat=\n") << 0 << 0 << 0;
    QTest::newRow("out of range") << QByteArray("[General]\nProtocol=2\nOutputDateFormat=8\nInputDateFormat=-1\n") << 0 << 0 << 0;
}

void TstTerminalFiles::generalSectionRead()
{
    QFETCH(QByteArray, content);
    QFETCH(int, protocol);
    QFETCH(int, output);
    QFETCH(int, input);
    const QString path = m_dir.filePath("general.tsy");
    Write(path, content);
    TSettings settings;
    settings.Protocol = 1;
    settings.OutputDateFormat = 6;
    settings.InputDateFormat = 6;
    QString error;
    QVERIFY(TerminalFiles::ReadGeneralSection(settings, path, &error));
    QCOMPARE(int(settings.Protocol), protocol);
    QCOMPARE(int(settings.OutputDateFormat), output);
    QCOMPARE(int(settings.InputDateFormat), input);
}

void TstTerminalFiles::generalSectionWriteKeepsOtherLines()
{
    const QString path = m_dir.filePath("write.tsy");
    Write(path, "; comment\r\n[General]\r\nInputDateFormat=0\r\n\r\n[Groups]\r\nSales=\r\n");
    TSettings settings;
    settings.Protocol = 1;
    settings.OutputDateFormat = 2;
    settings.InputDateFormat = 4;
    QString error;
    QVERIFY(TerminalFiles::WriteGeneralSection(settings, path, &error));
    QCOMPARE(ReadAll(path), QByteArray("; comment\r\n[General]\r\nInputDateFormat=4\r\nProtocol=1\r\n"
                                       "OutputDateFormat=2\r\n\r\n[Groups]\r\nSales=\r\n"));
}

void TstTerminalFiles::generalSectionWriteLeavesUnchangedFileAlone_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("same values") << QByteArray("[General]\nProtocol=1\nInputDateFormat=0\nOutputDateFormat=0\n");
    // Read as 0, as the command-line tool reads them; the file keeps them.
    QTest::newRow("date formats out of range")
        << QByteArray("[General]\nProtocol=1\nInputDateFormat=9\nOutputDateFormat=-2\n");
}

void TstTerminalFiles::generalSectionWriteLeavesUnchangedFileAlone()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath("same.tsy");
    QFile::remove(path);
    Write(path, content);
    QFile::setPermissions(path, QFile::ReadOwner);
    const QDateTime before = QFileInfo(path).lastModified();
    TSettings settings;
    QString error;
    QVERIFY(TerminalFiles::ReadGeneralSection(settings, path, &error));
    QCOMPARE(int(settings.InputDateFormat), 0);
    QVERIFY2(TerminalFiles::WriteGeneralSection(settings, path, &error), qPrintable(error));
    QCOMPARE(QFileInfo(path).lastModified(), before);
    QCOMPARE(QFileInfo(path).permissions() & QFile::WriteOwner, QFile::Permissions());
    QCOMPARE(ReadAll(path), content);
}

void TstTerminalFiles::generalSectionWriteDoesNotRecreateDeletedFile()
{
    const QString path = m_dir.filePath("deleted.tsy");
    TSettings settings;
    settings.Protocol = 1;
    QString error;
    QVERIFY(TerminalFiles::WriteGeneralSection(settings, path, &error));
    QVERIFY(!QFileInfo::exists(path));
}

void TstTerminalFiles::iconPositions()
{
    const QList<QSize> icons(5, QSize(160, 30));
    const QList<QPoint> positions = MdiLayout::IconPositions(QSize(500, 400), icons);
    QCOMPARE(positions, (QList<QPoint>{{0, 370}, {160, 370}, {320, 370}, {0, 340}, {160, 340}}));
    // An area narrower than one icon still gives each icon its own row.
    QCOMPARE(MdiLayout::IconPositions(QSize(100, 400), {QSize(160, 30), QSize(160, 30)}),
             (QList<QPoint>{{0, 370}, {0, 340}}));
    QVERIFY(MdiLayout::IconPositions(QSize(100, 100), {}).isEmpty());

    // A window filling the area leaves the icons' rows free.
    QCOMPARE(MdiLayout::AboveIcons(QSize(500, 400), icons), QRect(0, 0, 500, 340));
    QCOMPARE(MdiLayout::AboveIcons(QSize(500, 400), {}), QRect(0, 0, 500, 400));
    QCOMPARE(MdiLayout::AboveIcons(QSize(500, 20), {QSize(160, 30)}), QRect(0, 0, 500, 0));
}

void TstTerminalFiles::tileRects_data()
{
    QTest::addColumn<bool>("horizontally");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QRect>>("expected");
    const QRect area(0, 0, 100, 50);
    QTest::newRow("horizontally, remainder spread")
        << true << 3 << QList<QRect>{{0, 0, 100, 16}, {0, 16, 100, 17}, {0, 33, 100, 17}};
    QTest::newRow("vertically") << false << 2 << QList<QRect>{{0, 0, 50, 50}, {50, 0, 50, 50}};
    QTest::newRow("one window fills") << false << 1 << QList<QRect>{area};
    QTest::newRow("none") << true << 0 << QList<QRect>{};
}

void TstTerminalFiles::tileRects()
{
    QFETCH(bool, horizontally);
    QFETCH(int, count);
    QFETCH(QList<QRect>, expected);
    QCOMPARE(MdiLayout::TileRects(QRect(0, 0, 100, 50), count, horizontally), expected);
}

void TstTerminalFiles::associationWrittenOnlyWhenDifferent()
{
    QTemporaryDir data;
    TFileAssociation association("tsy", "Tessaly", "/opt/tessaly/bin/tessaly", data.path());
    QVERIFY(association.Register());
    QVERIFY(association.Changed());
    QCOMPARE(association.MimeFile(), data.filePath("mime/packages/tessaly.xml"));
    QCOMPARE(ReadAll(association.MimeFile()), association.MimeXml());
    QVERIFY(association.MimeXml().contains("<mime-type type=\"application/x-tessaly\">"));
    QVERIFY(association.MimeXml().contains("<glob pattern=\"*.tsy\"/>"));
    QVERIFY(ReadAll(association.DesktopFile()).contains("MimeType=application/x-tessaly;\n"));

    QVERIFY(association.Register());
    QVERIFY(!association.Changed());

    // Another executable path (the program moved) rewrites the entry; not
    // /usr/bin, where an installed copy would make registering a no-op.
    TFileAssociation moved("tsy", "Tessaly", "/opt/moved/bin/tessaly", data.path());
    QVERIFY(moved.Register());
    QVERIFY(moved.Changed());
    QVERIFY(ReadAll(moved.DesktopFile()).contains("Exec=\"/opt/moved/bin/tessaly\" %f\n"));
}

void TstTerminalFiles::associationQuotesExecutable()
{
    TFileAssociation association("tsy", "Tessaly", "/opt/my tools/100%/te$t\"ly", "/tmp");
    QVERIFY(association.DesktopEntry().contains(
        "Exec=\"/opt/my tools/100%%/te\\\\$t\\\\\"ly\" %f\n"));
}

QTEST_MAIN(TstTerminalFiles)
#include "tst_terminal_files.moc"
