#include "comm/pseudo_terminal.h"
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
class TstFormMainEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void editorsOpenOnTheOpenFile();
    void editFieldsActsOnSelectedCommand();

private:
    std::unique_ptr<TFormMain> Start(const QString &file);
    QAction *Action(TFormMain &window, const char *name) const;

    QTemporaryDir m_root;
    TFormMain::TStartOptions m_options;
    TScriptedPrompts m_prompts;
    // The host port every window opens at start.
    std::unique_ptr<TPseudoTerminal> m_hostLine;
    int m_counter = 0;
};

void TstFormMainEditors::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_root.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_root.filePath("config"));
}

void TstFormMainEditors::init()
{
    ++m_counter;
    const QString base = m_root.filePath(QString::number(m_counter));
    QDir().mkpath(base + "/app");
    m_options = TFormMain::TStartOptions();
    m_options.SettingsName = QStringLiteral("TessalyMainEditors%1").arg(m_counter);
    m_options.ApplicationDir = base + "/app";
    m_options.UserDataDir = base + "/userdata";
    m_options.AssociationDataDir = base + "/xdg";
    m_options.NotifyDesktop = false;
    m_hostLine = std::make_unique<TPseudoTerminal>();
    QVERIFY(m_hostLine->open());
    m_options.HostPort = m_hostLine->slavePath();
    m_prompts.Clear();
}

std::unique_ptr<TFormMain> TstFormMainEditors::Start(const QString &file)
{
    const QString path = m_root.filePath(QString::number(m_counter) + "/" + file);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(ExtendedFile) != ExtendedFile.size())
        qFatal("cannot write %s", qPrintable(path));
    out.close();
    m_options.Arguments = {path};
    auto window = std::make_unique<TFormMain>(m_options, m_prompts);
    window->resize(900, 600);
    window->show();
    return window;
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
    auto window = Start("edit.tsy");
    Action(*window, "ActionEditFixAnswer")->trigger();
    Action(*window, "ActionEditRC")->trigger();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindDialog), (QStringList{"FormEditFixAnswer", "FormEditReturnCode"}));
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
}

// The fields editor of the command selected in the tree opens from the
// menu and the toolbar, not only from the tree's own menu.
void TstFormMainEditors::editFieldsActsOnSelectedCommand()
{
    auto window = Start("fields.tsy");
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
