#include "terminal_model/ext_ini_file.h"
#include "terminal_model/settings.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/form_overwrite_new_command.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

const QByteArray Sample =
    "[General]\nProtocol=0\n\n"
    "[Groups]\nSales=\nSales1=\nReports=\n\n"
    "[Sales]\nItem=\nTotal=\n\n"
    "[SalesItem]\nCommands=0,\"Code\",\"Hint\",0,\"x'01'\",2,4,1,1,0,0,0\nAnswers=\"Total\",2,2\nCL1=\"1,2,3\"\n\n"
    "[SalesTotal]\nCommands=\nAnswers=\n\n"
    "[Sales1]\nItem=\n\n"
    "[Sales1Item]\nCommands=\nAnswers=\"Old\",0,0\nCL3=\"a,b\"\n\n"
    "[Reports]\nDaily=\n\n"
    "[ReportsDaily]\nCommands=1,\"Date\",\"\",8,\"\",3,0,0,0,0,0,0\nAnswers=\nNotes=\"\"Daily report\"\"\n";

using TestFiles::ReadAll;

QStringList Children(const QTreeWidgetItem *node)
{
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i)
        names.append(node->child(i)->text(0));
    return names;
}

} // namespace

class TstFormChildTerminalWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void treeAndPagesFromFile();
    void popupMenuEnabling_data();
    void popupMenuEnabling();
    void groupAddCutsLongName();
    void groupAddRefusesTakenNames_data();
    void groupAddRefusesTakenNames();
    void groupRenameRefusesCaseOnlyChange();
    void renamedGroupMovesToEndOfFile();
    void renamedCommandMovesToEndOfGroup();
    void collidingSectionRefused();
    void groupRemoveAsksFirst();
    void commandAddGoesToSelectedGroup();
    void pasteGroupOnRootMakesNumberedCopy();
    void mergeKeepsTargetOnlyKeys();
    void pasteCommandOverwriteNewCancel();
    void dragOverRules_data();
    void dragOverRules();
    void commandDroppedOnCommandIsCopied();
    void dropFromElsewhereIsRefused();
    void pasteAfterRemovalForgetsCopy();
    void selectionSetsCommandKey();
    void expandAndCollapse();
    void editFieldsShowsCommandAfterwards();
    void treeWidthStoredOnDestruction();
    void overwriteDialogAnswers();

private:
    void Open();
    QTreeWidgetItem *Node(const QString &path) const;
    void Select(const QString &path);
    QAction *Item(const char *name) const;

    QTemporaryDir m_dir;
    QString m_path;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TFormChildTerminalWindow> m_window;
};

void TstFormChildTerminalWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath("printer.tsy");
}

void TstFormChildTerminalWindow::init()
{
    m_window.reset();
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(Sample);
    file.close();
    m_settings = TSettings();
    m_prompts.Clear();
    Open();
}

void TstFormChildTerminalWindow::Open()
{
    m_window = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, m_path);
    QCOMPARE(m_window->LoadError(), QString());
}

QTreeWidgetItem *TstFormChildTerminalWindow::Node(const QString &path) const
{
    QTreeWidgetItem *node = m_window->CommandTree()->RootNode();
    if (path == "Root")
        return node;
    for (const QString &name : path.split('/')) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; node && i < node->childCount(); ++i)
            if (node->child(i)->text(0) == name)
                next = node->child(i);
        node = next;
    }
    return node;
}

void TstFormChildTerminalWindow::Select(const QString &path)
{
    if (path.isEmpty()) {
        m_window->CommandTree()->clearSelection();
        return;
    }
    QTreeWidgetItem *node = Node(path);
    QVERIFY2(node, qPrintable(path));
    m_window->CommandTree()->setCurrentItem(node);
}

QAction *TstFormChildTerminalWindow::Item(const char *name) const
{
    auto *action = m_window->findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no menu item %s", name);
    return action;
}

