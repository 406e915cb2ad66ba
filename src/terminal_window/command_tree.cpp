#include "terminal_window/command_tree.h"
#include "terminal_window/terminal_window_texts.h"

#include "editors/form_edit_cmd_ans.h"
#include "widgets/hint_text.h"
#include "terminal_window/command_tree_menu.h"
#include "terminal_window/form_overwrite_new_command.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <utility>

namespace {

const QString NodeMimeType = QStringLiteral("application/x-tessaly-tree-node");

// What a drag shows: several pages for a group, one for a command.
QPixmap DragPicture(int level)
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x33, 0x3d, 0x4a), 1.2));
    p.setBrush(QColor(0xfb, 0xfb, 0xf8));
    const int pages = level == TCommandTree::LevelGroup ? 3 : 1;
    for (int i = 0; i < pages; ++i)
        p.drawRect(QRectF(2 + i * 4, 2 + i * 4, 14, 17));
    return pixmap;
}

QString SectionOf(const QTreeWidgetItem *command)
{
    return TTerminalDocument::CommandSection(command->parent()->text(0), command->text(0));
}

} // namespace

TCommandTree::TCommandTree(TPrompts &prompts, QWidget *parent)
    : QTreeWidget(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TreeViewCommand"));
    setHeaderHidden(true);
    setColumnCount(1);
    setMaximumWidth(MaxWidth);
    setMinimumWidth(40);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    viewport()->setAcceptDrops(true);
    // The selection stays visible when the tree loses the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    // The page follows the selection once it has settled, not every node
    // passed on the way.
    m_changeTimer = new QTimer(this);
    m_changeTimer->setSingleShot(true);
    m_changeTimer->setInterval(50);
    connect(m_changeTimer, &QTimer::timeout, this, &TCommandTree::ShowSelectedCommand);
    connect(this, &QTreeWidget::currentItemChanged, m_changeTimer, qOverload<>(&QTimer::start));
    m_popup = new TCommandTreeMenu(this);
}

QString TCommandTree::Load(const QString &fileName)
{
    m_fileName = fileName;
    const QString error = m_document.Load(fileName) ? TTerminalDocument::NotATerminalFile(m_document.Ini())
                                                    : m_document.LastError();
    m_rootNode = new QTreeWidgetItem(this, {tr("Root")});
    for (const QString &group : m_document.Groups()) {
        QTreeWidgetItem *groupNode = AddNode(m_rootNode, group);
        for (const QString &command : m_document.Commands(group))
            AddNode(groupNode, command);
    }
    m_rootNode->setExpanded(true);
    return error;
}

QTreeWidgetItem *TCommandTree::RootNode() const
{
    return m_rootNode;
}

QMenu *TCommandTree::PopupMenu() const
{
    return m_popup;
}

bool TCommandTree::CopyPending() const
{
    return m_copyPending;
}

int TCommandTree::Level(const QTreeWidgetItem *node)
{
    int level = LevelNone;
    for (; node; node = node->parent())
        ++level;
    return level;
}

QTreeWidgetItem *TCommandTree::AddNode(QTreeWidgetItem *parent, const QString &text)
{
    return new QTreeWidgetItem(parent, {text});
}

QTreeWidgetItem *TCommandTree::Selected() const
{
    const QList<QTreeWidgetItem *> selection = selectedItems();
    return selection.isEmpty() ? nullptr : selection.constFirst();
}

void TCommandTree::RemoveNode(QTreeWidgetItem *node)
{
    // A remembered node that goes away is forgotten, so a later Paste or a
    // late drop cannot reach a dead node.
    for (QTreeWidgetItem *n = m_copySource; n; n = n->parent()) {
        if (n == node) {
            m_copySource = nullptr;
            m_copyPending = false;
            break;
        }
    }
    for (QTreeWidgetItem **remembered : {&m_dragSource, &m_dropTarget}) {
        for (QTreeWidgetItem *n = *remembered; n; n = n->parent()) {
            if (n == node) {
                *remembered = nullptr;
                break;
            }
        }
    }
    delete node;
}

