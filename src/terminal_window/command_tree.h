#pragma once

#include "terminal_model/terminal_document.h"

#include <QPoint>
#include <QTreeWidget>

class QAction;
class QKeyEvent;
class QMenu;
class QTimer;
class TCommandTreeMenu;
class TPrompts;

// The command tree of a terminal file: Root, its groups and their commands.
// Every operation (add, rename, remove, copy and paste, drag and drop) is
// written to the file at once through `TTerminalDocument`; a refusal is
// reported through the prompts and leaves the tree as it was. The tree knows
// nothing of the page on its right: it says which command is selected and
// what it changed in the file by its signals.
class TCommandTree : public QTreeWidget
{
    Q_OBJECT

public:
    enum TLevel { LevelNone = -1, LevelRoot = 0, LevelGroup = 1, LevelCommand = 2 };

    static constexpr int MaxWidth = 222;
    static constexpr int DragStartDistance = 15;

    explicit TCommandTree(TPrompts &prompts, QWidget *parent = nullptr);

    // Builds the tree from the file; empty when it was read as a terminal
    // file, otherwise why it could not be.
    QString Load(const QString &fileName);

    QTreeWidgetItem *RootNode() const;
    static int Level(const QTreeWidgetItem *node);
    QMenu *PopupMenu() const;
    bool CopyPending() const;

    // Says which command the current node is, once the selection has settled
    // (the tree calls it 50 ms after the last change).
    void ShowSelectedCommand();
    // Makes the command of this section the current node and says so;
    // false when the tree has no such command.
    bool SelectCommand(const QString &section);
    // Enables the popup menu's entries for the selected node.
    void UpdatePopupMenu();
    void AddGroup();
    void RenameGroup();
    void RemoveGroup();
    // Adds to the selected group, or to the group of the selected command.
    void AddCommand();
    void RenameCommand();
    void RemoveCommand();
    void EditFields();
    // Copy remembers the selected group or command; Paste copies it onto the
    // selected node, as a drop would.
    void Copy();
    void Paste();
    void ExpandAll();
    void CollapseAll();
    void ExpandSelected();
    void CollapseSelected();
    // Drag and drop: the node under the left button, whether a node accepts
    // it, and the drop itself (a copy).
    void PickUp(QTreeWidgetItem *node);
    bool AcceptsDrop(QTreeWidgetItem *target) const;
    void DropOn(QTreeWidgetItem *target);

signals:
    // The current node after a change: the section of its command, empty for
    // Root, a group or no node.
    void CommandSelected(const QString &section);
    // The fields of this command were edited: it is to be shown anew.
    void CommandEdited(const QString &section);
    // An operation wrote the file (or may have).
    void FileChanged();
    // A group or command rename moved a command to another section.
    void SectionRenamed(const QString &from, const QString &to);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, const QString &text);
    QTreeWidgetItem *Selected() const;
    void RemoveNode(QTreeWidgetItem *node);
    void PasteOrDrop(QTreeWidgetItem *source, QTreeWidgetItem *target);
    void CopyCommandInto(QTreeWidgetItem *targetGroup, QTreeWidgetItem *command);
    bool Report(const TTerminalDocument::TResult &result);
    void StartDrag();
    QAction *KeyAction(const QKeyEvent *event);

    TPrompts &m_prompts;
    TTerminalDocument m_document;
    QString m_fileName;
    QTreeWidgetItem *m_rootNode = nullptr;
    QTimer *m_changeTimer = nullptr;
    TCommandTreeMenu *m_popup = nullptr;
    QTreeWidgetItem *m_copySource = nullptr;
    bool m_copyPending = false;
    QTreeWidgetItem *m_dragSource = nullptr;
    QTreeWidgetItem *m_dropTarget = nullptr;
    QPoint m_dragStart;
};
