#include "terminal_window/form_child_terminal_window.h"

#include "editors/form_edit_cmd_ans.h"
#include "widgets/action_icons.h"
#include "widgets/hint_text.h"
#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/answer_page.h"
#include "execution/command_notice.h"
#include "execution/execution_texts.h"
#include "terminal_model/settings.h"
#include "terminal_model/text_codec.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/form_overwrite_new_command.h"
#include "terminal_window/notice_bar.h"
#include "terminal_window/terminal_window_texts.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDrag>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString RootText = QStringLiteral("Root");
const QString ErrorCaption = QStringLiteral("Error");
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
    const int pages = level == TFormChildTerminalWindow::LevelGroup ? 3 : 1;
    for (int i = 0; i < pages; ++i)
        p.drawRect(QRectF(2 + i * 4, 2 + i * 4, 14, 17));
    return pixmap;
}

} // namespace

TFormChildTerminalWindow::TFormChildTerminalWindow(TSettings &settings, TPrompts &prompts,
                                                   const QString &fileName, QWidget *parent,
                                                   TFPHostControl *host, TFPAuxControl *aux)
    : QMdiSubWindow(parent), m_settings(settings), m_prompts(prompts), m_host(host), m_aux(aux),
      m_fileName(fileName)
{
    if (!m_host) {
        m_closedHost = std::make_unique<TFPHostControl>();
        m_host = m_closedHost.get();
    }
    if (!m_aux) {
        m_closedAux = std::make_unique<TFPAuxControl>();
        m_aux = m_closedAux.get();
    }
    m_runner = new TCommandRunner(m_host, m_aux, this);
    setObjectName(QStringLiteral("FormChildTerminalWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    BuildLayout();
    BuildPopupMenu();
    LoadCommandTree();
    setWindowTitle(QDir::toNativeSeparators(m_fileName));
    if (m_settings.TVWidth != 0)
        m_treeWidth = qBound(0, m_settings.TVWidth, MaxTreeWidth);
    m_splitter->setSizes({m_treeWidth, 640});
    ReadFileCopy();
    ConnectRunner();
}

TFormChildTerminalWindow::~TFormChildTerminalWindow()
{
    m_settings.TVWidth = m_treeWidth;
    // Before the stand-in components it may refer to.
    delete m_runner;
}

void TFormChildTerminalWindow::BuildLayout()
{
    auto *content = new QWidget;
    m_splitter = new QSplitter(Qt::Horizontal, content);
    m_splitter->setObjectName(QStringLiteral("SplitterTree"));
    m_splitter->setHandleWidth(5);
    m_splitter->setOpaqueResize(true);
    m_splitter->setChildrenCollapsible(false);

    m_tree = new QTreeWidget(m_splitter);
    m_tree->setObjectName(QStringLiteral("TreeViewCommand"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setMaximumWidth(MaxTreeWidth);
    m_tree->setMinimumWidth(40);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setMouseTracking(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->header()->setStretchLastSection(true);
    m_tree->viewport()->setAcceptDrops(true);
    m_tree->viewport()->installEventFilter(this);
    // The selection stays visible when the tree loses the focus.
    QPalette palette = m_tree->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_tree->setPalette(palette);

    auto *right = new QWidget(m_splitter);
    right->setObjectName(QStringLiteral("PanelRight"));
    right->setMinimumWidth(400);
    m_pages = new QTabWidget(right);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    const auto page = [this](const QString &caption, const QString &name, QWidget *content) {
        auto *scroll = new QScrollArea;
        scroll->setObjectName(name);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        m_pages->addTab(scroll, caption);
    };
    m_inputPanel = new TCommandInputPanel;
    page(QStringLiteral("Co&mmands"), QStringLiteral("ScrollBoxCommands"), m_inputPanel);
    m_inputPanel->TakeAcceleratorsFrom(m_pages->tabBar());
    m_answerDisplay = new TAnswerDisplay;
    page(QStringLiteral("Host &Answer"), QStringLiteral("ScrollBoxHostAnswer"), m_answerDisplay);
    m_fiscalMemo = new QPlainTextEdit;
    m_fiscalMemo->setObjectName(QStringLiteral("MemoFiscalAnswer"));
    m_fiscalMemo->setReadOnly(true);
    m_fiscalMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_fiscalMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_fiscalMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_fiscalMemo->setFont(fixed);
    m_fiscalMemo->viewport()->installEventFilter(this);
    m_pages->addTab(m_fiscalMemo, QStringLiteral("&Fiscal Answer"));

    auto *buttonPanel = new QWidget(right);
    buttonPanel->setObjectName(QStringLiteral("PanelButtons"));
    m_buttonSend = new QPushButton(QStringLiteral("&Send"), buttonPanel);
    m_buttonSend->setObjectName(QStringLiteral("ButtonSend"));
    m_buttonRepeat = new QPushButton(QStringLiteral("&Repeat ..."), buttonPanel);
    m_buttonRepeat->setObjectName(QStringLiteral("ButtonRepeat"));
    m_buttonCancel = new QPushButton(QStringLiteral("&Cancel"), buttonPanel);
    m_buttonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    // The long part of each hint goes to the main window's status bar.
    for (const auto &[button, hint] : {std::pair{m_buttonSend, TerminalWindowTexts::SendHint},
                                       std::pair{m_buttonRepeat, TerminalWindowTexts::RepeatHint},
                                       std::pair{m_buttonCancel, TerminalWindowTexts::CancelHint}}) {
        button->setToolTip(HintText::ShortHint(hint));
        button->setStatusTip(HintText::LongHint(hint));
    }
    m_buttonSend->setEnabled(false);
    m_buttonRepeat->setEnabled(false);
    connect(m_buttonSend, &QPushButton::clicked, this, &TFormChildTerminalWindow::ButtonSendClick);
    connect(m_buttonRepeat, &QPushButton::clicked, this, &TFormChildTerminalWindow::ButtonRepeatClick);
    connect(m_buttonCancel, &QPushButton::clicked, this, &TFormChildTerminalWindow::ButtonCancelClick);
    // The buttons work on the command page only.
    connect(m_pages, &QTabWidget::currentChanged, buttonPanel, [buttonPanel](int index) {
        buttonPanel->setVisible(index == 0);
    });
    auto *buttons = new QHBoxLayout(buttonPanel);
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->addStretch();
    buttons->addWidget(m_buttonSend);
    buttons->addWidget(m_buttonRepeat);
    buttons->addWidget(m_buttonCancel);

    m_noticeBar = new TNoticeBar(right);

    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_noticeBar);
    rightLayout->addWidget(m_pages, 1);
    rightLayout->addWidget(buttonPanel);

    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    auto *layout = new QHBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_splitter);
    setWidget(content);
    resize(800, 520);

    m_changeTimer = new QTimer(this);
    m_changeTimer->setSingleShot(true);
    m_changeTimer->setInterval(50);
    connect(m_changeTimer, &QTimer::timeout, this, &TFormChildTerminalWindow::TreeViewCommandChange);
    connect(m_tree, &QTreeWidget::currentItemChanged, m_changeTimer, qOverload<>(&QTimer::start));
    connect(m_tree, &QTreeWidget::itemClicked, this, [this] { m_pages->setCurrentIndex(0); });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_treeWidth = m_tree->width(); });
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        TerminalWindowPopupMenuPopup();
        m_popup->popup(m_tree->viewport()->mapToGlobal(pos));
    });
}