void TstFormChildTerminalWindow::treeAndPagesFromFile()
{
    QCOMPARE(m_window->windowTitle(), QDir::toNativeSeparators(m_path));
    QTreeWidgetItem *root = m_window->CommandTree()->RootNode();
    QCOMPARE(root->text(0), QStringLiteral("Root"));
    QCOMPARE(Children(root), (QStringList{"Sales", "Sales1", "Reports"}));
    QCOMPARE(Children(Node("Sales")), (QStringList{"Item", "Total"}));
    QVERIFY(root->isExpanded());
    QVERIFY(!Node("Sales")->isExpanded());

    QTabWidget *pages = m_window->CommandPage()->PageControl();
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), QStringLiteral("Co&mmands"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Host &Answer"));
    QCOMPARE(pages->tabText(2), QStringLiteral("&Fiscal Answer"));
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(!m_window->findChild<QPushButton *>("ButtonSend")->isEnabled());
    QVERIFY(!m_window->findChild<QPushButton *>("ButtonRepeat")->isEnabled());
    QVERIFY(m_window->findChild<QPushButton *>("ButtonCancel")->isEnabled());
    QCOMPARE(m_window->TreeWidth(), TFormChildTerminalWindow::DesignedTreeWidth);
    // The file copy keeps values raw, quotes included.
    QCOMPARE(m_window->FileCopy().ReadString("SalesItem", "CL1"), QStringLiteral("\"1,2,3\""));
}

void TstFormChildTerminalWindow::popupMenuEnabling_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("copied");     // node copied before, empty = none
    // Expected states, in order: Copy, Paste, Group menu, Group Rename, Group
    // Remove, Edit fields, Command menu, Command Rename, Command Remove.
    // The state before the menu opens is everything on, so "kept" shows as 1.
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing selected") << "" << "Sales" << "001110011";
    QTest::newRow("root, nothing copied") << "Root" << "" << "001000011";
    QTest::newRow("root, group copied") << "Root" << "Sales" << "011000011";
    QTest::newRow("root, command copied") << "Root" << "Sales/Item" << "001000011";
    QTest::newRow("group, nothing copied") << "Reports" << "" << "101110100";
    QTest::newRow("group, command copied") << "Reports" << "Sales/Item" << "111110100";
    QTest::newRow("command, group copied") << "Reports/Daily" << "Sales" << "110111111";
}

void TstFormChildTerminalWindow::popupMenuEnabling()
{
    QFETCH(QString, selection);
    QFETCH(QString, copied);
    QFETCH(QString, expected);
    if (!copied.isEmpty()) {
        Select(copied);
        m_window->CommandTree()->Copy();
    }
    const char *names[] = {"MenuItemCopyCommand", "MenuItemPasteCommand", "MenuItemGroup",
                           "MenuItemGroupModify", "MenuItemGroupRemove", "MenuItemEditFields",
                           "MenuItemCommand", "MenuItemCommandModify", "MenuItemCommandRemove"};
    for (const char *name : names)
        Item(name)->setEnabled(true);
    Select(selection);
    m_window->CommandTree()->UpdatePopupMenu();
    QString states;
    for (const char *name : names)
        states += Item(name)->isEnabled() ? '1' : '0';
    QCOMPARE(states, expected);
    QVERIFY(Item("MenuItemGroupAdd")->isEnabled());
    QVERIFY(Item("MenuItemCommandAdd")->isEnabled());
    // Opening the menu with nothing selected forgets the copy.
    QCOMPARE(m_window->CommandTree()->CopyPending(), !copied.isEmpty() && !selection.isEmpty());
}

void TstFormChildTerminalWindow::groupAddCutsLongName()
{
    Select("Root");
    m_prompts.Inputs.enqueue(QStringLiteral("Electronic journal reports"));   // 26 characters
    m_window->CommandTree()->AddGroup();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), QStringList{"Add a new group"});
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindInput), QStringList{"Input text:"});
    QCOMPARE(Children(m_window->CommandTree()->RootNode()).last(), QStringLiteral("Electronic journal report"));
    TExtIniFile ini(m_path);
    QCOMPARE(ini.ReadSection("Groups").last(), QStringLiteral("Electronic journal report"));

    // Cancel (an empty answer) changes nothing.
    const QByteArray before = ReadAll(m_path);
    m_window->CommandTree()->AddGroup();
    QCOMPARE(ReadAll(m_path), before);
    QCOMPARE(m_window->CommandTree()->RootNode()->childCount(), 4);
}

