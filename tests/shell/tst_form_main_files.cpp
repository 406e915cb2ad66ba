#include "main_window_fixture.h"
#include "shell/form_main.h"
#include "shell/terminal_files.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

const QByteArray ExtendedFile = "[General]\nProtocol=1\nInputDateFormat=3\nOutputDateFormat=1\n\n"
                                "[Groups]\nSales=\n\n[Sales]\nItem=\n\n[SalesItem]\nCommands=\nAnswers=\n";
const QByteArray PlainFile = "; no general section\n[Groups]\nReports=\n\n[Reports]\nDaily=\n";

using TestFiles::ReadAll;

using TestFiles::Write;

// A file too large to be a terminal file: it exists, yet cannot be read.
void WriteUnreadable(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(65) * 1024 * 1024));
}

// Files with the terminal extension that are no terminal file, by what the
// user is told; "too large" cannot be read at all.
const QByteArray NoGroupsFile = "[General]\nProtocol=1\n; notes of another program\n[Paths]\nHome=/tmp\n";
const QByteArray BinaryFile = QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20) + QByteArray(300, '\xAB');

void WriteNotReadable(const QString &kind, const QString &path)
{
    if (kind == QLatin1String("too large"))
        WriteUnreadable(path);
    else
        Write(path, kind == QLatin1String("binary") ? BinaryFile : NoGroupsFile);
}

// What stays in the file: the whole of it, or its size.
QByteArray Footprint(const QString &path)
{
    QFile file(path);
    if (file.size() > 1024 * 1024)
        return QByteArray::number(file.size());
    return ReadAll(path);
}

} // namespace

// The main window's file commands where a file would be replaced or cannot
// be read: nothing is lost and the state stays consistent.
class TstFormMainFiles : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstFormMainFiles() : TMainWindowFixture(QStringLiteral("TessalyFiles")) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void newAsksBeforeReplacingDefaultFile_data();
    void newAsksBeforeReplacingDefaultFile();
    void saveAsAsksBeforeReplacingFile_data();
    void saveAsAsksBeforeReplacingFile();
    void unreadableFileLeavesOpenFileOpen_data();
    void unreadableFileLeavesOpenFileOpen();
    void unreadableLastFileReportedOnce_data();
    void unreadableLastFileReportedOnce();

private:
    QString Path(const QString &name) const;
};

void TstFormMainFiles::initTestCase()
{
    SetUpStore();
}

void TstFormMainFiles::init()
{
    SetUpTest();
}

void TstFormMainFiles::cleanup()
{
    TearDownTest();
}

QString TstFormMainFiles::Path(const QString &name) const
{
    return QDir::current().absoluteFilePath(name);
}

void TstFormMainFiles::newAsksBeforeReplacingDefaultFile_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replaced") << true;
    QTest::newRow("kept") << false;
}

void TstFormMainFiles::newAsksBeforeReplacingDefaultFile()
{
    QFETCH(bool, replace);
    // Every editor change is saved at once: the file may hold a whole definition.
    const QString path = QDir(m_options.ApplicationDir).filePath("default.tsy");
    Write(path, "[Groups]\nMine=\n");
    Write(Path("other.tsy"), PlainFile);
    auto window = Start({"other.tsy"});
    QPointer<TFormChildTerminalWindow> before = window->TerminalWindow();
    m_prompts.Confirms.enqueue(replace);
    window->NewFile();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindConfirm), QStringList{" W A R N I N G "});
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm), QStringList{TerminalFiles::ReplaceWithNewQuestion(path)});
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 0);
    QCOMPARE(ReadAll(path), replace ? TerminalFiles::NewFileTemplate() : QByteArray("[Groups]\nMine=\n"));
    QCOMPARE(window->Settings().File, replace ? path : Path("other.tsy"));
    if (replace) {
        QCOMPARE(window->TerminalWindow()->FileName(), path);
        QCOMPARE(window->TerminalWindow()->CommandTree()->RootNode()->childCount(), 0);
    } else {
        QVERIFY(before);
        QCOMPARE(window->TerminalWindow(), before.data());
    }
    // The terminal window and its log window.
    QCOMPARE(window->MdiArea()->subWindowList().size(), 2);
}

void TstFormMainFiles::saveAsAsksBeforeReplacingFile_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replaced") << true;
    QTest::newRow("kept") << false;
}

