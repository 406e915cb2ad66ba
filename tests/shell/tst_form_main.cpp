#include "main_window_fixture.h"
#include "shell/form_about_box.h"
#include "shell/form_child_log_window.h"
#include "shell/form_main.h"
#include "shell/terminal_files.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

#include <memory>

namespace {

const QByteArray ExtendedFile = "[General]\nProtocol=1\nInputDateFormat=3\nOutputDateFormat=1\n\n"
                                "[Groups]\nSales=\n\n[Sales]\nItem=\n\n[SalesItem]\nCommands=\nAnswers=\n";
const QByteArray PlainFile = "; no general section\n[Groups]\nReports=\n\n[Reports]\nDaily=\n";

using TestFiles::ReadAll;
using TestFiles::Write;

} // namespace

class TstFormMain : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstFormMain() : TMainWindowFixture(QStringLiteral("TessalyMain")) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startWithoutSettingsOpensNothing();
    void bareFileNameArgumentOpensFromCurrentFolder();
    void capitalExtensionOpensFromArgumentAndDrop();
    void dropConsidersOnlyFirstFile();
    void newFallsBackToUserDataFolder();
    void failedNewKeepsCurrentFile();
    void saveAsAppendsExtension();
    void failedSaveAsKeepsCurrentFile();
    void closeThenRestartReopensClosedFile();
    void generalValuesBelongToEachFile();
    void replacedFileKeepsItsValues_data();
    void replacedFileKeepsItsValues();
    void newOverOpenDefaultFileGivesTemplate();
    void missingLastFileReportedInStatusBar();
    void unreadableFileIsReportedAndNotOpened();
    void shutdownStoresTreeWidth();
    void portsGivenForOneRunAreNotStored();
    void hintsGoToFirstPanel();
    void menusAndToolBarInOrder();
    void windowCommandsFollowChildren();
    void logWindowInSightAtStart();
    void clipboardCommandsActOnFocusedField();
    void aboutBoxShowsBuildInformation();
    void sampleFileShowsItsTree();

private:
    QString Path(const QString &name) const;
    QAction *Action(TFormMain &window, const char *name) const;
};

void TstFormMain::initTestCase()
{
    SetUpStore();
}

void TstFormMain::init()
{
    SetUpTest();
}

void TstFormMain::cleanup()
{
    TearDownTest();
}

QString TstFormMain::Path(const QString &name) const
{
    return QDir::current().absoluteFilePath(name);
}

QAction *TstFormMain::Action(TFormMain &window, const char *name) const
{
    auto *action = window.findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no action %s", name);
    return action;
}

