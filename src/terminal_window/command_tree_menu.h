#pragma once

#include <QMenu>

class QKeyEvent;
class TCommandTree;

// The tree's popup menu: group and command operations, Edit fields, Copy
// and Paste, and the expand and collapse entries. Each entry calls the
// tree's operation of the same name.
class TCommandTreeMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TCommandTreeMenu(TCommandTree *tree);

    // Enables the entries for the level of the selected node; copiedLevel is
    // that of the copied node, LevelNone when nothing is copied.
    void EnableFor(int selectedLevel, int copiedLevel);
    // The enabled entry whose key this is, as EnableFor left them; none when
    // the key is not the tree's.
    QAction *ActionFor(const QKeyEvent *event) const;

private:
    void SetKeys();

    QList<QAction *> m_keyed;
    QAction *m_menuGroup = nullptr;
    QAction *m_groupRename = nullptr;
    QAction *m_groupRemove = nullptr;
    QAction *m_menuCommand = nullptr;
    QAction *m_commandRename = nullptr;
    QAction *m_commandRemove = nullptr;
    QAction *m_editFields = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
};