bool TCommandTree::Report(const TTerminalDocument::TResult &result)
{
    if (!result.Ok) {
        if (!result.Message.isEmpty())
            m_prompts.Error(this, tr("Error"), result.Message);
        return false;
    }
    if (!result.Message.isEmpty())
        m_prompts.Information(this, tr("Information"), result.Message);
    return true;
}

void TCommandTree::ShowSelectedCommand()
{
    const QTreeWidgetItem *node = currentItem();
    emit CommandSelected(Level(node) == LevelCommand ? SectionOf(node) : QString());
}

bool TCommandTree::SelectCommand(const QString &section)
{
    if (!m_rootNode)
        return false;
    for (int g = 0; g < m_rootNode->childCount(); ++g) {
        QTreeWidgetItem *group = m_rootNode->child(g);
        for (int c = 0; c < group->childCount(); ++c) {
            QTreeWidgetItem *command = group->child(c);
            if (SectionOf(command).compare(section, Qt::CaseInsensitive) != 0)
                continue;
            setCurrentItem(command);
            scrollToItem(command);
            ShowSelectedCommand();
            return true;
        }
    }
    return false;
}

void TCommandTree::UpdatePopupMenu()
{
    const int level = Level(Selected());
    // Opening the menu with nothing selected forgets the copy.
    if (level == LevelNone)
        m_copyPending = false;
    m_popup->EnableFor(level, m_copyPending && m_copySource ? Level(m_copySource) : LevelNone);
}

void TCommandTree::AddGroup()
{
    const QString name = TTerminalDocument::CutName(m_prompts.InputText(this, TerminalWindowTexts::AddGroupCaption()));
    if (name.isEmpty())
        return;
    const TTerminalDocument::TResult result = m_document.AddGroup(name);
    if (Report(result))
        AddNode(m_rootNode, result.Name);
    m_rootNode->setExpanded(true);
}

void TCommandTree::RenameGroup()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelGroup)
        return;
    const QString oldName = node->text(0);
    const QString newName = TTerminalDocument::CutName(
        m_prompts.InputText(this, TerminalWindowTexts::RenameGroupCaption(oldName)));
    if (newName.isEmpty())
        return;
    const TTerminalDocument::TResult result = m_document.RenameGroup(oldName, newName);
    if (!Report(result))
        return;
    node->setText(0, result.Name);
    emit FileChanged();
    for (const QString &command : m_document.Commands(result.Name))
        emit SectionRenamed(TTerminalDocument::CommandSection(oldName, command),
                            TTerminalDocument::CommandSection(result.Name, command));
}

void TCommandTree::RemoveGroup()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelGroup)
        return;
    const QString group = node->text(0);
    if (!m_prompts.Confirm(this, TPrompts::WarningCaption, TerminalWindowTexts::RemoveGroupQuestion(group)))
        return;
    if (Report(m_document.RemoveGroup(group))) {
        RemoveNode(node);
        emit FileChanged();
    }
}

void TCommandTree::AddCommand()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) == LevelCommand)
        node = node->parent();
    if (Level(node) != LevelGroup)
        return;
    const QString name = TTerminalDocument::CutName(m_prompts.InputText(this, TerminalWindowTexts::AddCommandCaption()));
    if (name.isEmpty())
        return;
    const TTerminalDocument::TResult result = m_document.AddCommand(node->text(0), name);
    if (!Report(result))
        return;
    AddNode(node, result.Name);
    node->setExpanded(true);
    emit FileChanged();
}

void TCommandTree::RenameCommand()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelCommand)
        return;
    const QString oldName = node->text(0);
    const QString newName = TTerminalDocument::CutName(
        m_prompts.InputText(this, TerminalWindowTexts::RenameCommandCaption(oldName)));
    if (newName.isEmpty())
        return;
    const QString group = node->parent()->text(0);
    const TTerminalDocument::TResult result = m_document.RenameCommand(group, oldName, newName);
    if (!Report(result))
        return;
    node->setText(0, result.Name);
    emit FileChanged();
    emit SectionRenamed(TTerminalDocument::CommandSection(group, oldName),
                        TTerminalDocument::CommandSection(group, result.Name));
}