void TstFormMain::startWithoutSettingsOpensNothing()
{
    auto window = Start();
    QCOMPARE(window->windowTitle(), QStringLiteral("Tessaly Terminal"));
    QVERIFY(!window->TerminalWindow());
    QVERIFY(window->MdiArea()->subWindowList().isEmpty());
    QCOMPARE(window->Settings().File, QString());
    QCOMPARE(window->StatusText(1), QStringLiteral("Ready"));
    QVERIFY(Action(*window, "ActionNew")->isEnabled());
    QVERIFY(Action(*window, "ActionOpen")->isEnabled());
    for (const char *name : {"ActionClose", "ActionSaveAs", "ActionEditFixAnswer", "ActionTestFixAnswer", "ActionEditRC"})
        QVERIFY2(!Action(*window, name)->isEnabled(), name);
    QCOMPARE(Action(*window, "ActionOpen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QVERIFY(m_prompts.Questions.isEmpty());
    // The terminal-file type is registered in the (test) data folder.
    QVERIFY(QFile::exists(m_options.AssociationDataDir + "/mime/packages/" + QCoreApplication::applicationName().toLower() + ".xml")
            || !QDir(m_options.AssociationDataDir + "/mime/packages").isEmpty());
}

void TstFormMain::bareFileNameArgumentOpensFromCurrentFolder()
{
    Write(Path("printer.tsy"), ExtendedFile);
    auto window = Start({"printer.tsy"});
    QVERIFY(window->TerminalWindow());
    QCOMPARE(window->Settings().File, Path("printer.tsy"));
    QCOMPARE(window->TerminalWindow()->FileName(), Path("printer.tsy"));
    for (const char *name : {"ActionClose", "ActionSaveAs", "ActionEditFixAnswer", "ActionTestFixAnswer", "ActionEditRC"})
        QVERIFY2(Action(*window, name)->isEnabled(), name);
}

void TstFormMain::capitalExtensionOpensFromArgumentAndDrop()
{
    Write(Path("Printer.TSY"), PlainFile);
    auto window = Start({"Printer.TSY"});
    QVERIFY(window->TerminalWindow());
    QCOMPARE(window->Settings().File, Path("Printer.TSY"));
    window->CloseFile();
    QVERIFY(!window->TerminalWindow());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("Printer.TSY"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QVERIFY(enter.isAccepted());
    QVERIFY(drop.isAccepted());
    QVERIFY(window->TerminalWindow());
    QCOMPARE(window->Settings().File, Path("Printer.TSY"));
}

void TstFormMain::dropConsidersOnlyFirstFile()
{
    Write(Path("a.tsy"), PlainFile);
    Write(Path("b.tsy"), PlainFile);
    Write(Path("readme.txt"), "text");
    auto window = Start();
    window->DropFiles({Path("readme.txt"), Path("a.tsy")});
    QVERIFY(!window->TerminalWindow());
    window->DropFiles({Path("b.tsy"), Path("a.tsy")});
    QCOMPARE(window->TerminalWindow()->FileName(), Path("b.tsy"));
    // A new drop replaces the open file.
    window->DropFiles({Path("a.tsy")});
    QCOMPARE(window->TerminalWindow()->FileName(), Path("a.tsy"));
    // The terminal window and its log window.
    QCOMPARE(window->MdiArea()->subWindowList().size(), 2);
    QVERIFY(m_prompts.Questions.isEmpty());
}

void TstFormMain::newFallsBackToUserDataFolder()
{
    // The program's folder cannot take files (here: it is a plain file).
    const QString blocked = Path("blocked");
    Write(blocked, "x");
    m_options.ApplicationDir = blocked;
    auto window = Start();
    window->NewFile();
    const QString path = QDir(m_options.UserDataDir).filePath("default.tsy");
    QCOMPARE(window->Settings().File, path);
    QCOMPARE(ReadAll(path), TerminalFiles::NewFileTemplate());
    QVERIFY(window->TerminalWindow());
}

void TstFormMain::failedNewKeepsCurrentFile()
{
    Write(Path("blocked"), "x");
    m_options.ApplicationDir = Path("blocked");
    m_options.UserDataDir = Path("blocked/data");
    Write(Path("current.tsy"), ExtendedFile);
    auto window = Start({"current.tsy"});
    TFormChildTerminalWindow *before = window->TerminalWindow();
    window->NewFile();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).constFirst().startsWith("Unable to write to"));
    QCOMPARE(window->TerminalWindow(), before);
    QCOMPARE(window->Settings().File, Path("current.tsy"));
}

void TstFormMain::saveAsAppendsExtension()
{
    Write(Path("source.tsy"), ExtendedFile);
    auto window = Start({"source.tsy"});
    // The [General] values of the open file are written before the copy.
    window->Settings().InputDateFormat = 6;
    m_prompts.FileNames.enqueue(Path("copy"));
    window->SaveFileAs();
    QCOMPARE(window->Settings().File, Path("copy.tsy"));
    QVERIFY(ReadAll(Path("source.tsy")).contains("InputDateFormat=6\n"));
    QVERIFY(ReadAll(Path("copy.tsy")).contains("InputDateFormat=6\n"));
    QCOMPARE(window->Settings().InputDateFormat, quint8(6));
}

void TstFormMain::failedSaveAsKeepsCurrentFile()
{
    Write(Path("source.tsy"), ExtendedFile);
    auto window = Start({"source.tsy"});
    TFormChildTerminalWindow *before = window->TerminalWindow();
    m_prompts.FileNames.enqueue(Path("no/such/folder/copy.tsy"));
    window->SaveFileAs();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    QCOMPARE(window->TerminalWindow(), before);
    QCOMPARE(window->Settings().File, Path("source.tsy"));

    // Cancelling the dialog changes nothing either.
    m_prompts.Clear();
    window->SaveFileAs();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindSave), 1);
    QCOMPARE(window->TerminalWindow(), before);
}