void TstFormMainFiles::saveAsAsksBeforeReplacingFile()
{
    QFETCH(bool, replace);
    Write(Path("source.tsy"), ExtendedFile);
    Write(Path("target.tsy"), PlainFile);
    auto window = Start({"source.tsy"});
    // Typed without the extension: the question is about the file replaced.
    m_prompts.FileNames.enqueue(Path("target"));
    m_prompts.Confirms.enqueue(replace);
    window->SaveFileAs();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindSave), QStringList{"Save as "});
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindSave), QStringList{"Tessaly Terminal Files ( *.tsy)"});
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm),
             QStringList{TerminalFiles::ReplaceQuestion(Path("target.tsy"))});
    QCOMPARE(ReadAll(Path("target.tsy")), replace ? ExtendedFile : PlainFile);
    const QString open = replace ? Path("target.tsy") : Path("source.tsy");
    QCOMPARE(window->Settings().File, open);
    QCOMPARE(window->TerminalWindow()->FileName(), open);
    QCOMPARE(window->TerminalWindow()->CommandTree()->RootNode()->child(0)->text(0), QStringLiteral("Sales"));

    // Onto itself: nothing is replaced, nothing asked.
    m_prompts.Clear();
    m_prompts.FileNames.enqueue(open);
    window->SaveFileAs();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindConfirm), 0);
    QCOMPARE(window->Settings().File, open);
}

void TstFormMainFiles::unreadableFileLeavesOpenFileOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("why");
    for (const bool dropped : {false, true}) {
        const char *how = dropped ? "dropped" : "Open";
        QTest::addRow("too large, %s", how) << "too large" << dropped << "too large for a terminal file";
        QTest::addRow("no [Groups], %s", how) << "no groups" << dropped
                                              << "is not a terminal file: it has no [Groups] section";
        QTest::addRow("binary, %s", how) << "binary" << dropped << "is not a terminal file: it holds binary data";
    }
}

void TstFormMainFiles::unreadableFileLeavesOpenFileOpen()
{
    QFETCH(QString, kind);
    QFETCH(bool, dropped);
    QFETCH(QString, why);
    Write(Path("good.tsy"), ExtendedFile);
    WriteNotReadable(kind, Path("huge.tsy"));
    const QByteArray stored = Footprint(Path("huge.tsy"));
    auto window = Start({"good.tsy"});
    QPointer<TFormChildTerminalWindow> before = window->TerminalWindow();
    QVERIFY(before);
    if (dropped) {
        window->DropFiles({Path("huge.tsy")});
    } else {
        m_prompts.FileNames.enqueue(Path("huge.tsy"));
        window->OpenFile();
    }
    const QStringList errors = m_prompts.Texts(TScriptedPrompts::KindError);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QDir::toNativeSeparators(Path("huge.tsy"))), qPrintable(errors.first()));
    QVERIFY2(errors.first().contains(why), qPrintable(errors.first()));
    // The open file stays open.
    QVERIFY(before);
    QCOMPARE(window->TerminalWindow(), before.data());
    QVERIFY(window->LogWindow());
    QCOMPARE(window->Settings().File, Path("good.tsy"));
    for (const char *name : {"ActionClose", "ActionSaveAs", "ActionEditFixAnswer", "ActionTestFixAnswer", "ActionEditRC"})
        QVERIFY2(window->findChild<QAction *>(QLatin1String(name))->isEnabled(), name);

    // The next start opens the file that was open, without a word.
    window.reset();
    m_prompts.Clear();
    auto again = Start();
    QVERIFY(again->TerminalWindow());
    QCOMPARE(again->TerminalWindow()->FileName(), Path("good.tsy"));
    QVERIFY(m_prompts.Questions.isEmpty());
    QCOMPARE(Footprint(Path("huge.tsy")), stored);
}

void TstFormMainFiles::unreadableLastFileReportedOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("argument");
    for (const char *kind : {"too large", "no groups", "binary"}) {
        QTest::addRow("%s, last file", kind) << kind << false;
        QTest::addRow("%s, command line", kind) << kind << true;
    }
}

void TstFormMainFiles::unreadableLastFileReportedOnce()
{
    QFETCH(QString, kind);
    QFETCH(bool, argument);
    WriteNotReadable(kind, Path("huge.tsy"));
    const QByteArray stored = Footprint(Path("huge.tsy"));
    if (!argument) {
        TSettings settings;
        LoadSettings(settings, m_options.SettingsName);
        settings.File = Path("huge.tsy");
        SaveSettings(settings, m_options.SettingsName);
    }
    {
        auto window = Start(argument ? QStringList{"huge.tsy"} : QStringList{});
        QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
        // The program is in its no-file state.
        QVERIFY(!window->TerminalWindow());
        QVERIFY(window->MdiArea()->subWindowList().isEmpty());
        for (const char *name : {"ActionClose", "ActionSaveAs", "ActionEditFixAnswer", "ActionTestFixAnswer"})
            QVERIFY2(!window->findChild<QAction *>(QLatin1String(name))->isEnabled(), name);
    }
    m_prompts.Clear();
    auto again = Start();
    QVERIFY(!again->TerminalWindow());
    QVERIFY(m_prompts.Questions.isEmpty());
    again.reset();
    // Never opened, never written: its bytes are as they were.
    QCOMPARE(Footprint(Path("huge.tsy")), stored);
}

QTEST_MAIN(TstFormMainFiles)
#include "tst_form_main_files.moc"
