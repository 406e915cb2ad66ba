#include "terminal_window/command_tree_menu.h"

#include "widgets/action_icons.h"
#include "terminal_window/command_tree.h"

#include <QKeyEvent>

#include <utility>

TCommandTreeMenu::TCommandTreeMenu(TCommandTree *tree)
    : QMenu(tree)
{
    setObjectName(QStringLiteral("TerminalWindowPopupMenu"));
    const auto item = [tree](QMenu *menu, const QString &caption, const QString &name,
                             void (TCommandTree::*operation)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, tree, operation);
        return action;
    };

    QMenu *group = addMenu(tr("&Group"));
    m_menuGroup = group->menuAction();
    m_menuGroup->setObjectName(QStringLiteral("MenuItemGroup"));
    item(group, tr("&Add"), QStringLiteral("MenuItemGroupAdd"), &TCommandTree::AddGroup);
    m_groupRename = item(group, tr("&Rename"), QStringLiteral("MenuItemGroupModify"),
                         &TCommandTree::RenameGroup);
    m_groupRemove = item(group, tr("&Remove"), QStringLiteral("MenuItemGroupRemove"),
                         &TCommandTree::RemoveGroup);

    QMenu *command = addMenu(tr("&Command"));
    m_menuCommand = command->menuAction();
    m_menuCommand->setObjectName(QStringLiteral("MenuItemCommand"));
    item(command, tr("&Add"), QStringLiteral("MenuItemCommandAdd"), &TCommandTree::AddCommand);
    m_commandRename = item(command, tr("&Rename"), QStringLiteral("MenuItemCommandModify"),
                           &TCommandTree::RenameCommand);
    m_commandRemove = item(command, tr("&Remove"), QStringLiteral("MenuItemCommandRemove"),
                           &TCommandTree::RemoveCommand);

    addSeparator();
    m_editFields = item(this, tr("&Edit fields"), QStringLiteral("MenuItemEditFields"),
                        &TCommandTree::EditFields);
    addSeparator();
    m_copy = item(this, tr("&Copy"), QStringLiteral("MenuItemCopyCommand"), &TCommandTree::Copy);
    m_copy->setIcon(TActionIcons::Icon(TActionIcons::Copy));
    m_copy->setEnabled(false);
    m_paste = item(this, tr("&Paste"), QStringLiteral("MenuItemPasteCommand"), &TCommandTree::Paste);
    m_paste->setIcon(TActionIcons::Icon(TActionIcons::Paste));
    m_paste->setEnabled(false);
    addSeparator();

    QMenu *nodes = addMenu(tr("&Nodes"));
    nodes->menuAction()->setObjectName(QStringLiteral("MenuItemNodes"));
    item(nodes, tr("Expand all"), QStringLiteral("MenuItemExpandall"), &TCommandTree::ExpandAll);
    item(nodes, tr("Collapse all"), QStringLiteral("MenuItemCollapseall"), &TCommandTree::CollapseAll);
    item(nodes, tr("Expand node"), QStringLiteral("MenuItemExpandNode"), &TCommandTree::ExpandSelected);
    item(nodes, tr("Collapse node"), QStringLiteral("MenuItemCollapseNode"),
         &TCommandTree::CollapseSelected);
    SetKeys();
}

void TCommandTreeMenu::SetKeys()
{
    // The keys work while the tree has the focus (it asks ActionFor); the
    // menu shows them, and they act in the menu only while it is open.
    const std::pair<const char *, QKeySequence> keys[] = {
        {"MenuItemGroupAdd", QKeySequence(Qt::ALT | Qt::Key_Insert)},
        {"MenuItemGroupModify", QKeySequence(Qt::Key_F2)},
        {"MenuItemGroupRemove", QKeySequence(Qt::Key_Delete)},
        {"MenuItemCommandAdd", QKeySequence(Qt::Key_Insert)},
        {"MenuItemCommandModify", QKeySequence(Qt::Key_F2)},
        {"MenuItemCommandRemove", QKeySequence(Qt::Key_Delete)},
        {"MenuItemEditFields", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"MenuItemCopyCommand", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"MenuItemPasteCommand", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"MenuItemExpandall", QKeySequence(Qt::Key_Asterisk)},
        {"MenuItemCollapseall", QKeySequence(Qt::Key_Slash)},
        {"MenuItemExpandNode", QKeySequence(Qt::Key_Plus)},
        {"MenuItemCollapseNode", QKeySequence(Qt::Key_Minus)},
    };
    for (const auto &[name, key] : keys) {
        QAction *action = findChild<QAction *>(QLatin1String(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_keyed.append(action);
    }
}

QAction *TCommandTreeMenu::ActionFor(const QKeyEvent *event) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    QList<QKeySequence> pressed{QKeySequence(QKeyCombination(modifiers, Qt::Key(event->key())))};
    // + and * need Shift on many keyboards; the keypad gives them without.
    if (modifiers & Qt::ShiftModifier)
        pressed.append(QKeySequence(QKeyCombination(modifiers & ~Qt::ShiftModifier, Qt::Key(event->key()))));
    for (QAction *action : m_keyed) {
        const auto *menu = qobject_cast<const QMenu *>(action->parent());
        if (action->isEnabled() && menu && menu->menuAction()->isEnabled()
            && pressed.contains(action->shortcut()))
            return action;
    }
    return nullptr;
}

void TCommandTreeMenu::EnableFor(int selectedLevel, int copiedLevel)
{
    const bool copied = copiedLevel != TCommandTree::LevelNone;
    switch (selectedLevel) {
    case TCommandTree::LevelNone:
        m_copy->setEnabled(false);
        m_paste->setEnabled(false);
        m_menuGroup->setEnabled(true);
        m_editFields->setEnabled(false);
        m_menuCommand->setEnabled(false);
        break;
    case TCommandTree::LevelRoot:
        m_copy->setEnabled(false);
        m_paste->setEnabled(copied && copiedLevel != TCommandTree::LevelCommand);
        m_menuGroup->setEnabled(true);
        m_groupRename->setEnabled(false);
        m_groupRemove->setEnabled(false);
        m_editFields->setEnabled(false);
        m_menuCommand->setEnabled(false);
        break;
    case TCommandTree::LevelGroup:
        m_copy->setEnabled(true);
        m_paste->setEnabled(copied);
        m_menuGroup->setEnabled(true);
        m_groupRename->setEnabled(true);
        m_groupRemove->setEnabled(true);
        m_editFields->setEnabled(false);
        m_menuCommand->setEnabled(true);
        m_commandRename->setEnabled(false);
        m_commandRemove->setEnabled(false);
        break;
    default:
        m_copy->setEnabled(true);
        m_paste->setEnabled(copied);
        m_menuGroup->setEnabled(false);
        m_editFields->setEnabled(true);
        m_menuCommand->setEnabled(true);
        m_commandRename->setEnabled(true);
        m_commandRemove->setEnabled(true);
        break;
    }
}
