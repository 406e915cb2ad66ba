#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QKeySequence;
class QMainWindow;
class QMdiArea;
class QMenu;
class QString;
class QWidget;

// The main window's actions with their menus, toolbar and the MDI area's
// popup menu. The window connects what each action does; the window
// arrangements and the clipboard actions, which need nothing of the
// window's own, are done here.
class TMainActions : public QObject
{
    Q_OBJECT

public:
    TMainActions(QMainWindow *window, QMdiArea *area);

    // Shows the fiscal-port button pressed (port not in use) or released.
    void ShowFiscalButton(bool inUse);
    // Record capture..., or checked as Stop capture while recording.
    void ShowCapture(bool recording);
    void UpdateWindowActions();
    // Copy, Cut and Paste follow the text field that has the focus.
    void UpdateEditActions();

    QAction *NewFileAction() const { return m_newFile; }
    QAction *OpenAction() const { return m_open; }
    QAction *CloseAction() const { return m_close; }
    QAction *SaveAsAction() const { return m_saveAs; }
    QAction *RunPlanAction() const { return m_runPlan; }
    QAction *ExitAction() const { return m_exit; }
    QAction *CascadeAction() const { return m_cascade; }
    QAction *TileHorizontallyAction() const { return m_tileHorizontally; }
    QAction *TileVerticallyAction() const { return m_tileVertically; }
    QAction *MinimizeAllAction() const { return m_minimizeAll; }
    QAction *ArrangeAction() const { return m_arrange; }
    QAction *EditFixedAnswersAction() const { return m_editFixedAnswers; }
    QAction *TestFixedAnswersAction() const { return m_testFixedAnswers; }
    QAction *EditReturnCodesAction() const { return m_editReturnCodes; }
    QAction *EditFieldsAction() const { return m_editFields; }
    QAction *CopyAction() const { return m_copy; }
    QAction *CutAction() const { return m_cut; }
    QAction *PasteAction() const { return m_paste; }
    QAction *ResetPortsAction() const { return m_resetPorts; }
    QAction *RecordCaptureAction() const { return m_recordCapture; }
    QAction *PreferencesAction() const { return m_preferences; }
    // Pressed means the fiscal port is not in use.
    QAction *FiscalPortAction() const { return m_fiscalPort; }
    QAction *AboutAction() const { return m_about; }

private:
    QAction *NewAction(const QString &name, const QString &caption, const QString &hint,
                       const QKeySequence &key);
    QAction *NewAction(const QString &name, const QString &caption, const QString &hint);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void FillWindowMenu();
    void Tile(bool horizontally);
    void TrackFocus(QWidget *focus);
    void DoOnText(const char *slot);

    QAction *m_newFile = nullptr;
    QAction *m_open = nullptr;
    QAction *m_close = nullptr;
    QAction *m_saveAs = nullptr;
    QAction *m_runPlan = nullptr;
    QAction *m_exit = nullptr;
    QAction *m_cascade = nullptr;
    QAction *m_tileHorizontally = nullptr;
    QAction *m_tileVertically = nullptr;
    QAction *m_minimizeAll = nullptr;
    QAction *m_arrange = nullptr;
    QAction *m_editFixedAnswers = nullptr;
    QAction *m_testFixedAnswers = nullptr;
    QAction *m_editReturnCodes = nullptr;
    QAction *m_editFields = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_cut = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_resetPorts = nullptr;
    QAction *m_recordCapture = nullptr;
    QAction *m_preferences = nullptr;
    QAction *m_fiscalPort = nullptr;
    QAction *m_about = nullptr;
    QMainWindow *m_window;
    QMdiArea *m_area;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_contextMenu = nullptr;
    QPointer<QWidget> m_trackedFocus;
};