void TstFormChildTerminalWindow::groupAddRefusesTakenNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("other letter case") << "SALES";
    QTest::newRow("reserved") << "groups";
    QTest::newRow("reserved, mixed case") << "GeNeRaL";
}

void TstFormChildTerminalWindow::groupAddRefusesTakenNames()
{
    QFETCH(QString, name);
    Select("Root");
    m_prompts.Inputs.enqueue(name);
    m_window->CommandTree()->AddGroup();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{"Group already exists"});
    QCOMPARE(ReadAll(m_path), Sample);
    QCOMPARE(m_window->CommandTree()->RootNode()->childCount(), 3);
}

void TstFormChildTerminalWindow::groupRenameRefusesCaseOnlyChange()
{
    Select("Sales");
    m_prompts.Inputs.enqueue(QStringLiteral("SALES"));
    m_window->CommandTree()->RenameGroup();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), QStringList{"Rename group \"Sales\""});
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{"Group already exists"});
    QCOMPARE(Node("Sales")->text(0), QStringLiteral("Sales"));
    QCOMPARE(ReadAll(m_path), Sample);
}

void TstFormChildTerminalWindow::renamedGroupMovesToEndOfFile()
{
    Select("Sales");
    m_prompts.Inputs.enqueue(QStringLiteral("Shop"));
    m_window->CommandTree()->RenameGroup();
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    // The node keeps its place until the file is opened again.
    QCOMPARE(Children(m_window->CommandTree()->RootNode()), (QStringList{"Shop", "Sales1", "Reports"}));
    QCOMPARE(m_window->FileCopy().ReadString("ShopItem", "CL1"), QStringLiteral("\"1,2,3\""));
    QVERIFY(!m_window->FileCopy().SectionExists("SalesItem"));

    Open();
    QCOMPARE(Children(m_window->CommandTree()->RootNode()), (QStringList{"Sales1", "Reports", "Shop"}));
    QCOMPARE(Children(Node("Shop")), (QStringList{"Item", "Total"}));
}

void TstFormChildTerminalWindow::renamedCommandMovesToEndOfGroup()
{
    Select("Sales/Item");
    m_prompts.Inputs.enqueue(QStringLiteral("Sell"));
    m_window->CommandTree()->RenameCommand();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), QStringList{"Rename command \"Item\""});
    QCOMPARE(Children(Node("Sales")), (QStringList{"Sell", "Total"}));
    TExtIniFile ini(m_path);
    QCOMPARE(ini.ReadSection("Sales"), (QStringList{"Total", "Sell"}));
    QCOMPARE(ini.ReadString("SalesSell", "Answers"), QStringLiteral("\"Total\",2,2"));
    QVERIFY(m_window->FileCopy().SectionExists("SalesSell"));

    // A taken name is refused.
    m_prompts.Clear();
    Select("Sales/Sell");
    m_prompts.Inputs.enqueue(QStringLiteral("total"));
    m_window->CommandTree()->RenameCommand();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{"The command already exists"});
}

void TstFormChildTerminalWindow::collidingSectionRefused()
{
    // Group "Sale" with command "sItem" would share the section [SalesItem].
    Select("Root");
    m_prompts.Inputs.enqueue(QStringLiteral("Sale"));
    m_window->CommandTree()->AddGroup();
    const QByteArray before = ReadAll(m_path);
    Select("Sale");
    m_prompts.Inputs.enqueue(QStringLiteral("sItem"));
    m_window->CommandTree()->AddCommand();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).constFirst().contains("SalesItem", Qt::CaseInsensitive));
    QCOMPARE(ReadAll(m_path), before);
    QCOMPARE(Node("Sale")->childCount(), 0);
}

void TstFormChildTerminalWindow::groupRemoveAsksFirst()
{
    Select("Sales");
    m_prompts.Confirms.enqueue(false);
    m_window->CommandTree()->RemoveGroup();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm),
             QStringList{"Are you sure you want to delete group \"Sales\" ?"});
    QCOMPARE(ReadAll(m_path), Sample);

    m_prompts.Confirms.enqueue(true);
    m_window->CommandTree()->RemoveGroup();
    QCOMPARE(Children(m_window->CommandTree()->RootNode()), (QStringList{"Sales1", "Reports"}));
    TExtIniFile ini(m_path);
    QVERIFY(!ini.SectionExists("Sales"));
    QVERIFY(!ini.SectionExists("SalesItem"));
    QVERIFY(!ini.SectionExists("SalesTotal"));
    QVERIFY(ini.SectionExists("Sales1Item"));
}