void TstFormMain::closeThenRestartReopensClosedFile()
{
    Write(Path("last.tsy"), ExtendedFile);
    {
        auto window = Start({"last.tsy"});
        window->CloseFile();
        QVERIFY(!window->TerminalWindow());
        QVERIFY(window->MdiArea()->subWindowList().isEmpty());
        for (const char *name : {"ActionClose", "ActionSaveAs", "ActionEditFixAnswer", "ActionTestFixAnswer", "ActionEditRC"})
            QVERIFY2(!Action(*window, name)->isEnabled(), name);
        QCOMPARE(window->Settings().File, Path("last.tsy"));
        window->Exit();
    }
    auto again = Start();
    QVERIFY(again->TerminalWindow());
    QCOMPARE(again->TerminalWindow()->FileName(), Path("last.tsy"));
}

void TstFormMain::generalValuesBelongToEachFile()
{
    Write(Path("extended.tsy"), ExtendedFile);
    Write(Path("plain.tsy"), PlainFile);
    auto window = Start({"extended.tsy"});
    QCOMPARE(window->Settings().Protocol, quint8(1));
    QCOMPARE(window->Settings().InputDateFormat, quint8(3));
    QCOMPARE(window->Settings().OutputDateFormat, quint8(1));
    QVERIFY(Action(*window, "ActionEditRC")->isEnabled());

    // The next file brings its own values.
    m_prompts.FileNames.enqueue(Path("plain.tsy"));
    window->OpenFile();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindOpen), QStringList{"Open dialog"});
    QCOMPARE(ReadAll(Path("extended.tsy")), ExtendedFile);
    QCOMPARE(window->Settings().Protocol, quint8(0));
    QCOMPARE(window->Settings().OutputDateFormat, quint8(0));
    QVERIFY(!Action(*window, "ActionEditRC")->isEnabled());

    // Close writes them into the file that was open.
    window->Settings().Protocol = 1;
    window->CloseFile();
    QCOMPARE(ReadAll(Path("plain.tsy")),
             PlainFile + "\n[General]\nProtocol=1\nOutputDateFormat=0\nInputDateFormat=0\n");
}

void TstFormMain::replacedFileKeepsItsValues_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"open", "new", "drop", "save as"})
        QTest::newRow(how) << how;
}

// Values changed for the open file (as the preferences do) go back into it
// whichever way another file takes its place.
void TstFormMain::replacedFileKeepsItsValues()
{
    QFETCH(QString, how);
    Write(Path("extended.tsy"), ExtendedFile);
    Write(Path("plain.tsy"), PlainFile);
    auto window = Start({"extended.tsy"});
    window->Settings().Protocol = 0;
    window->Settings().OutputDateFormat = 7;
    if (how == "open") {
        m_prompts.FileNames.enqueue(Path("plain.tsy"));
        window->OpenFile();
    } else if (how == "new") {
        window->NewFile();
    } else if (how == "drop") {
        window->DropFiles({Path("plain.tsy")});
    } else {
        m_prompts.FileNames.enqueue(Path("copy.tsy"));
        window->SaveFileAs();
    }
    QVERIFY(window->Settings().File != Path("extended.tsy"));
    QByteArray expected = ExtendedFile;
    expected.replace("Protocol=1", "Protocol=0").replace("OutputDateFormat=1", "OutputDateFormat=7");
    QCOMPARE(ReadAll(Path("extended.tsy")), expected);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 0);
}

void TstFormMain::newOverOpenDefaultFileGivesTemplate()
{
    const QString path = QDir(m_options.ApplicationDir).filePath("default.tsy");
    Write(path, ExtendedFile);
    auto window = Start({path});
    window->Settings().InputDateFormat = 5;
    m_prompts.Confirms.enqueue(true);
    window->NewFile();
    // The values of the replaced file do not leak into the new one.
    QCOMPARE(ReadAll(path), TerminalFiles::NewFileTemplate());
    QCOMPARE(window->Settings().InputDateFormat, quint8(0));
    QCOMPARE(window->Settings().Protocol, quint8(0));
}

