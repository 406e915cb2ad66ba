#include "terminal_window/command_tree.h"
#include "widgets/scripted_prompts.h"
#include "test_files.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>

#include <memory>

namespace {

const QByteArray Sample =
    "[General]\nProtocol=0\n\n"
    "[Groups]\nSales=\nReports=\n\n"
    "[Sales]\nItem=\nTotal=\n\n"
    "[SalesItem]\nCommands=0,\"Code\",\"Hint\",0,\"\",2,4,1,1,0,0,0\nAnswers=\n\n"
    "[SalesTotal]\nCommands=\nAnswers=\n\n"
    "[Reports]\nDaily=\n\n"
    "[ReportsDaily]\nCommands=\nAnswers=\n";

} // namespace

// The tree without a window: what it tells the page by its signals.
class TstCommandTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void selectionSettlesBeforeItIsShown();
    void operationsSayWhatTheyChanged_data();
    void operationsSayWhatTheyChanged();
    void contextMenuKeyOpensTheMenu();
    void keysOperateOnTheSelectedNode_data();
    void keysOperateOnTheSelectedNode();
    void expandAndCollapseKeys();

private:
    QTreeWidgetItem *Node(const QString &path) const;

    QTemporaryDir m_dir;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TCommandTree> m_tree;
};

void TstCommandTree::init()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath("printer.tsy");
    TestFiles::Write(path, Sample);
    m_prompts.Clear();
    m_tree = std::make_unique<TCommandTree>(m_prompts);
    QCOMPARE(m_tree->Load(path), QString());
}

QTreeWidgetItem *TstCommandTree::Node(const QString &path) const
{
    QTreeWidgetItem *node = m_tree->RootNode();
    for (const QString &name : path.split('/', Qt::SkipEmptyParts)) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; node && i < node->childCount(); ++i)
            if (node->child(i)->text(0) == name)
                next = node->child(i);
        node = next;
    }
    if (!node)
        qFatal("no node %s", qPrintable(path));
    return node;
}

void TstCommandTree::selectionSettlesBeforeItIsShown()
{
    QSignalSpy selected(m_tree.get(), &TCommandTree::CommandSelected);
    // Nodes passed on the way are not shown, only the one the selection
    // stops on.
    m_tree->setCurrentItem(Node("Sales/Item"));
    m_tree->setCurrentItem(Node("Sales/Total"));
    m_tree->setCurrentItem(Node("Reports/Daily"));
    QVERIFY(selected.wait());
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("ReportsDaily"));

    // A group shows no command.
    m_tree->setCurrentItem(Node("Reports"));
    QVERIFY(selected.wait());
    QCOMPARE(selected.count(), 2);
    QCOMPARE(selected.at(1).at(0).toString(), QString());
}

void TstCommandTree::operationsSayWhatTheyChanged_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("group renamed") << "RenameGroup" << "Sales" << "Shop"
                                   << QStringList{"file", "SalesItem > ShopItem", "SalesTotal > ShopTotal"};
    QTest::newRow("command renamed") << "RenameCommand" << "Sales/Item" << "Sell"
                                     << QStringList{"file", "SalesItem > SalesSell"};
    QTest::newRow("rename refused") << "RenameGroup" << "Sales" << "reports" << QStringList{};
    QTest::newRow("rename cancelled") << "RenameCommand" << "Sales/Item" << "" << QStringList{};
    QTest::newRow("command added") << "AddCommand" << "Reports" << "Monthly" << QStringList{"file"};
    QTest::newRow("command removed") << "RemoveCommand" << "Sales/Total" << "" << QStringList{"file"};
    QTest::newRow("fields edited") << "EditFields" << "Sales/Item" << ""
                                   << QStringList{"file", "edited SalesItem"};
}

void TstCommandTree::operationsSayWhatTheyChanged()
{
    QFETCH(QString, operation);
    QFETCH(QString, selection);
    QFETCH(QString, input);
    QFETCH(QStringList, expected);
    QStringList events;
    connect(m_tree.get(), &TCommandTree::FileChanged, this, [&events] { events << "file"; });
    connect(m_tree.get(), &TCommandTree::SectionRenamed, this,
            [&events](const QString &from, const QString &to) { events << from + " > " + to; });
    connect(m_tree.get(), &TCommandTree::CommandEdited, this,
            [&events](const QString &section) { events << "edited " + section; });
    m_prompts.Inputs.enqueue(input);
    m_prompts.Confirms.enqueue(true);
    m_tree->setCurrentItem(Node(selection));

    const QHash<QString, void (TCommandTree::*)()> operations{
        {"RenameGroup", &TCommandTree::RenameGroup},
        {"RenameCommand", &TCommandTree::RenameCommand},
        {"AddCommand", &TCommandTree::AddCommand},
        {"RemoveCommand", &TCommandTree::RemoveCommand},
        {"EditFields", &TCommandTree::EditFields}};
    (m_tree.get()->*operations.value(operation))();
    QCOMPARE(events, expected);
}