void TstFormChildTerminalWindow::commandAddGoesToSelectedGroup()
{
    Select("Reports/Daily");
    m_prompts.Inputs.enqueue(QStringLiteral("Monthly"));
    m_window->CommandTree()->AddCommand();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), QStringList{"Add a new command"});
    QCOMPARE(Children(Node("Reports")), (QStringList{"Daily", "Monthly"}));
    QVERIFY(Node("Reports")->isExpanded());
    QVERIFY(ReadAll(m_path).endsWith("[ReportsMonthly]\nCommands=\nAnswers=\n"));
    QVERIFY(m_window->FileCopy().SectionExists("ReportsMonthly"));

    Select("Reports/Daily");
    m_prompts.Confirms.enqueue(true);
    m_window->CommandTree()->RemoveCommand();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm),
             QStringList{"Are you sure you want to delete command \"Daily\" ?"});
    QCOMPARE(Children(Node("Reports")), QStringList{"Monthly"});
    QVERIFY(!m_window->FileCopy().SectionExists("ReportsDaily"));
}

void TstFormChildTerminalWindow::pasteGroupOnRootMakesNumberedCopy()
{
    Select("Sales");
    m_window->CommandTree()->Copy();
    Select("Root");
    m_window->CommandTree()->Paste();
    QCOMPARE(Children(m_window->CommandTree()->RootNode()), (QStringList{"Sales", "Sales1", "Reports", "Sales2"}));
    QCOMPARE(Children(Node("Sales2")), (QStringList{"Item", "Total"}));
    QVERIFY(Node("Sales2")->isExpanded());
    TExtIniFile ini(m_path);
    QCOMPARE(ini.ReadString("Sales2Item", "CL1"), QStringLiteral("\"1,2,3\""));
    QCOMPARE(ini.ReadString("Sales2Item", "Commands"), ini.ReadString("SalesItem", "Commands"));
    QVERIFY(m_window->FileCopy().SectionExists("Sales2Total"));
    QVERIFY(m_prompts.Questions.isEmpty());
}

void TstFormChildTerminalWindow::mergeKeepsTargetOnlyKeys()
{
    Select("Sales");
    m_window->CommandTree()->Copy();
    Select("Sales1");
    m_prompts.Confirms.enqueue(true);
    m_window->CommandTree()->Paste();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm),
             QStringList{"\"Item\" command already exists, ovewrite?"});
    // The overwritten command keeps its node; the new one is added.
    QCOMPARE(Children(Node("Sales1")), (QStringList{"Item", "Total"}));
    TExtIniFile ini(m_path);
    QCOMPARE(ini.ReadString("Sales1Item", "Answers"), QStringLiteral("\"Total\",2,2"));
    QCOMPARE(ini.ReadString("Sales1Item", "CL1"), QStringLiteral("\"1,2,3\""));
    QCOMPARE(ini.ReadString("Sales1Item", "CL3"), QStringLiteral("\"a,b\""));
    QVERIFY(ini.SectionExists("Sales1Total"));
}