void TstFormMain::missingLastFileReportedInStatusBar()
{
    {
        TSettings settings;
        LoadSettings(settings, m_options.SettingsName);
        settings.File = Path("vanished.tsy");
        SaveSettings(settings, m_options.SettingsName);
    }
    auto window = Start();
    QVERIFY(!window->TerminalWindow());
    QVERIFY(window->StatusText(0).contains(QDir::toNativeSeparators(Path("vanished.tsy"))));
    QVERIFY(m_prompts.Questions.isEmpty());
    window.reset();
    QVERIFY(!QFile::exists(Path("vanished.tsy")));
}

void TstFormMain::unreadableFileIsReportedAndNotOpened()
{
    QDir().mkpath(Path("folder.tsy"));
    auto window = Start();
    m_prompts.FileNames.enqueue(Path("folder.tsy"));
    window->OpenFile();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    QVERIFY(!window->TerminalWindow());
}

void TstFormMain::shutdownStoresTreeWidth()
{
    {
        TSettings settings;
        LoadSettings(settings, m_options.SettingsName);
        settings.TVWidth = 150;
        SaveSettings(settings, m_options.SettingsName);
    }
    Write(Path("tree.tsy"), ExtendedFile);
    auto window = Start({"tree.tsy"});
    QCOMPARE(window->TerminalWindow()->TreeWidth(), 150);
    window->Settings().TVWidth = 0;
    window.reset();
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, m_options.SettingsName);
    QCOMPARE(store.value("TVWidth").toInt(), 150);
    QCOMPARE(store.value("File").toString(), Path("tree.tsy"));
}

void TstFormMain::portsGivenForOneRunAreNotStored()
{
    {
        TSettings settings;
        LoadSettings(settings, m_options.SettingsName);
        settings.HPort = "/dev/ttyS0";
        SaveSettings(settings, m_options.SettingsName);
    }
    m_options.HostPort = "/dev/pts/7";
    m_options.FiscalPort = "/dev/pts/8";
    auto window = Start();
    QCOMPARE(window->Settings().HPort, QStringLiteral("/dev/pts/7"));
    QCOMPARE(window->Settings().DPort, QStringLiteral("/dev/pts/8"));
    window.reset();
    TSettings stored;
    LoadSettings(stored, m_options.SettingsName);
    QCOMPARE(stored.HPort, QStringLiteral("/dev/ttyS0"));
    QCOMPARE(stored.DPort, QString());
}

void TstFormMain::hintsGoToFirstPanel()
{
    auto window = Start();
    QAction *copy = Action(*window, "ActionEditCopy");
    QCOMPARE(copy->toolTip(), QStringLiteral("Copy"));
    QCOMPARE(copy->statusTip(), QStringLiteral("Copy"));
    QCOMPARE(Action(*window, "ActionSaveAs")->statusTip(), QStringLiteral("Save terminal file"));
    QStatusTipEvent tip(QStringLiteral("Open terminal file"));
    QApplication::sendEvent(window.get(), &tip);
    QCOMPARE(window->StatusText(0), QStringLiteral("Open terminal file"));
    QCOMPARE(window->StatusText(1), QStringLiteral("Ready"));
    window->SetStatusText(QStringLiteral("Sending ..."));
    QCOMPARE(window->StatusText(1), QStringLiteral("Sending ..."));
}