void TFormChildTerminalWindow::BuildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("TerminalWindowPopupMenu"));
    const auto item = [this](QMenu *menu, const QString &caption, const QString &name,
                             void (TFormChildTerminalWindow::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu *group = m_popup->addMenu(QStringLiteral("&Group"));
    m_menuGroup = group->menuAction();
    m_menuGroup->setObjectName(QStringLiteral("MenuItemGroup"));
    m_groupAdd = item(group, QStringLiteral("&Add"), QStringLiteral("MenuItemGroupAdd"),
                      &TFormChildTerminalWindow::MenuItemGroupAddClick);
    m_groupRename = item(group, QStringLiteral("&Rename"), QStringLiteral("MenuItemGroupModify"),
                         &TFormChildTerminalWindow::MenuItemGroupModifyClick);
    m_groupRemove = item(group, QStringLiteral("&Remove"), QStringLiteral("MenuItemGroupRemove"),
                         &TFormChildTerminalWindow::MenuItemGroupRemoveClick);

    QMenu *command = m_popup->addMenu(QStringLiteral("&Command"));
    m_menuCommand = command->menuAction();
    m_menuCommand->setObjectName(QStringLiteral("MenuItemCommand"));
    m_commandAdd = item(command, QStringLiteral("&Add"), QStringLiteral("MenuItemCommandAdd"),
                        &TFormChildTerminalWindow::MemuItemCommandAddClick);
    m_commandRename = item(command, QStringLiteral("&Rename"), QStringLiteral("MenuItemCommandModify"),
                           &TFormChildTerminalWindow::MenuItemCommandModifyClick);
    m_commandRemove = item(command, QStringLiteral("&Remove"), QStringLiteral("MenuItemCommandRemove"),
                           &TFormChildTerminalWindow::MenuItemCommandRemoveClick);

    m_popup->addSeparator();
    m_editFields = item(m_popup, QStringLiteral("&Edit fields"), QStringLiteral("MenuItemEditFields"),
                        &TFormChildTerminalWindow::MenuItemEditFieldsClick);
    m_popup->addSeparator();
    m_copy = item(m_popup, QStringLiteral("&Copy"), QStringLiteral("MenuItemCopyCommand"),
                  &TFormChildTerminalWindow::MenuItemCopyCommandClick);
    m_copy->setIcon(TActionIcons::Icon(TActionIcons::Copy));
    m_copy->setEnabled(false);
    m_paste = item(m_popup, QStringLiteral("&Paste"), QStringLiteral("MenuItemPasteCommand"),
                   &TFormChildTerminalWindow::MenuItemPasteCommandClick);
    m_paste->setIcon(TActionIcons::Icon(TActionIcons::Paste));
    m_paste->setEnabled(false);
    m_popup->addSeparator();

    QMenu *nodes = m_popup->addMenu(QStringLiteral("&Nodes"));
    nodes->menuAction()->setObjectName(QStringLiteral("MenuItemNodes"));
    item(nodes, QStringLiteral("Expand all"), QStringLiteral("MenuItemExpandall"),
         &TFormChildTerminalWindow::MenuItemExpandallClick);
    item(nodes, QStringLiteral("Collapse all"), QStringLiteral("MenuItemCollapseall"),
         &TFormChildTerminalWindow::MenuItemCollapseallClick);
    item(nodes, QStringLiteral("Expand node"), QStringLiteral("MenuItemExpandNode"),
         &TFormChildTerminalWindow::MenuItemExpandNodeClick);
    item(nodes, QStringLiteral("Collapse node"), QStringLiteral("MenuItemCollapseNode"),
         &TFormChildTerminalWindow::MenuItemCollapseNodeClick);
}

void TFormChildTerminalWindow::LoadCommandTree()
{
    m_loadError = m_document.Load(m_fileName) ? TTerminalDocument::NotATerminalFile(m_document.Ini())
                                              : m_document.LastError();
    m_rootNode = new QTreeWidgetItem(m_tree, {RootText});
    for (const QString &group : m_document.Groups()) {
        QTreeWidgetItem *groupNode = AddNode(m_rootNode, group);
        for (const QString &command : m_document.Commands(group))
            AddNode(groupNode, command);
    }
    m_rootNode->setExpanded(true);
}

QString TFormChildTerminalWindow::FileName() const
{
    return m_fileName;
}

QString TFormChildTerminalWindow::LoadError() const
{
    return m_loadError;
}

const TExtIniFile &TFormChildTerminalWindow::FileCopy() const
{
    return m_fileCopy;
}

void TFormChildTerminalWindow::ReloadTerminalFile()
{
    ReadFileCopy();
}

void TFormChildTerminalWindow::ReadFileCopy()
{
    m_fileCopy.Load(m_fileName);
    QStringList errors;
    m_fiscalTable = TFixedAnswerTable::Load(m_fileCopy, QStringLiteral("FiscalAnswer"), &errors);
    m_printerTable = TFixedAnswerTable::Load(m_fileCopy, QStringLiteral("PrinterAnswer"), &errors);
    m_noticeBar->SetNotice(TNoticeBar::File, errors.isEmpty() ? QString()
                                                              : TerminalWindowTexts::PanelsLeftOut(
                                                                    errors.join(QStringLiteral("; "))));
}

QTreeWidget *TFormChildTerminalWindow::TreeViewCommand() const
{
    return m_tree;
}

QTreeWidgetItem *TFormChildTerminalWindow::RootNode() const
{
    return m_rootNode;
}

QTabWidget *TFormChildTerminalWindow::PageControl() const
{
    return m_pages;
}

QString TFormChildTerminalWindow::CommandKey() const
{
    return m_commandKey;
}

int TFormChildTerminalWindow::TreeWidth() const
{
    return m_treeWidth;
}

QMenu *TFormChildTerminalWindow::TerminalWindowPopupMenu() const
{
    return m_popup;
}

bool TFormChildTerminalWindow::CopyPending() const
{
    return m_copyPending;
}

int TFormChildTerminalWindow::Level(const QTreeWidgetItem *node)
{
    int level = LevelNone;
    for (; node; node = node->parent())
        ++level;
    return level;
}

QTreeWidgetItem *TFormChildTerminalWindow::AddNode(QTreeWidgetItem *parent, const QString &text)
{
    return new QTreeWidgetItem(parent, {text});
}

QTreeWidgetItem *TFormChildTerminalWindow::GroupNode(const QString &group) const
{
    for (int i = 0; i < m_rootNode->childCount(); ++i)
        if (m_rootNode->child(i)->text(0).compare(group, Qt::CaseInsensitive) == 0)
            return m_rootNode->child(i);
    return nullptr;
}

QTreeWidgetItem *TFormChildTerminalWindow::Selected() const
{
    const QList<QTreeWidgetItem *> selection = m_tree->selectedItems();
    return selection.isEmpty() ? nullptr : selection.constFirst();
}

void TFormChildTerminalWindow::RemoveNode(QTreeWidgetItem *node)
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

bool TFormChildTerminalWindow::Report(const TTerminalDocument::TResult &result)
{
    if (!result.Ok) {
        if (!result.Message.isEmpty())
            m_prompts.Error(this, ErrorCaption, result.Message);
        return false;
    }
    if (!result.Message.isEmpty())
        m_prompts.Information(this, QStringLiteral("Information"), result.Message);
    return true;
}

void TFormChildTerminalWindow::TreeViewCommandChange()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (Level(node) == LevelCommand) {
        const QString section = TTerminalDocument::CommandSection(node->parent()->text(0), node->text(0));
        if (section == m_commandKey)
            return;
        ShowCommand(section);
        return;
    }
    FreeCommandControls();
    QCoreApplication::processEvents();
    m_commandKey.clear();
    m_buttonSend->setEnabled(false);
    m_buttonRepeat->setEnabled(false);
    m_noticeBar->SetNotice(TNoticeBar::Command, QString());
}

