#include "main_window_fixture.h"
#include "shell/form_child_log_window.h"
#include "shell/form_main.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/accessible_text.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTest>

namespace {

const QByteArray File = "[General]\nProtocol=1\n\n[Groups]\nSales=\n\n[Sales]\nItem=\n\n"
                        "[SalesItem]\nCommands=0,\"&Amount\",\"Amount\",2,\"\",0,0,0,0,0,2,0\nAnswers=\n";

// Captions sharing a mnemonic, "first / second".
QStringList Clashes(const QStringList &captions)
{
    QHash<QChar, QString> seen;
    QStringList clashes;
    for (const QString &caption : captions) {
        const QChar key = AccessibleText::Mnemonic(caption);
        if (key.isNull())
            continue;
        if (seen.contains(key))
            clashes << seen.value(key) + " / " + caption;
        else
            seen.insert(key, caption);
    }
    return clashes;
}

} // namespace

// The main window from the keyboard and for a screen reader.
class TstMainWindowKeyboard : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstMainWindowKeyboard() : TMainWindowFixture(QStringLiteral("TessalyKeyboard")) {}

private slots:
    void initTestCase() { SetUpStore(); }
    void init() { SetUpTest(); }
    void cleanup() { TearDownTest(); }
    void menusHaveDistinctMnemonics();
    void treeKeysAreLeftToTheTree_data();
    void treeKeysAreLeftToTheTree();
    void controlTabSwitchesChildWindows_data();
    void controlTabSwitchesChildWindows();
    void childWindowsAndPanelsAreNamed();
    void panelNameFollowsItsText();
};

void TstMainWindowKeyboard::menusHaveDistinctMnemonics()
{
    auto window = StartWithFile("keys.tsy", File);
    QStringList titles;
    for (QAction *item : window->menuBar()->actions()) {
        titles << item->text();
        QMenu *menu = item->menu();
        QVERIFY(menu);
        emit menu->aboutToShow();
        QStringList captions;
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                captions << action->text();
        QVERIFY2(Clashes(captions).isEmpty(), qPrintable(item->text() + ": " + Clashes(captions).join(", ")));
    }
    QCOMPARE(titles.size(), 5);
    QVERIFY2(Clashes(titles).isEmpty(), qPrintable(Clashes(titles).join(", ")));
}

void TstMainWindowKeyboard::treeKeysAreLeftToTheTree_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Insert") << QKeySequence(Qt::Key_Insert);
    QTest::newRow("F2") << QKeySequence(Qt::Key_F2);
    QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete);
    QTest::newRow("Ctrl+E") << QKeySequence(Qt::CTRL | Qt::Key_E);
}

void TstMainWindowKeyboard::treeKeysAreLeftToTheTree()
{
    QFETCH(QKeySequence, key);
    auto window = StartWithFile("keys.tsy", File);
    QVERIFY(window->TerminalWindow());
    // Only the tree's own actions and shortcuts may take them.
    QTreeWidget *tree = window->TerminalWindow()->CommandTree();
    const auto insideTree = [tree](const QObject *object) {
        for (const QObject *up = object; up; up = up->parent())
            if (up == tree)
                return true;
        return false;
    };
    for (const QAction *action : window->findChildren<QAction *>())
        if (!insideTree(action))
            QVERIFY2(!action->shortcuts().contains(key), qPrintable(action->objectName() + " " + action->text()));
    for (const QShortcut *shortcut : window->findChildren<QShortcut *>())
        if (!insideTree(shortcut))
            QVERIFY2(shortcut->key() != key, qPrintable(shortcut->parent()->objectName()));
}

void TstMainWindowKeyboard::controlTabSwitchesChildWindows_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("fromInput");
    QTest::newRow("Ctrl+Tab in the tree") << QKeySequence(Qt::CTRL | Qt::Key_Tab) << false;
    QTest::newRow("Ctrl+Tab in an input") << QKeySequence(Qt::CTRL | Qt::Key_Tab) << true;
    QTest::newRow("Ctrl+F6 in the tree") << QKeySequence(Qt::CTRL | Qt::Key_F6) << false;
    QTest::newRow("Ctrl+F6 in an input") << QKeySequence(Qt::CTRL | Qt::Key_F6) << true;
    QTest::newRow("Ctrl+Shift+F6") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6) << false;
}

void TstMainWindowKeyboard::controlTabSwitchesChildWindows()
{
    QFETCH(QKeySequence, key);
    QFETCH(bool, fromInput);
    auto window = StartWithFile("keys.tsy", File);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QMdiArea *area = window->MdiArea();
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    QVERIFY(terminal && window->LogWindow());
    area->setActiveSubWindow(terminal);
    QWidget *start = terminal->CommandTree();
    if (fromInput) {
        terminal->CommandTree()->setCurrentItem(terminal->CommandTree()->RootNode()->child(0)->child(0));
        QTRY_VERIFY(terminal->findChild<QWidget *>(QStringLiteral("Control1")));
        start = terminal->findChild<QWidget *>(QStringLiteral("Control1"));
    }
    start->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), start);

    QTest::keySequence(QApplication::focusWidget(), key);
    QTRY_COMPARE(area->activeSubWindow(), static_cast<QMdiSubWindow *>(window->LogWindow()));
    QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : area->activeSubWindow(), key);
    QTRY_COMPARE(area->activeSubWindow(), static_cast<QMdiSubWindow *>(terminal));
}

void TstMainWindowKeyboard::childWindowsAndPanelsAreNamed()
{
    auto window = StartWithFile("keys.tsy", File);
    QVERIFY(window->TerminalWindow() && window->LogWindow());
    for (QMdiSubWindow *child : window->MdiArea()->subWindowList()) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(child);
        QVERIFY(accessible);
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), child->metaObject()->className());
    }
    QStringList names;
    for (int panel = 0; panel < TFormMain::StatusPanelCount; ++panel) {
        auto *label = window->statusBar()->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(panel));
        QVERIFY(label);
        label->clear();
        names << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    }
    QCOMPARE(names, (QStringList{"Messages", "State", "Host port", "Fiscal port"}));
}

void TstMainWindowKeyboard::panelNameFollowsItsText()
{
    auto window = Start();
    window->SetStatusText(QStringLiteral("Sending ..."));
    auto *panel = window->statusBar()->findChild<QLabel *>(QStringLiteral("StatusPanel1"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(panel);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("State: Sending ..."));
    window->SetStatusText(QStringLiteral("Ready"));
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("State: Ready"));
}

QTEST_MAIN(TstMainWindowKeyboard)
#include "tst_main_window_keyboard.moc"