void TstFormMain::menusAndToolBarInOrder()
{
    Write(Path("m.tsy"), PlainFile);
    auto window = Start({"m.tsy"});
    const auto names = [](const QList<QAction *> &actions) {
        QStringList result;
        for (const QAction *action : actions)
            result.append(action->isSeparator() ? QStringLiteral("-")
                                                : action->objectName().isEmpty() ? action->text()
                                                                                 : action->objectName());
        return result;
    };
    auto *bar = window->findChild<QToolBar *>("ToolBarMain");
    QCOMPARE(names(bar->actions()),
             (QStringList{"ActionNew", "ActionOpen", "ToolButtonSaveAs", "-", "ActionEditCut", "ActionEditCopy",
                          "ActionEditPaste", "-", "ActionWindowCascade", "ActionWindowTileHorizontal",
                          "ActionWindowTileVertical", "-", "ActionEditFields", "ActionEditFixAnswer",
                          "ActionTestFixAnswer", "ActionEditRC", "-", "ToolButtonFiscal"}));
    QAction *saveAs = Action(*window, "ToolButtonSaveAs");
    QCOMPARE(bar->widgetForAction(saveAs)->toolTip(), QStringLiteral("Save terminal file as ..."));
    QVERIFY(saveAs->isEnabled());

    QStringList menus;
    for (const QAction *menu : window->menuBar()->actions())
        menus.append(menu->text());
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Options", "&Window", "&Help"}));
    QCOMPARE(names(window->findChild<QMenu *>("MenuFile")->actions()),
             (QStringList{"ActionNew", "ActionOpen", "ActionClose", "MenuItemSaveAs", "-", "ActionRunPlan", "-",
                          "ActionExit"}));
    QCOMPARE(window->findChild<QAction *>("MenuItemSaveAs")->text(), QStringLiteral("Save terminal file &As ..."));
    QVERIFY(window->findChild<QAction *>("MenuItemSaveAs")->isEnabled());
    QCOMPARE(names(window->findChild<QMenu *>("MenuEdit")->actions()),
             (QStringList{"ActionEditCopy", "ActionEditPaste", "ActionEditCut", "-", "ActionEditFields"}));
    QCOMPARE(names(window->findChild<QMenu *>("MenuOptions")->actions()),
             (QStringList{"ActionEditFixAnswer", "ActionTestFixAnswer", "ActionEditRC", "-",
                          "MenuItemResetserialports", "MenuItemRecordCapture", "-", "MenuItemPreferences"}));
    QMenu *windows = window->findChild<QMenu *>("MenuWindow");
    emit windows->aboutToShow();
    QCOMPARE(names(windows->actions()),
             (QStringList{"ActionWindowCascade", "ActionWindowTileHorizontal", "ActionWindowTileVertical",
                          "ActionWindowMinimizeAll", "ActionWindowArrange", "-",
                          "&1 " + QDir::toNativeSeparators(Path("m.tsy")), "&2 Log window"}));
    QCOMPARE(names(window->findChild<QMenu *>("PopupMenuMain")->actions()),
             (QStringList{"ActionWindowMinimizeAll", "ActionWindowCascade", "ActionWindowArrange"}));
}

void TstFormMain::windowCommandsFollowChildren()
{
    Write(Path("w.tsy"), PlainFile);
    auto window = Start();
    const char *commands[] = {"ActionWindowCascade", "ActionWindowTileHorizontal", "ActionWindowTileVertical",
                              "ActionWindowMinimizeAll", "ActionWindowArrange"};
    for (const char *name : commands)
        QVERIFY2(!Action(*window, name)->isEnabled(), name);
    window->DropFiles({Path("w.tsy")});
    for (const char *name : commands)
        QVERIFY2(Action(*window, name)->isEnabled(), name);

    Action(*window, "ActionWindowTileVertical")->trigger();
    QVERIFY(!window->TerminalWindow()->isMaximized());
    QCOMPARE(window->TerminalWindow()->geometry(), window->MdiArea()->viewport()->rect());
    Action(*window, "ActionWindowMinimizeAll")->trigger();
    QVERIFY(window->TerminalWindow()->isMinimized());
    QCOMPARE(window->TerminalWindow()->geometry().bottom(), window->MdiArea()->viewport()->rect().bottom());

    // The close box of the terminal window only minimises it.
    window->TerminalWindow()->showNormal();
    QVERIFY(!window->TerminalWindow()->close());
    QVERIFY(window->TerminalWindow());
    QVERIFY(window->TerminalWindow()->isMinimized());
}