void TstFormChildTerminalWindow::pasteCommandOverwriteNewCancel()
{
    Select("Sales/Item");
    m_window->CommandTree()->Copy();

    // Cancel: nothing is written.
    Select("Sales");
    m_prompts.DialogResults.enqueue(TFormOverwriteNewCommand::Cancel);
    m_window->CommandTree()->Paste();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindDialog), QStringList{"FormOverwriteNewCommand"});
    QCOMPARE(ReadAll(m_path), Sample);

    // New, with a name that is taken too, then a free one; an unknown result
    // shows the dialog again.
    m_prompts.Clear();
    m_prompts.DialogResults << 0 << TFormOverwriteNewCommand::New << TFormOverwriteNewCommand::New;
    m_prompts.Inputs << QStringLiteral("Total") << QStringLiteral("Item copy");
    m_window->CommandTree()->Paste();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindDialog), 3);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), (QStringList{"Input text:", "Input text:"}));
    QCOMPARE(Children(Node("Sales")), (QStringList{"Item", "Total", "Item copy"}));
    QCOMPARE(TExtIniFile(m_path).ReadString("SalesItem copy", "CL1"), QStringLiteral("\"1,2,3\""));

    // Overwrite onto a command of another group adds no node there twice.
    m_prompts.Clear();
    Select("Sales1/Item");
    m_prompts.DialogResults.enqueue(TFormOverwriteNewCommand::Overwrite);
    m_window->CommandTree()->Paste();
    QCOMPARE(Children(Node("Sales1")), QStringList{"Item"});
    TExtIniFile ini(m_path);
    QCOMPARE(ini.ReadString("Sales1Item", "Answers"), QStringLiteral("\"Total\",2,2"));
    QCOMPARE(ini.ReadString("Sales1Item", "CL3"), QStringLiteral("\"a,b\""));
}

void TstFormChildTerminalWindow::dragOverRules_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("group on root") << "Sales" << "Root" << true;
    QTest::newRow("group on group") << "Sales" << "Reports" << true;
    QTest::newRow("group on command") << "Sales" << "Reports/Daily" << false;
    QTest::newRow("command on group") << "Sales/Item" << "Reports" << true;
    QTest::newRow("command on command") << "Sales/Item" << "Reports/Daily" << true;
    QTest::newRow("command on root") << "Sales/Item" << "Root" << false;
    QTest::newRow("root on group") << "Root" << "Sales" << false;
    QTest::newRow("group on empty space") << "Sales" << "" << false;
}

void TstFormChildTerminalWindow::dragOverRules()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(bool, accepted);
    m_window->CommandTree()->PickUp(Node(source));
    QCOMPARE(m_window->CommandTree()->AcceptsDrop(target.isEmpty() ? nullptr : Node(target)), accepted);
}

void TstFormChildTerminalWindow::commandDroppedOnCommandIsCopied()
{
    m_window->CommandTree()->PickUp(Node("Reports/Daily"));
    QVERIFY(m_window->CommandTree()->AcceptsDrop(Node("Sales/Total")));
    m_window->CommandTree()->DropOn(Node("Sales/Total"));
    QCOMPARE(Children(Node("Sales")), (QStringList{"Item", "Total", "Daily"}));
    QCOMPARE(Children(Node("Reports")), QStringList{"Daily"});
    TExtIniFile ini(m_path);
    QCOMPARE(ini.ReadString("SalesDaily", "Notes"), QStringLiteral("\"\"Daily report\"\""));
    QVERIFY(ini.SectionExists("ReportsDaily"));
    QVERIFY(m_window->FileCopy().SectionExists("SalesDaily"));
}

void TstFormChildTerminalWindow::dropFromElsewhereIsRefused()
{
    m_window->resize(800, 500);
    m_window->show();
    m_window->CommandTree()->ExpandAll();
    QWidget *viewport = m_window->CommandTree()->viewport();
    const QPoint onTotal = m_window->CommandTree()->visualItemRect(Node("Sales/Total")).center();
    m_window->CommandTree()->PickUp(Node("Reports/Daily"));
    // Looks like a node of this tree, but comes from no drag of it.
    QMimeData data;
    data.setData("application/x-tessaly-tree-node", "Daily");
    QDragEnterEvent enter(onTotal, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(!enter.isAccepted());
    QDropEvent drop(onTotal, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    QCoreApplication::processEvents();
    QCOMPARE(ReadAll(m_path), Sample);
    QCOMPARE(Children(Node("Sales")), (QStringList{"Item", "Total"}));
}

void TstFormChildTerminalWindow::pasteAfterRemovalForgetsCopy()
{
    Select("Sales/Total");
    m_window->CommandTree()->Copy();
    m_prompts.Confirms.enqueue(true);
    m_window->CommandTree()->RemoveCommand();
    QVERIFY(!m_window->CommandTree()->CopyPending());
    const QByteArray before = ReadAll(m_path);
    Select("Reports");
    m_window->CommandTree()->Paste();
    QCOMPARE(ReadAll(m_path), before);
    QCOMPARE(Children(Node("Reports")), QStringList{"Daily"});

    // The same for a removed group holding the copied command.
    Select("Sales/Item");
    m_window->CommandTree()->Copy();
    Select("Sales");
    m_prompts.Confirms.enqueue(true);
    m_window->CommandTree()->RemoveGroup();
    QVERIFY(!m_window->CommandTree()->CopyPending());
    m_window->CommandTree()->PickUp(Node("Reports"));
    Select("Reports");
    m_window->CommandTree()->Paste();
    QCOMPARE(Children(Node("Reports")), QStringList{"Daily"});
}

void TstFormChildTerminalWindow::selectionSetsCommandKey()
{
    m_window->CommandPage()->PageControl()->setCurrentIndex(2);
    Select("Sales/Item");
    QTRY_COMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("SalesItem"));
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 0);
    Select("Reports");
    QTRY_COMPARE(m_window->CommandPage()->CommandKey(), QString());
    QVERIFY(!m_window->findChild<QPushButton *>("ButtonSend")->isEnabled());
}