void TFormChildTerminalWindow::TerminalWindowPopupMenuPopup()
{
    const QTreeWidgetItem *node = Selected();
    switch (Level(node)) {
    case LevelNone:
        m_copy->setEnabled(false);
        m_paste->setEnabled(false);
        m_copyPending = false;
        m_menuGroup->setEnabled(true);
        m_editFields->setEnabled(false);
        m_menuCommand->setEnabled(false);
        break;
    case LevelRoot:
        m_copy->setEnabled(false);
        m_paste->setEnabled(m_copyPending && m_copySource && Level(m_copySource) != LevelCommand);
        m_menuGroup->setEnabled(true);
        m_groupRename->setEnabled(false);
        m_groupRemove->setEnabled(false);
        m_editFields->setEnabled(false);
        m_menuCommand->setEnabled(false);
        break;
    case LevelGroup:
        m_copy->setEnabled(true);
        m_paste->setEnabled(m_copyPending);
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
        m_paste->setEnabled(m_copyPending);
        m_menuGroup->setEnabled(false);
        m_editFields->setEnabled(true);
        m_menuCommand->setEnabled(true);
        m_commandRename->setEnabled(true);
        m_commandRemove->setEnabled(true);
        break;
    }
}

void TFormChildTerminalWindow::MenuItemGroupAddClick()
{
    const QString name = TTerminalDocument::CutName(m_prompts.InputText(this, TerminalWindowTexts::AddGroupCaption()));
    if (name.isEmpty())
        return;
    const TTerminalDocument::TResult result = m_document.AddGroup(name);
    if (Report(result))
        AddNode(m_rootNode, result.Name);
    m_rootNode->setExpanded(true);
}

