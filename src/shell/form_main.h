#pragma once

#include "shell/form_child_log_window.h"
#include "shell/main_ports.h"
#include "shell/port_event_log.h"
#include "terminal_model/settings.h"
#include "terminal_window/form_child_terminal_window.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>

class QLabel;
class QMdiArea;
class TMainActions;
class TFormPlanRun;
class TMainCapture;
class TMainPlans;
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

    TSettings &Settings() { return m_settings; }
    TFormChildTerminalWindow *TerminalWindow() const { return m_terminalWindow; }
    TFormChildLogWindow *LogWindow() const { return m_logWindow; }
    // The two ports, owned for the whole run, with the status panels, the
    // fiscal-port button and Reset serial ports.
    TMainPorts &Ports() { return *m_ports; }
    // Record capture: both ports into a capture file.
    TMainCapture &Capture() { return *m_capture; }
    TFPHostControl *HostControl() const { return &m_ports->Ports().Host(); }
    TFPAuxControl *AuxControl() const { return &m_ports->Ports().Aux(); }
    QMdiArea *MdiArea() const { return m_mdiArea; }
    QString StatusText(int panel) const;
    // Status panel 1: short state texts.
    void SetStatusText(const QString &text);

    void NewFile();
    void OpenFile();
    void SaveFileAs();
    void CloseFile();
    void Exit();
    void EditFixedAnswers();
    void EditReturnCodes();
    void TestFixedAnswers();
    void EditPreferences();
    // Asks for a plan for the terminal file on display and runs it in the
    // plan window; a plan with problems is refused with all of them.
    void RunPlan();
    // The plan window of the last run, while it is open.
    TFormPlanRun *PlanRunWindow() const;
    // The frames of the most recent write and read event of either port.
    QByteArray LastWrittenFrame() const { return m_ports->EventLog().LastWrittenFrame(); }
    QByteArray LastReadFrame() const { return m_ports->EventLog().LastReadFrame(); }
    void ShowAbout();
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
    void ConnectActions();
    void CreateStatusBar();
    void CloseTerminalWindows();
    void ReplaceTerminalFile(const std::function<QString()> &nextFile);
    void ReplaceTerminalFile(const QString &path);
    void UpdateFileActions();
    // Edit fields acts on the command selected in the terminal window's tree.
    void UpdateEditFieldsAction();
    void RegisterFileAssociation(const QString &extension, const QString &typeName);
    void ScheduleArrangeIcons();
    void ShowPortPanels(const QString &hostPort, const QString &fiscalPort);

    TStartOptions m_options;
    TPrompts &m_prompts;
    TSettings m_settings;
    QString m_storedHostPort;
    QString m_storedFiscalPort;
    bool m_storedFiscalEnabled = false;
    bool m_shown = false;
    bool m_destroyed = false;
    bool m_arrangeQueued = false;
    // Where the terminal window was put to fill the area above the icons;
    // while it stays there, it follows the area's size.
    QRect m_terminalFill;

    QMdiArea *m_mdiArea = nullptr;
    QPointer<TFormChildTerminalWindow> m_terminalWindow;
    QPointer<TFormChildLogWindow> m_logWindow;
    TMainPorts *m_ports = nullptr;
    TMainActions *m_actions = nullptr;
    TMainCapture *m_capture = nullptr;
    TMainPlans *m_plans = nullptr;
    QLabel *m_panels[StatusPanelCount] = {};
};