void TstFormChildTerminalWindow::expandAndCollapse()
{
    m_window->CommandTree()->ExpandAll();
    QVERIFY(Node("Sales")->isExpanded());
    QVERIFY(Node("Reports")->isExpanded());
    m_window->CommandTree()->CollapseAll();
    QVERIFY(!m_window->CommandTree()->RootNode()->isExpanded());
    Select("Root");
    m_window->CommandTree()->ExpandSelected();
    QVERIFY(m_window->CommandTree()->RootNode()->isExpanded());
    QVERIFY(!Node("Sales")->isExpanded());
    m_window->CommandTree()->CollapseSelected();
    QVERIFY(!m_window->CommandTree()->RootNode()->isExpanded());
}

void TstFormChildTerminalWindow::editFieldsShowsCommandAfterwards()
{
    Select("Sales/Item");
    QTRY_COMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("SalesItem"));
    m_window->CommandPage()->PageControl()->setCurrentIndex(1);
    // Another program changes the file while the editor is open.
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::Append));
    file.write("\n[SalesItem2]\nCommands=\n");
    file.close();
    m_window->CommandTree()->EditFields();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindDialog), QStringList{"FormEditCmdAns"});
    QCOMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("SalesItem"));
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 0);
    QVERIFY(m_window->FileCopy().SectionExists("SalesItem2"));
}

void TstFormChildTerminalWindow::treeWidthStoredOnDestruction()
{
    m_settings.TVWidth = 0;
    m_window->resize(900, 500);
    m_window->show();
    auto *splitter = m_window->findChild<QSplitter *>("SplitterTree");
    splitter->setSizes({180, 700});
    emit splitter->splitterMoved(180, 1);
    QCOMPARE(m_window->TreeWidth(), 180);
    splitter->setSizes({400, 500});
    emit splitter->splitterMoved(400, 1);
    QCOMPARE(m_window->TreeWidth(), TCommandTree::MaxWidth);
    m_window.reset();
    QCOMPARE(m_settings.TVWidth, TCommandTree::MaxWidth);

    m_settings.TVWidth = 160;
    Open();
    QCOMPARE(m_window->TreeWidth(), 160);
}

void TstFormChildTerminalWindow::overwriteDialogAnswers()
{
    TFormOverwriteNewCommand dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Warning"));
    const auto press = [&dialog](const char *name) {
        QTimer::singleShot(0, &dialog, [&dialog, name] { dialog.findChild<QPushButton *>(name)->click(); });
        return dialog.exec();
    };
    QCOMPARE(press("ButtonOverwrite"), int(TFormOverwriteNewCommand::Overwrite));
    QCOMPARE(press("ButtonNew"), int(TFormOverwriteNewCommand::New));
    QCOMPARE(press("ButtonCancel"), int(TFormOverwriteNewCommand::Cancel));
    QVERIFY(dialog.findChild<QPushButton *>("ButtonCancel")->isDefault());
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), int(TFormOverwriteNewCommand::Cancel));
}

QTEST_MAIN(TstFormChildTerminalWindow)
#include "tst_form_child_terminal_window.moc"