void TFormChildTerminalWindow::MenuItemGroupModifyClick()
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
    ReadFileCopy();
    for (const QString &command : m_document.Commands(result.Name))
        FollowRename(TTerminalDocument::CommandSection(oldName, command),
                     TTerminalDocument::CommandSection(result.Name, command));
}

void TFormChildTerminalWindow::MenuItemGroupRemoveClick()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelGroup)
        return;
    const QString group = node->text(0);
    if (!m_prompts.Confirm(this, TPrompts::WarningCaption, TerminalWindowTexts::RemoveGroupQuestion(group)))
        return;
    if (Report(m_document.RemoveGroup(group))) {
        RemoveNode(node);
        ReadFileCopy();
    }
}

void TFormChildTerminalWindow::MemuItemCommandAddClick()
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
    ReadFileCopy();
}

void TFormChildTerminalWindow::MenuItemCommandModifyClick()
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
    ReadFileCopy();
    FollowRename(TTerminalDocument::CommandSection(group, oldName),
                 TTerminalDocument::CommandSection(group, result.Name));
}

void TFormChildTerminalWindow::MenuItemCommandRemoveClick()
{
    QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelCommand)
        return;
    const QString command = node->text(0);
    if (!m_prompts.Confirm(this, TPrompts::WarningCaption, TerminalWindowTexts::RemoveCommandQuestion(command)))
        return;
    if (Report(m_document.RemoveCommand(node->parent()->text(0), command))) {
        RemoveNode(node);
        ReadFileCopy();
    }
}