void TCommandTree::RemoveCommand()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelCommand)
        return;
    const QString command = node->text(0);
    if (!m_prompts.Confirm(this, TPrompts::WarningCaption, TerminalWindowTexts::RemoveCommandQuestion(command)))
        return;
    if (Report(m_document.RemoveCommand(node->parent()->text(0), command))) {
        RemoveNode(node);
        emit FileChanged();
    }
}

void TCommandTree::EditFields()
{
    const QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelCommand)
        return;
    const QString section = SectionOf(node);
    TFormEditCmdAns editor(m_fileName, section, m_prompts, this);
    m_prompts.Exec(&editor);
    // The editor wrote the file: the command is shown as it is now.
    emit FileChanged();
    emit CommandEdited(section);
}

void TCommandTree::Copy()
{
    QTreeWidgetItem *node = Selected();
    const int level = Level(node);
    if (level != LevelGroup && level != LevelCommand)
        return;
    m_copySource = node;
    m_copyPending = true;
}

void TCommandTree::Paste()
{
    if (!m_copySource || !m_copyPending)
        return;
    PasteOrDrop(m_copySource, Selected());
}

void TCommandTree::ExpandAll()
{
    expandAll();
}

void TCommandTree::CollapseAll()
{
    collapseAll();
}

void TCommandTree::ExpandSelected()
{
    if (QTreeWidgetItem *node = Selected())
        node->setExpanded(true);
}

void TCommandTree::CollapseSelected()
{
    if (QTreeWidgetItem *node = Selected())
        node->setExpanded(false);
}

void TCommandTree::PasteOrDrop(QTreeWidgetItem *source, QTreeWidgetItem *target)
{
    const int sourceLevel = Level(source);
    const int targetLevel = Level(target);
    if (targetLevel == LevelRoot && sourceLevel == LevelGroup) {
        const TTerminalDocument::TResult result = m_document.DuplicateGroup(source->text(0));
        if (Report(result)) {
            QTreeWidgetItem *group = AddNode(m_rootNode, result.Name);
            for (const QString &command : m_document.Commands(result.Name))
                AddNode(group, command);
            group->setExpanded(true);
        }
    } else if (targetLevel == LevelGroup && sourceLevel == LevelGroup) {
        const auto confirm = [this](const QString &command) {
            return m_prompts.Confirm(this, TPrompts::WarningCaption,
                                     TerminalWindowTexts::MergeOverwriteQuestion(command));
        };
        const TTerminalDocument::TResult result =
            m_document.MergeGroup(target->text(0), source->text(0), confirm);
        if (Report(result)) {
            for (const QString &command : result.Added)
                AddNode(target, command);
            target->setExpanded(true);
        }
    } else if (targetLevel == LevelGroup && sourceLevel == LevelCommand) {
        CopyCommandInto(target, source);
    } else if (targetLevel == LevelCommand && sourceLevel == LevelCommand) {
        CopyCommandInto(target->parent(), source);
    }
    emit FileChanged();
}

void TCommandTree::CopyCommandInto(QTreeWidgetItem *targetGroup, QTreeWidgetItem *command)
{
    TFormOverwriteNewCommand dialog(this);
    const auto choose = [this, &dialog](const QString &, QString *newName) {
        for (;;) {
            switch (m_prompts.Exec(&dialog)) {
            case TFormOverwriteNewCommand::Overwrite:
                return TTerminalDocument::TPasteChoice::Overwrite;
            case TFormOverwriteNewCommand::Cancel:
                return TTerminalDocument::TPasteChoice::Cancel;
            case TFormOverwriteNewCommand::New:
                *newName = TTerminalDocument::CutName(m_prompts.InputText(this, TPrompts::InputPrompt));
                return TTerminalDocument::TPasteChoice::New;
            default:
                break;
            }
        }
    };
    const TTerminalDocument::TResult result =
        m_document.CopyCommand(targetGroup->text(0), command->parent()->text(0), command->text(0), choose);
    if (Report(result) && result.Changed && !result.Overwritten) {
        AddNode(targetGroup, result.Name);
        targetGroup->setExpanded(true);
    }
}