void TstFormMain::logWindowInSightAtStart()
{
    Write(Path("s.tsy"), PlainFile);
    auto window = Start({"s.tsy"});
    QMdiArea *area = window->MdiArea();
    QMdiSubWindow *terminal = window->TerminalWindow();
    QMdiSubWindow *log = window->LogWindow();
    // The log window is a minimised child the user can see and reach: its
    // icon lies in the area, below the terminal window, which fills the rest.
    const auto inSight = [&] {
        const QRect viewport = area->viewport()->rect();
        return log->isMinimized() && log->isVisible() && viewport.contains(log->geometry())
               && !terminal->geometry().intersects(log->geometry()) && terminal->geometry().topLeft() == QPoint(0, 0)
               && terminal->width() == viewport.width() && terminal->geometry().bottom() + 1 == log->y()
               && log->geometry().bottom() == viewport.bottom();
    };
    QTRY_VERIFY(inSight());
    QVERIFY(!terminal->isMaximized());
    QCOMPARE(area->activeSubWindow(), terminal);

    // It stays so when the main window changes its size.
    window->resize(1000, 700);
    QTRY_VERIFY(inSight());
    window->resize(700, 500);
    QTRY_VERIFY(inSight());

    // A terminal window the user has placed himself stays where he put it.
    terminal->setGeometry(20, 20, 400, 300);
    window->resize(900, 600);
    QTRY_VERIFY(log->geometry().bottom() == area->viewport()->rect().bottom());
    QCOMPARE(terminal->geometry(), QRect(20, 20, 400, 300));
}

void TstFormMain::clipboardCommandsActOnFocusedField()
{
    auto window = Start();
    auto *field = new QLineEdit(QStringLiteral("COM1 9600"));
    window->MdiArea()->addSubWindow(field)->show();
    QApplication::setActiveWindow(window.get());
    field->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field);
    field->deselect();
    QVERIFY(!Action(*window, "ActionEditCopy")->isEnabled());
    field->setSelection(0, 4);
    QVERIFY(Action(*window, "ActionEditCopy")->isEnabled());
    QVERIFY(Action(*window, "ActionEditCut")->isEnabled());
    Action(*window, "ActionEditCut")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("COM1"));
    QCOMPARE(field->text(), QStringLiteral(" 9600"));
    QVERIFY(Action(*window, "ActionEditPaste")->isEnabled());
    field->setCursorPosition(field->text().size());
    Action(*window, "ActionEditPaste")->trigger();
    QCOMPARE(field->text(), QStringLiteral(" 9600COM1"));
    field->setReadOnly(true);
    field->selectAll();
    QVERIFY(Action(*window, "ActionEditCopy")->isEnabled());
    QVERIFY(!Action(*window, "ActionEditCut")->isEnabled());
}

void TstFormMain::aboutBoxShowsBuildInformation()
{
    auto window = Start();
    window->ShowAbout();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindDialog), QStringList{"FormAboutBox"});
    TFormAboutBox about;
    QCOMPARE(about.ProductName(), QStringLiteral("Tessaly"));
    QCOMPARE(about.Version(), QStringLiteral(TESSALY_VERSION));
    QCOMPARE(about.Company(), QStringLiteral(TESSALY_COMPANY));
    QCOMPARE(about.Copyright(), QStringLiteral(TESSALY_COPYRIGHT));
}

void TstFormMain::sampleFileShowsItsTree()
{
    const QString sample = QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy");
    const QString log = QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.log");
    const bool hadLog = QFile::exists(log);
    const QByteArray before = ReadAll(sample);
    {
        auto window = Start({sample});
        QVERIFY(window->TerminalWindow());
        const QTreeWidgetItem *root = window->TerminalWindow()->CommandTree()->RootNode();
        QVERIFY(root->isExpanded());
        QVERIFY(root->childCount() >= 3);
        QVERIFY(root->child(0)->childCount() > 0);
        QCOMPARE(window->Settings().Protocol, quint8(1));
    }
    // The log window started one beside it; the source tree keeps none.
    if (!hadLog)
        QFile::remove(log);
    // Looking at a file does not change it.
    QCOMPARE(ReadAll(sample), before);
}

QTEST_MAIN(TstFormMain)
#include "tst_form_main.moc"