void TFormChildTerminalWindow::MenuItemEditFieldsClick()
{
    const QTreeWidgetItem *node = Selected();
    if (Level(node) != LevelCommand)
        return;
    const QString section = TTerminalDocument::CommandSection(node->parent()->text(0), node->text(0));
    TFormEditCmdAns editor(m_fileName, section, m_prompts, this);
    m_prompts.Exec(&editor);
    // The editor wrote the file: show the command as it is now.
    ReadFileCopy();
    ShowCommand(section);
}

void TFormChildTerminalWindow::MenuItemCopyCommandClick()
{
    QTreeWidgetItem *node = Selected();
    const int level = Level(node);
    if (level != LevelGroup && level != LevelCommand)
        return;
    m_copySource = node;
    m_copyPending = true;
}

void TFormChildTerminalWindow::MenuItemPasteCommandClick()
{
    if (!m_copySource || !m_copyPending)
        return;
    PasteOrDrop(m_copySource, Selected());
}

void TFormChildTerminalWindow::MenuItemExpandallClick()
{
    m_tree->expandAll();
}

void TFormChildTerminalWindow::MenuItemCollapseallClick()
{
    m_tree->collapseAll();
}

void TFormChildTerminalWindow::MenuItemExpandNodeClick()
{
    if (QTreeWidgetItem *node = Selected())
        node->setExpanded(true);
}

void TFormChildTerminalWindow::MenuItemCollapseNodeClick()
{
    if (QTreeWidgetItem *node = Selected())
        node->setExpanded(false);
}

void TFormChildTerminalWindow::PasteOrDrop(QTreeWidgetItem *source, QTreeWidgetItem *target)
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
    ReadFileCopy();
}

void TFormChildTerminalWindow::CopyCommandInto(QTreeWidgetItem *targetGroup, QTreeWidgetItem *command)
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

void TFormChildTerminalWindow::TreeViewMouseDown(QTreeWidgetItem *node)
{
    m_dragSource = node;
}

bool TFormChildTerminalWindow::TreeViewCommandDragOver(QTreeWidgetItem *target) const
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

void TFormChildTerminalWindow::TreeViewCommandDragDrop(QTreeWidgetItem *target)
{
    if (m_dragSource && target)
        PasteOrDrop(m_dragSource, target);
}

void TFormChildTerminalWindow::StartDrag()
{
    auto *drag = new QDrag(m_tree);
    auto *data = new QMimeData;
    data->setData(NodeMimeType, m_dragSource->text(0).toUtf8());
    drag->setMimeData(data);
    drag->setPixmap(DragPicture(Level(m_dragSource)));
    drag->exec(Qt::CopyAction);
}

