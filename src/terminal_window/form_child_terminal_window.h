#pragma once

#include "execution/command_definition.h"
#include "execution/command_runner.h"
#include "execution/fixed_answer_table.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/terminal_document.h"

#include <QMdiSubWindow>
#include <QPoint>

#include <memory>

class QAction;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QPlainTextEdit;
class TAnswerDisplay;
class TCommandInputPanel;
class TFPAuxControl;
class TFPHostControl;
class TNoticeBar;
class TPrompts;
struct TSettings;

// The child window in which the user works on one terminal file: the command
// tree on the left, the command pages on the right. Every tree operation is
// written to the file at once; the window keeps no unsaved state.
class TFormChildTerminalWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    enum TLevel { LevelNone = -1, LevelRoot = 0, LevelGroup = 1, LevelCommand = 2 };

    static constexpr int DesignedTreeWidth = 127;
    static constexpr int MaxTreeWidth = 222;
    static constexpr int DragStartDistance = 15;

    // The components belong to the main window and outlive this window; a
    // null component counts as a closed port.
    TFormChildTerminalWindow(TSettings &settings, TPrompts &prompts, const QString &fileName,
                             QWidget *parent = nullptr, TFPHostControl *host = nullptr,
                             TFPAuxControl *aux = nullptr);
    ~TFormChildTerminalWindow() override;

    QString FileName() const;
    // Empty when the file was read; otherwise why it could not be.
    QString LoadError() const;
    // The whole file as read from disk, for the pages that show a command.
    const TExtIniFile &FileCopy() const;
    // Re-reads FileCopy after an editor wrote the file.
    void ReloadTerminalFile();

    QTreeWidget *TreeViewCommand() const;
    QTreeWidgetItem *RootNode() const;
    QTabWidget *PageControl() const;
    QString CommandKey() const;
    int TreeWidth() const;
    static int Level(const QTreeWidgetItem *node);

    // Tree handlers; the tree and its menu call them, tests may too.
    void TreeViewCommandChange();
    void TerminalWindowPopupMenuPopup();
    void MenuItemGroupAddClick();
    void MenuItemGroupModifyClick();
    void MenuItemGroupRemoveClick();
    void MemuItemCommandAddClick();
    void MenuItemCommandModifyClick();
    void MenuItemCommandRemoveClick();
    void MenuItemEditFieldsClick();
    void MenuItemCopyCommandClick();
    void MenuItemPasteCommandClick();
    void MenuItemExpandallClick();
    void MenuItemCollapseallClick();
    void MenuItemExpandNodeClick();
    void MenuItemCollapseNodeClick();
    // Drag and drop: the node under the left button, whether the node under
    // the pointer accepts it, and the drop itself (a copy).
    void TreeViewMouseDown(QTreeWidgetItem *node);
    bool TreeViewCommandDragOver(QTreeWidgetItem *target) const;
    void TreeViewCommandDragDrop(QTreeWidgetItem *target);

    QMenu *TerminalWindowPopupMenu() const;
    bool CopyPending() const;

    // Execution: the buttons call these.
    void ButtonSendClick();
    void ButtonRepeatClick();
    void ButtonCancelClick();
    TCommandRunner &Runner() { return *m_runner; }
    TCommandInputPanel *InputPanel() const { return m_inputPanel; }
    TAnswerDisplay *AnswerDisplay() const { return m_answerDisplay; }
    QPlainTextEdit *FiscalAnswerMemo() const { return m_fiscalMemo; }
    QPushButton *ButtonSend() const { return m_buttonSend; }
    QPushButton *ButtonRepeat() const { return m_buttonRepeat; }
    QPushButton *ButtonCancel() const { return m_buttonCancel; }
    // What the window has to say in full: why Send is disabled, which
    // panels or answer names are missing.
    TNoticeBar *NoticeBar() const { return m_noticeBar; }

    // Notifications the main window forwards, queued, with what each event
    // carried.
    void NotifyHostFinalAnswer(const TReceivedAnswer &answer);
    void NotifyHostError(int lastError);
    void NotifyAuxAnswer(const QByteArray &text);
    void NotifyAuxFinalAnswer(const QByteArray &text);
    void NotifyAuxError(int lastError);
    void NotifyAuxAck();
    // Reset serial ports: the ports are purged, then the pending command is
    // forgotten. Purged here, the end of a command cut short is no error.
    void PurgePorts();
    void ResetPendingCommand();
    // The tester's entry point: decodes the two words with the records as
    // they are in the file now.
    void ShowAnswer(quint16 fiscal, quint16 printer);
    // After the fixed-answer editor: the old panels may name records that
    // are gone.
    void ClearFiscalPanels();
    void ClearPrinterPanels();