void TCommandTree::PickUp(QTreeWidgetItem *node)
{
    m_dragSource = node;
}

bool TCommandTree::AcceptsDrop(QTreeWidgetItem *target) const
{
    if (!m_dragSource || !target)
        return false;
    const int targetLevel = Level(target);
    switch (Level(m_dragSource)) {
    case LevelGroup:
        return targetLevel == LevelRoot || targetLevel == LevelGroup;
    case LevelCommand:
        return targetLevel == LevelGroup || targetLevel == LevelCommand;
    default:
        return false;
    }
}

void TCommandTree::DropOn(QTreeWidgetItem *target)
{
    if (m_dragSource && target)
        PasteOrDrop(m_dragSource, target);
}

void TCommandTree::StartDrag()
{
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setData(NodeMimeType, m_dragSource->text(0).toUtf8());
    drag->setMimeData(data);
    drag->setPixmap(DragPicture(Level(m_dragSource)));
    drag->exec(Qt::CopyAction);
}

void TCommandTree::contextMenuEvent(QContextMenuEvent *event)
{
    UpdatePopupMenu();
    QPoint place = event->globalPos();
    // From the keyboard the menu opens at the selected node, where the user
    // is looking.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const QTreeWidgetItem *node = Selected();
        const QRect rect = node ? visualItemRect(node) : QRect();
        place = viewport()->mapToGlobal(rect.isValid() ? rect.bottomLeft() : QPoint(0, 0));
    }
    m_popup->popup(place);
    event->accept();
}

QAction *TCommandTree::KeyAction(const QKeyEvent *event)
{
    // As the menu would be enabled, without the menu's forgetting of the copy.
    m_popup->EnableFor(Level(Selected()), m_copyPending && m_copySource ? Level(m_copySource) : LevelNone);
    return m_popup->ActionFor(event);
}

bool TCommandTree::event(QEvent *event)
{
    // While the tree has the focus its keys win over the window's own
    // (Ctrl+C and Ctrl+V copy nodes here, not text).
    if (event->type() == QEvent::ShortcutOverride && KeyAction(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QTreeWidget::event(event);
}

void TCommandTree::keyPressEvent(QKeyEvent *event)
{
    if (QAction *action = KeyAction(event)) {
        event->accept();
        action->trigger();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

bool TCommandTree::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_dragStart = mouse->position().toPoint();
            PickUp(itemAt(m_dragStart));
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if ((mouse->buttons() & Qt::LeftButton) && m_dragSource
            && (mouse->position().toPoint() - m_dragStart).manhattanLength() >= DragStartDistance) {
            StartDrag();
            return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        const bool fromTree = drag->source() == this && drag->mimeData()->hasFormat(NodeMimeType);
        // Entering is accepted so that every move can decide on its own node.
        if (fromTree && (event->type() == QEvent::DragEnter
                         || AcceptsDrop(itemAt(drag->position().toPoint()))))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->source() == this && drop->mimeData()->hasFormat(NodeMimeType)) {
            QTreeWidgetItem *target = itemAt(drop->position().toPoint());
            if (AcceptsDrop(target)) {
                drop->acceptProposedAction();
                // Copy once the drag has ended: the copy may ask questions.
                m_dropTarget = target;
                QTimer::singleShot(0, this, [this] { DropOn(std::exchange(m_dropTarget, nullptr)); });
            }
        }
        return true;
    }
    default:
        break;
    }
    return QTreeWidget::viewportEvent(event);
}