bool TFormChildTerminalWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (m_fiscalMemo && watched == m_fiscalMemo->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_fiscalMemo->clear();
            return true;
        }
        return QMdiSubWindow::eventFilter(watched, event);
    }
    if (watched != m_tree->viewport())
        return QMdiSubWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_dragStart = mouse->position().toPoint();
            TreeViewMouseDown(m_tree->itemAt(m_dragStart));
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
        const bool fromTree = drag->source() == m_tree && drag->mimeData()->hasFormat(NodeMimeType);
        // Entering is accepted so that every move can decide on its own node.
        if (fromTree && (event->type() == QEvent::DragEnter
                         || TreeViewCommandDragOver(m_tree->itemAt(drag->position().toPoint()))))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->source() == m_tree && drop->mimeData()->hasFormat(NodeMimeType)) {
            QTreeWidgetItem *target = m_tree->itemAt(drop->position().toPoint());
            if (TreeViewCommandDragOver(target)) {
                drop->acceptProposedAction();
                // Copy once the drag has ended: the copy may ask questions.
                m_dropTarget = target;
                QTimer::singleShot(0, this, [this] {
                    QTreeWidgetItem *dropTarget = std::exchange(m_dropTarget, nullptr);
                    TreeViewCommandDragDrop(dropTarget);
                });
            }
        }
        return true;
    }
    default:
        break;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TFormChildTerminalWindow::closeEvent(QCloseEvent *event)
{
    // The close box only minimises: the window lives as long as its file is open.
    event->ignore();
    showMinimized();
}

void TFormChildTerminalWindow::ConnectRunner()
{
    m_runner->SetIdleButtonRule([this] { return IdleButtons(); });
    connect(m_runner, &TCommandRunner::StatusText, this, &TFormChildTerminalWindow::StatusText);
    connect(m_inputPanel, &TCommandInputPanel::StatusText, this, &TFormChildTerminalWindow::StatusText);
    connect(m_runner, &TCommandRunner::SendEnabledChanged, m_buttonSend, &QWidget::setEnabled);
    connect(m_runner, &TCommandRunner::RepeatEnabledChanged, m_buttonRepeat, &QWidget::setEnabled);
    connect(m_runner, &TCommandRunner::TreeEnabledChanged, m_tree, &QWidget::setEnabled);
    connect(m_runner, &TCommandRunner::ErrorMessage, this, [this](const QString &text) {
        m_prompts.Error(this, TPrompts::ErrorCaption, text);
    });
    connect(m_runner, &TCommandRunner::InformationMessage, this, [this](const QString &text) {
        m_prompts.Information(this, QStringLiteral("Information"), text);
    });
    connect(m_runner, &TCommandRunner::FocusField, m_inputPanel, &TCommandInputPanel::FocusField);
    connect(m_runner, &TCommandRunner::AnswerReady, this, &TFormChildTerminalWindow::ShowReceivedAnswer);
    connect(m_runner, &TCommandRunner::FiscalAnswer, this,
            [this](const QByteArray &text) { AppendFiscalAnswer(text); });
}

QWidget *TFormChildTerminalWindow::ScrollBox(int page) const
{
    return m_pages->widget(page);
}

void TFormChildTerminalWindow::FreeCommandControls()
{
    m_inputPanel->Clear();
    m_definition = TCommandDefinition();
}

void TFormChildTerminalWindow::ShowCommand(const QString &section)
{
    FreeCommandControls();
    m_definition = TCommandDefinition::Load(m_fileCopy, section);
    m_pages->setCurrentIndex(0);
    QCoreApplication::processEvents();
    auto *scroll = static_cast<QScrollArea *>(ScrollBox(0));
    m_inputPanel->Build(m_definition, scroll->viewport()->width(), m_inputPanel->logicalDpiX());
    m_commandKey = section;

    const TCommandRunner::TButtonStates buttons = IdleButtons();
    m_buttonSend->setEnabled(buttons.send);
    m_buttonRepeat->setEnabled(buttons.repeat);
    m_noticeBar->SetNotice(TNoticeBar::Command,
                           CommandNotice(m_definition, m_settings.HostPortOpen, m_settings.FiscalPortOpen));
}

TCommandRunner::TButtonStates TFormChildTerminalWindow::IdleButtons() const
{
    // A command read only in part would send the wrong frame.
    return TCommandRunner::IdleButtons(m_definition.IsSendable() ? int(m_definition.fields.size()) : 0,
                                       m_definition.port, m_settings.HostPortOpen, m_settings.FiscalPortOpen);
}