void TstCommandTree::contextMenuKeyOpensTheMenu()
{
    m_tree->resize(200, 300);
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    m_tree->setCurrentItem(Node("Sales"));
    const QRect node = m_tree->visualItemRect(Node("Sales"));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, m_tree->rect().center(),
                          m_tree->mapToGlobal(m_tree->rect().center()));
    QApplication::sendEvent(m_tree.get(), &key);
    QMenu *menu = m_tree->PopupMenu();
    QTRY_VERIFY(menu->isVisible());
    // It opens at the selected node, with the entries a group allows.
    QCOMPARE(menu->pos(), m_tree->viewport()->mapToGlobal(node.bottomLeft()));
    QVERIFY(menu->findChild<QAction *>("MenuItemGroupModify")->isEnabled());
    QVERIFY(!menu->findChild<QAction *>("MenuItemEditFields")->isEnabled());
    menu->close();
}

void TstCommandTree::keysOperateOnTheSelectedNode_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("input");
    // "+path": the node is there afterwards; "-path": it is not.
    QTest::addColumn<QStringList>("nodes");

    QTest::newRow("Insert adds a command to a group") << "Reports" << QStringList{"Ins"} << "Monthly"
                                                      << QStringList{"+Reports/Monthly"};
    QTest::newRow("Insert on a command adds beside it") << "Sales/Item" << QStringList{"Ins"} << "Void"
                                                        << QStringList{"+Sales/Void"};
    QTest::newRow("Alt+Insert adds a group") << "" << QStringList{"Alt+Ins"} << "Shop" << QStringList{"+Shop"};
    QTest::newRow("F2 renames a group") << "Sales" << QStringList{"F2"} << "Shop"
                                        << QStringList{"+Shop/Item", "-Sales"};
    QTest::newRow("F2 renames a command") << "Sales/Item" << QStringList{"F2"} << "Sell"
                                          << QStringList{"+Sales/Sell", "-Sales/Item"};
    QTest::newRow("F2 on Root renames nothing") << "" << QStringList{"F2"} << "Shop"
                                                << QStringList{"-Shop", "+Sales", "+Reports"};
    QTest::newRow("Delete removes a command") << "Sales/Total" << QStringList{"Del"} << ""
                                              << QStringList{"-Sales/Total", "+Sales/Item"};
    QTest::newRow("Delete removes a group") << "Reports" << QStringList{"Del"} << "" << QStringList{"-Reports"};
    QTest::newRow("Ctrl+C, Ctrl+V copy a command") << "Sales/Item" << QStringList{"Ctrl+C", "Down", "Down", "Ctrl+V"}
                                                   << "" << QStringList{"+Reports/Item", "+Sales/Item"};
}

// The tree's operations from the keyboard, in a window whose own Ctrl+C,
// Ctrl+V and Delete the tree's keys win over while it has the focus.
void TstCommandTree::keysOperateOnTheSelectedNode()
{
    QFETCH(QString, selection);
    QFETCH(QStringList, keys);
    QFETCH(QString, input);
    QFETCH(QStringList, nodes);
    QWidget window;
    m_tree->setParent(&window);
    const auto detach = qScopeGuard([this] { m_tree->setParent(nullptr); });
    int windowKeys = 0;
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_V),
                                    QKeySequence(Qt::Key_Delete)}) {
        auto *action = new QAction(&window);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [&windowKeys] { ++windowKeys; });
        window.addAction(action);
    }
    window.resize(240, 320);
    m_tree->resize(240, 320);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    m_tree->expandAll();
    m_tree->setCurrentItem(Node(selection));
    m_tree->setFocus();
    QTRY_VERIFY(m_tree->hasFocus());
    m_prompts.Inputs.enqueue(input);
    m_prompts.Confirms.enqueue(true);

    for (const QString &key : keys)
        QTest::keySequence(m_tree.get(), QKeySequence(key));
    for (const QString &node : nodes) {
        QTreeWidgetItem *found = m_tree->RootNode();
        for (const QString &name : node.mid(1).split('/')) {
            QTreeWidgetItem *next = nullptr;
            for (int i = 0; found && i < found->childCount(); ++i)
                if (found->child(i)->text(0) == name)
                    next = found->child(i);
            found = next;
        }
        QVERIFY2((found != nullptr) == node.startsWith('+'), qPrintable(node));
    }
    QCOMPARE(windowKeys, 0);
}

void TstCommandTree::expandAndCollapseKeys()
{
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowActive(m_tree.get()));
    m_tree->collapseAll();
    m_tree->setCurrentItem(Node(""));
    m_tree->setFocus();
    QTRY_VERIFY(m_tree->hasFocus());
    QTest::keyClick(m_tree.get(), Qt::Key_Asterisk);
    QVERIFY(Node("Sales")->isExpanded() && Node("Reports")->isExpanded());
    QTest::keyClick(m_tree.get(), Qt::Key_Slash);
    QVERIFY(!Node("")->isExpanded() && !Node("Sales")->isExpanded());
    QTest::keyClick(m_tree.get(), Qt::Key_Plus, Qt::KeypadModifier);
    QVERIFY(Node("")->isExpanded());
    QVERIFY(!Node("Sales")->isExpanded());
    QTest::keyClick(m_tree.get(), Qt::Key_Minus);
    QVERIFY(!Node("")->isExpanded());
}

QTEST_MAIN(TstCommandTree)
#include "tst_command_tree.moc"
