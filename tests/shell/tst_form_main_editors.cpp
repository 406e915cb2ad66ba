#include "main_window_fixture.h"
#include "shell/form_main.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

namespace {

const QByteArray ExtendedFile = "[General]\nProtocol=1\n\n"
                                "[Groups]\nSales=\n\n[Sales]\nItem=\n\n[SalesItem]\nCommands=\nAnswers=\n";

} // namespace

// The editors the main window opens on the open terminal file.
class TstFormMainEditors : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstFormMainEditors() : TMainWindowFixture(QStringLiteral("TessalyMainEditors")) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void editorsOpenOnTheOpenFile();
    void editFieldsActsOnSelectedCommand();

private:
    QAction *Action(TFormMain &window, const char *name) const;
};

void TstFormMainEditors::initTestCase()
{
    SetUpStore();
}

void TstFormMainEditors::init()
{
    SetUpTest();
}

void TstFormMainEditors::cleanup()
{
    TearDownTest();
}

QAction *TstFormMainEditors::Action(TFormMain &window, const char *name) const
{
    auto *action = window.findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no action %s", name);
    return action;
}

void TstFormMainEditors::editorsOpenOnTheOpenFile()
{
    auto window = StartWithFile("edit.tsy", ExtendedFile);
    Action(*window, "ActionEditFixAnswer")->trigger();
    Action(*window, "ActionEditRC")->trigger();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindDialog), (QStringList{"FormEditFixAnswer", "FormEditReturnCode"}));
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
}

// The fields editor of the command selected in the tree opens from the
// menu and the toolbar, not only from the tree's own menu.
void TstFormMainEditors::editFieldsActsOnSelectedCommand()
{
    auto window = StartWithFile("fields.tsy", ExtendedFile);
    QAction *action = Action(*window, "ActionEditFields");
    QCOMPARE(action->text(), QStringLiteral("&Edit fields"));
    QVERIFY(!action->isEnabled());
    QTreeWidget *tree = window->TerminalWindow()->CommandTree();
    QTreeWidgetItem *group = window->TerminalWindow()->CommandTree()->RootNode()->child(0);
    tree->setCurrentItem(group);
    QVERIFY(!action->isEnabled());
    tree->setCurrentItem(group->child(0));
    QVERIFY(action->isEnabled());

    QWidget *button = window->findChild<QToolBar *>("ToolBarMain")->widgetForAction(action);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindDialog),
             QStringList{QStringLiteral("Edit SalesItem commands and answers")});
    QMenu *edit = window->findChild<QMenu *>("MenuEdit");
    edit->popup(QPoint(0, 0));
    QTest::keyClick(edit, Qt::Key_E);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindDialog), 2);

    tree->setCurrentItem(window->TerminalWindow()->CommandTree()->RootNode());
    QVERIFY(!action->isEnabled());
    tree->setCurrentItem(group->child(0));
    window->CloseFile();
    QVERIFY(!action->isEnabled());
}

QTEST_MAIN(TstFormMainEditors)
#include "tst_form_main_editors.moc"