void TFormChildTerminalWindow::FollowRename(const QString &from, const QString &to)
{
    if (m_commandKey == from) {
        m_commandKey = to;
        m_definition.key = to;
    }
    m_runner->RenameSection(from, to);
    m_inputPanel->RenameSection(from, to);
}

bool TFormChildTerminalWindow::TakeCommand()
{
    // A command read only in part would send the wrong frame.
    if (!m_definition.error.isEmpty())
        return false;
    m_runner->SetCommand(m_definition.RunCommand(m_inputPanel->Inputs(), m_settings.InputDateFormat));
    return true;
}

void TFormChildTerminalWindow::ButtonSendClick()
{
    if (TakeCommand())
        m_runner->Send();
}

void TFormChildTerminalWindow::ButtonRepeatClick()
{
    if (!TakeCommand())
        return;
    if (m_definition.port == cpFiscalPort)
        m_runner->Repeat(0);
    else if (!m_runner->RefuseBadInput())
        m_runner->Repeat(TCommandRunner::RepeatCount(m_prompts.InputText(this, TerminalWindowTexts::RepeatPrompt)));
}

void TFormChildTerminalWindow::ButtonCancelClick()
{
    const bool pending = m_runner->CommandPending();
    m_runner->Cancel();
    // A Repeat run says "Abort" itself once its step has stopped.
    if (pending)
        emit StatusText(ExecutionTexts::Abort);
}

void TFormChildTerminalWindow::NotifyHostFinalAnswer(const TReceivedAnswer &answer)
{
    m_runner->HostFinalAnswer(answer);
}

void TFormChildTerminalWindow::NotifyHostError(int lastError)
{
    m_runner->HostError(lastError);
}

void TFormChildTerminalWindow::NotifyAuxAnswer(const QByteArray &text)
{
    m_runner->AuxAnswer(text);
}

void TFormChildTerminalWindow::NotifyAuxFinalAnswer(const QByteArray &text)
{
    m_runner->AuxFinalAnswer(text);
}

void TFormChildTerminalWindow::NotifyAuxError(int lastError)
{
    m_runner->AuxError(lastError);
}

void TFormChildTerminalWindow::NotifyAuxAck()
{
    m_runner->AuxAck();
}

void TFormChildTerminalWindow::PurgePorts()
{
    m_runner->PurgePorts();
}

void TFormChildTerminalWindow::ResetPendingCommand()
{
    m_runner->ResetPendingCommand();
}

void TFormChildTerminalWindow::ShowAnswer(quint16 fiscal, quint16 printer)
{
    TReceivedAnswer answer;
    answer.commandKey = m_runner->SentCommandKey();
    answer.fiscalStatus = fiscal;
    answer.printerStatus = printer;
    ShowReceivedAnswer(answer);
}

void TFormChildTerminalWindow::ShowReceivedAnswer(const TReceivedAnswer &answer)
{
    TAnswerPage::TOptions options;
    options.protocol = m_settings.Protocol;
    options.inputDateFormat = m_settings.InputDateFormat;
    options.outputDateFormat = m_settings.OutputDateFormat;
    options.extReservedFields = m_settings.ExtReservedFields;
    options.today = QDate::currentDate();
    const TAnswerPage page = TAnswerPage::Build(m_fileCopy, m_fiscalTable, m_printerTable, answer, options);
    auto *scroll = static_cast<QScrollArea *>(ScrollBox(1));
    // The pages share one place, but one not in front keeps the size it
    // had when it last was.
    scroll->resize(m_pages->currentWidget()->size());
    m_answerDisplay->Show(page, TAnswerDisplay::ContentWidth(scroll));
    m_pages->setCurrentIndex(1);
    scroll->setFocus(Qt::OtherFocusReason);
    m_noticeBar->SetNotice(TNoticeBar::Answer,
                           page.error.isEmpty() ? QString()
                                               : TerminalWindowTexts::AnswerFieldsUnreadable(answer.commandKey, page.error));
}

void TFormChildTerminalWindow::AppendFiscalAnswer(const QByteArray &text)
{
    m_pages->setCurrentIndex(2);
    m_fiscalMemo->appendPlainText(TTextCodec::DecodeWindows1252(text));
}

void TFormChildTerminalWindow::ClearFiscalPanels()
{
    m_answerDisplay->ClearFiscalPanels();
}

void TFormChildTerminalWindow::ClearPrinterPanels()
{
    m_answerDisplay->ClearPrinterPanels();
}