signals:
    // Text for status panel 1 of the main window.
    void StatusText(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void BuildPopupMenu();
    void LoadCommandTree();
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, const QString &text);
    QTreeWidgetItem *GroupNode(const QString &group) const;
    QTreeWidgetItem *Selected() const;
    void RemoveNode(QTreeWidgetItem *node);
    void PasteOrDrop(QTreeWidgetItem *source, QTreeWidgetItem *target);
    void CopyCommandInto(QTreeWidgetItem *targetGroup, QTreeWidgetItem *command);
    bool Report(const TTerminalDocument::TResult &result);
    void ReadFileCopy();
    void StartDrag();
    void ConnectRunner();
    // Hands the command on display, with what the user entered, to the
    // runner; false when it cannot be read in full.
    bool TakeCommand();
    // Input controls of the command section, for the page as it is now.
    void FreeCommandControls();
    void ShowCommand(const QString &section);
    // Send and Repeat as the command on display allows them now.
    TCommandRunner::TButtonStates IdleButtons() const;
    // A group or command rename changed the section of the command on
    // display: the page and its answers follow the new name.
    void FollowRename(const QString &from, const QString &to);
    void ShowReceivedAnswer(const TReceivedAnswer &answer);
    void AppendFiscalAnswer(const QByteArray &text);
    QWidget *ScrollBox(int page) const;

    TSettings &m_settings;
    TPrompts &m_prompts;
    // Stand in, never opened, for a component the window was not given.
    std::unique_ptr<TFPHostControl> m_closedHost;
    std::unique_ptr<TFPAuxControl> m_closedAux;
    TFPHostControl *m_host = nullptr;
    TFPAuxControl *m_aux = nullptr;
    TCommandRunner *m_runner = nullptr;
    TCommandInputPanel *m_inputPanel = nullptr;
    TAnswerDisplay *m_answerDisplay = nullptr;
    QPlainTextEdit *m_fiscalMemo = nullptr;
    TNoticeBar *m_noticeBar = nullptr;
    TCommandDefinition m_definition;
    TFixedAnswerTable m_fiscalTable;
    TFixedAnswerTable m_printerTable;
    QString m_fileName;
    QString m_loadError;
    TTerminalDocument m_document;
    TExtIniFile m_fileCopy;
    QString m_commandKey;

    QSplitter *m_splitter = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTreeWidgetItem *m_rootNode = nullptr;
    QTabWidget *m_pages = nullptr;
    QPushButton *m_buttonSend = nullptr;
    QPushButton *m_buttonRepeat = nullptr;
    QPushButton *m_buttonCancel = nullptr;
    QTimer *m_changeTimer = nullptr;
    int m_treeWidth = DesignedTreeWidth;

    QMenu *m_popup = nullptr;
    QAction *m_menuGroup = nullptr;
    QAction *m_groupAdd = nullptr;
    QAction *m_groupRename = nullptr;
    QAction *m_groupRemove = nullptr;
    QAction *m_menuCommand = nullptr;
    QAction *m_commandAdd = nullptr;
    QAction *m_commandRename = nullptr;
    QAction *m_commandRemove = nullptr;
    QAction *m_editFields = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;

    QTreeWidgetItem *m_copySource = nullptr;
    bool m_copyPending = false;
    QTreeWidgetItem *m_dragSource = nullptr;
    QTreeWidgetItem *m_dropTarget = nullptr;
    QPoint m_dragStart;
};
