#pragma once

#include "terminal_model/settings.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class TFPAuxControl;
class TFPHostControl;
class TFormChildLogWindow;
class TFormChildTerminalWindow;
class TPrompts;

// The application's main window: an MDI frame holding the settings and at
// most one open terminal file, shown by its terminal window.
class TFormMain : public QMainWindow
{
    Q_OBJECT

public:
    struct TStartOptions
    {
        QStringList Arguments;                        // positional arguments
        QString SettingsName = DefaultSettingsName(); // settings store name
        QString ApplicationDir;                       // empty: the executable's folder
        QString UserDataDir;                          // empty: the user's application data folder
        QString AssociationDataDir;                   // empty: the desktop's user data folder
        bool NotifyDesktop = true;                    // refresh the desktop's caches after registering
        QString HostPort;                             // device names for this run only
        QString FiscalPort;
    };

    static constexpr int StatusPanelCount = 4;

    TFormMain(const TStartOptions &options, TPrompts &prompts, QWidget *parent = nullptr);
    ~TFormMain() override;

    TSettings &Settings();
    TFormChildTerminalWindow *TerminalWindow() const;
    TFormChildLogWindow *LogWindow() const;
    // The two port components, owned for the whole run.
    TFPHostControl *HostControl() const { return m_host; }
    TFPAuxControl *AuxControl() const { return m_aux; }
    QMdiArea *MdiArea() const;
    QString StatusText(int panel) const;
    // Status panel 1: short state texts.
    void SetStatusText(const QString &text);

    void ActionFileNew();
    void ActionFileOpen();
    void ActionFileSaveAs();
    void ActionFileClose();
    void ActionFileExit();
    void ActionEditFixAnswerExecute();
    void ActionEditRCExecute();
    void ActionTestFixAnswerExecute();
    void MenuItemGeneralClick();
    // Serial ports.
    void UpdatePortPanels();
    bool OpenFiscalPort();
    void CloseFiscalPort();
    void ToolButtonFiscalClick();
    void MenuItemResetserialportsClick();
    // The frames of the most recent write and read event of either port.
    QByteArray LastWrittenFrame() const { return m_lastWrittenFrame; }
    QByteArray LastReadFrame() const { return m_lastReadFrame; }
    void MenuItemHelpAboutClick();
    // Files dropped on the window (the first one counts).
    void DropFiles(const QStringList &paths);
    // Creates the terminal window for Settings().File; false when the file
    // could not be read (reported, nothing opened).
    bool OpenTerminalWindows();
    void ReadGeneralSection();
    void WriteGeneralSection();
    void ArrangeIcons();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction *NewAction(const QString &name, const QString &caption, const QString &hint,
                       const QKeySequence &key = QKeySequence());
    void CloseTerminalWindows();
    void ReplaceTerminalFile(const std::function<QString()> &nextFile);
    void ReplaceTerminalFile(const QString &path);
    void UpdateFileActions();
    // Edit fields acts on the command selected in the terminal window's tree.
    void UpdateEditFieldsAction();
    void UpdateWindowActions();
    void UpdateEditActions();
    void TrackFocus(QWidget *focus);
    void FillWindowMenu();
    void RegisterFileAssociation(const QString &extension, const QString &typeName);
    void ScheduleArrangeIcons();
    void OpenPorts();
    bool OpenHostPort();
    void ShowFiscalButton(bool inUse);
    void ConnectHostControl();
    void ConnectAuxControl();
    template <typename Call>
    void PostToLog(Call call);
    template <typename Call>
    void PostToTerminal(Call call);

    TStartOptions m_options;
    TPrompts &m_prompts;
    TSettings m_settings;
    QString m_storedHPort;
    QString m_storedDPort;
    bool m_storedDGIEnabled = false;
    bool m_shown = false;
    bool m_destroyed = false;
    bool m_arrangeQueued = false;
    // Where the terminal window was put to fill the area above the icons;
    // while it stays there, it follows the area's size.
    QRect m_terminalFill;

    QMdiArea *m_mdiArea = nullptr;
    QPointer<TFormChildTerminalWindow> m_terminalWindow;
    QPointer<TFormChildLogWindow> m_logWindow;
    TFPHostControl *m_host = nullptr;
    TFPAuxControl *m_aux = nullptr;
    QByteArray m_lastWrittenFrame;
    QByteArray m_lastReadFrame;
    QLabel *m_panels[StatusPanelCount] = {};
    QMenu *m_windowMenu = nullptr;
    QMenu *m_contextMenu = nullptr;
    QPointer<QWidget> m_trackedFocus;

    QAction *m_actionNew = nullptr;
    QAction *m_actionOpen = nullptr;
    QAction *m_actionClose = nullptr;
    QAction *m_actionSaveAs = nullptr;
    QAction *m_actionExit = nullptr;
    QAction *m_actionCascade = nullptr;
    QAction *m_actionTileHorizontal = nullptr;
    QAction *m_actionTileVertical = nullptr;
    QAction *m_actionMinimizeAll = nullptr;
    QAction *m_actionArrange = nullptr;
    QAction *m_actionEditFixAnswer = nullptr;
    QAction *m_actionTestFixAnswer = nullptr;
    QAction *m_actionEditRC = nullptr;
    QAction *m_actionEditFields = nullptr;
    QAction *m_actionCopy = nullptr;
    QAction *m_actionCut = nullptr;
    QAction *m_actionPaste = nullptr;
    QAction *m_actionResetPorts = nullptr;
    QAction *m_actionPreferences = nullptr;
    QAction *m_actionFiscal = nullptr;
    QAction *m_actionAbout = nullptr;
};
