#include "shell/form_main.h"

#include "editors/apply_preferences.h"
#include "editors/form_edit_fix_answer.h"
#include "editors/form_edit_return_code.h"
#include "editors/form_preferences.h"
#include "editors/form_test_fixed_answer.h"
#include "execution/execution_texts.h"
#include "execution/port_settings.h"
#include "shell/file_association.h"
#include "shell/form_about_box.h"
#include "shell/form_child_log_window.h"
#include "shell/main_actions.h"
#include "shell/main_capture.h"
#include "shell/main_plans.h"
#include "shell/main_ports.h"
#include "shell/mdi_layout.h"
#include "shell/port_event_log.h"
#include "shell/terminal_files.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/action_icons.h"
#include "widgets/prompts.h"
#include "widgets/status_panel_accessible.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QTreeWidget>

namespace {

const char *const ErrorCaption = QT_TRANSLATE_NOOP("TFormMain", "Error");
const char *const FileFilter = QT_TRANSLATE_NOOP("TFormMain", "Tessaly Terminal Files ( *.tsy)");
const int PanelWidths[TFormMain::StatusPanelCount] = {300, 70, 150, 100};
} // namespace

TFormMain::TFormMain(const TStartOptions &options, TPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_options(options), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(tr("Tessaly Terminal"));
    setWindowIcon(TActionIcons::ApplicationIcon());

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setBackground(TActionIcons::Background());
    setCentralWidget(m_mdiArea);

    m_actions = new TMainActions(this, m_mdiArea);
    m_ports = new TMainPorts(m_settings, m_prompts, *m_actions, this);
    m_capture = new TMainCapture(m_ports->Ports(), m_prompts, *m_actions, this);
    m_plans = new TMainPlans(m_prompts, m_settings, this);
    connect(m_plans, &TMainPlans::RunningChanged, this, &TFormMain::UpdateFileActions);
    ConnectActions();
    CreateStatusBar();
    FormCreate();
}

TFormMain::~TFormMain()
{
    FormDestroy();
    // The children about to go may still move the focus or emit; nothing of
    // this window may answer then.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    delete m_plans;
    delete m_capture;
    delete m_ports;
    delete m_actions;
}

void TFormMain::FormCreate()
{
    LoadSettings(m_settings, m_options.SettingsName);
    m_storedHostPort = m_settings.HPort;
    m_storedFiscalPort = m_settings.DPort;
    if (!m_options.HostPort.isEmpty())
        m_settings.HPort = m_options.HostPort;
    m_storedFiscalEnabled = m_settings.DGIEnabled;
    // A fiscal port named for this run is meant to be used in it.
    if (!m_options.FiscalPort.isEmpty()) {
        m_settings.DPort = m_options.FiscalPort;
        m_settings.DGIEnabled = true;
    }

    RegisterFileAssociation(QLatin1String(TerminalFiles::Extension),
                            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());

    m_settings.OutputDateFormat = 0;
    m_settings.InputDateFormat = 0;
    m_settings.Protocol = 0;
    m_actions->EditReturnCodesAction()->setEnabled(false);

    m_ports->OpenAtStart();

    if (!m_options.Arguments.isEmpty()) {
        const QString file = TerminalFiles::FileFromArgument(m_options.Arguments.constFirst(),
                                                             QDir::currentPath());
        if (!file.isEmpty())
            m_settings.File = file;
    }

    setAcceptDrops(true);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        m_actions->UpdateWindowActions();
        ScheduleArrangeIcons();
    });
    UpdateFileActions();
}

void TFormMain::FormShow()
{
    if (!m_settings.File.isEmpty()) {
        if (QFileInfo(m_settings.File).isFile())
            OpenTerminalWindows();
        else
            m_panels[0]->setText(tr("Last terminal file not found: %1")
                                     .arg(QDir::toNativeSeparators(m_settings.File)));
    }
    ScheduleArrangeIcons();
}

void TFormMain::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    // The terminal window stores its tree width into the settings as it goes.
    CloseTerminalWindows();
    TSettings stored = m_settings;
    // Device names given for this run are not remembered.
    if (!m_options.HostPort.isEmpty() && stored.HPort == m_options.HostPort)
        stored.HPort = m_storedHostPort;
    if (!m_options.FiscalPort.isEmpty() && stored.DPort == m_options.FiscalPort)
        stored.DPort = m_storedFiscalPort;
    if (!m_options.FiscalPort.isEmpty() && stored.DGIEnabled)
        stored.DGIEnabled = m_storedFiscalEnabled;
    SaveSettings(stored, m_options.SettingsName);
    if (!m_settings.File.isEmpty())
        WriteGeneralSection();
}

void TFormMain::ConnectActions()
{
    connect(m_actions->NewFileAction(), &QAction::triggered, this, &TFormMain::NewFile);
    connect(m_actions->OpenAction(), &QAction::triggered, this, &TFormMain::OpenFile);
    connect(m_actions->CloseAction(), &QAction::triggered, this, &TFormMain::CloseFile);
    connect(m_actions->SaveAsAction(), &QAction::triggered, this, &TFormMain::SaveFileAs);
    connect(m_actions->RunPlanAction(), &QAction::triggered, this, &TFormMain::RunPlan);
    connect(m_actions->ExitAction(), &QAction::triggered, this, &TFormMain::Exit);
    connect(m_actions->MinimizeAllAction(), &QAction::triggered, this, &TFormMain::ArrangeIcons);
    connect(m_actions->ArrangeAction(), &QAction::triggered, this, &TFormMain::ArrangeIcons);
    connect(m_actions->EditFixedAnswersAction(), &QAction::triggered, this, &TFormMain::EditFixedAnswers);
    connect(m_actions->TestFixedAnswersAction(), &QAction::triggered, this, &TFormMain::TestFixedAnswers);
    connect(m_actions->EditReturnCodesAction(), &QAction::triggered, this, &TFormMain::EditReturnCodes);
    connect(m_actions->EditFieldsAction(), &QAction::triggered, this, [this] {
        if (m_terminalWindow)
            m_terminalWindow->CommandTree()->EditFields();
    });
    connect(m_actions->ResetPortsAction(), &QAction::triggered, m_ports, &TMainPorts::ResetPorts);
    connect(m_actions->PreferencesAction(), &QAction::triggered, this, &TFormMain::EditPreferences);
    connect(m_actions->FiscalPortAction(), &QAction::triggered, m_ports, &TMainPorts::ToggleFiscalPort);
    connect(m_ports, &TMainPorts::StatusText, this, &TFormMain::SetStatusText);
    connect(m_ports, &TMainPorts::PanelTexts, this, &TFormMain::ShowPortPanels);
    connect(m_actions->AboutAction(), &QAction::triggered, this, &TFormMain::ShowAbout);
}

void TFormMain::CreateStatusBar()
{
    // What each panel is for, read by a screen reader before its text.
    const QString meanings[StatusPanelCount] = {tr("Messages"), tr("State"), tr("Host port"), tr("Fiscal port")};
    for (int i = 0; i < StatusPanelCount; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        TStatusPanelAccessible::Describe(m_panels[i], meanings[i]);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The state texts take the room the other panels leave, so a longer
        // one ("Fiscal port closed", "125/999") is read in full.
        if (i == 1)
            m_panels[i]->setMinimumWidth(PanelWidths[i]);
        else
            m_panels[i]->setFixedWidth(PanelWidths[i]);
        statusBar()->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    m_panels[1]->setText(ExecutionTexts::Shown(ExecutionTexts::Ready));
}

bool TFormMain::event(QEvent *event)
{
    // The long part of a hint goes to panel 0 instead of replacing the panels.
    if (event->type() == QEvent::StatusTip) {
        m_panels[0]->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

QString TFormMain::StatusText(int panel) const
{
    return panel >= 0 && panel < StatusPanelCount ? m_panels[panel]->text() : QString();
}

void TFormMain::SetStatusText(const QString &text)
{
    // Runner and preference state texts arrive as English constants.
    m_panels[1]->setText(ExecutionTexts::Shown(text));
}

void TFormMain::RegisterFileAssociation(const QString &extension, const QString &typeName)
{
    const QString dataDir = m_options.AssociationDataDir.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        : m_options.AssociationDataDir;
    TFileAssociation association(extension, typeName, QCoreApplication::applicationFilePath(), dataDir);
    if (!association.Register())
        m_panels[0]->setText(association.LastError());
    else if (association.Changed() && m_options.NotifyDesktop)
        association.NotifyDesktop();
}

bool TFormMain::OpenTerminalWindows()
{
    auto *window = new TFormChildTerminalWindow(m_settings, m_prompts, m_settings.File, nullptr,
                                               HostControl(), AuxControl());
    if (!window->LoadError().isEmpty()) {
        m_prompts.Error(this, tr(ErrorCaption), window->LoadError());
        delete window;
        // No file open, and none to reopen at the next start.
        m_settings.File.clear();
        UpdateFileActions();
        return false;
    }
    m_terminalWindow = window;
    m_mdiArea->addSubWindow(window);
    connect(window, &QMdiSubWindow::windowStateChanged, this, &TFormMain::ScheduleArrangeIcons);
    connect(window, &TFormChildTerminalWindow::StatusText, this, &TFormMain::SetStatusText);
    connect(window->CommandTree(), &QTreeWidget::itemSelectionChanged, this, &TFormMain::UpdateEditFieldsAction);

    auto *log = new TFormChildLogWindow(m_settings, m_prompts);
    m_logWindow = log;
    m_ports->AttachFile(&window->CommandPage()->Runner(), log);
    m_mdiArea->addSubWindow(log);
    connect(log, &QMdiSubWindow::windowStateChanged, this, &TFormMain::ScheduleArrangeIcons);
    const QPoint centre = m_mdiArea->viewport()->rect().center();
    log->move(centre.x() - log->width() / 2, centre.y() - log->height() / 2);
    log->showMinimized();
    if (!log->LogFileError().isEmpty())
        m_panels[0]->setText(log->LogFileError());
    connect(log, &TFormChildLogWindow::LogFileFailed, m_panels[0], &QLabel::setText);

    ReadGeneralSection();
    HostControl()->SetProtocolType(m_ports->PortSettings().protocol);
    UpdateFileActions();
    // Not maximised: the log window's icon stays in sight below it.
    m_terminalFill = QRect();
    window->showNormal();
    ArrangeIcons();
    m_mdiArea->setActiveSubWindow(window);
    m_actions->UpdateWindowActions();
    return true;
}

void TFormMain::CloseTerminalWindows()
{
    delete m_terminalWindow.data();
    m_terminalWindow.clear();
    delete m_logWindow.data();
    m_logWindow.clear();
    m_actions->UpdateWindowActions();
}

// Every way another file takes the open one's place (New, Open, Save As, a
// drop) comes through here, so one rule holds: the per-file values changed
// for the open file are written back to it before anything else happens.
// nextFile then makes the new file ready and names it; an empty name leaves
// the open file open.
void TFormMain::ReplaceTerminalFile(const std::function<QString()> &nextFile)
{
    if (m_terminalWindow)
        WriteGeneralSection();
    const QString path = nextFile();
    if (path.isEmpty())
        return;
    CloseTerminalWindows();
    m_settings.File = path;
    OpenTerminalWindows();
}

void TFormMain::ReplaceTerminalFile(const QString &path)
{
    ReplaceTerminalFile([&path] { return path; });
}

void TFormMain::UpdateFileActions()
{
    const bool open = !m_terminalWindow.isNull();
    m_actions->SaveAsAction()->setEnabled(open);
    m_actions->CloseAction()->setEnabled(open);
    m_actions->EditFixedAnswersAction()->setEnabled(open);
    m_actions->TestFixedAnswersAction()->setEnabled(open);
    m_actions->RunPlanAction()->setEnabled(open && !m_plans->IsRunning());
    m_actions->EditReturnCodesAction()->setEnabled(open && m_settings.Protocol == 1);
    UpdateEditFieldsAction();
}

void TFormMain::UpdateEditFieldsAction()
{
    const QTreeWidget *tree = m_terminalWindow ? m_terminalWindow->CommandTree() : nullptr;
    const QList<QTreeWidgetItem *> selection = tree ? tree->selectedItems() : QList<QTreeWidgetItem *>();
    m_actions->EditFieldsAction()->setEnabled(!selection.isEmpty()
                                   && TCommandTree::Level(selection.constFirst()) == TCommandTree::LevelCommand);
}

void TFormMain::ReadGeneralSection()
{
    QString error;
    if (!TerminalFiles::ReadGeneralSection(m_settings, m_settings.File, &error))
        m_panels[0]->setText(error);
}

void TFormMain::WriteGeneralSection()
{
    QString error;
    if (!TerminalFiles::WriteGeneralSection(m_settings, m_settings.File, &error))
        m_prompts.Error(this, tr(ErrorCaption), error);
}

void TFormMain::NewFile()
{
    // The open file may be the default.tsy about to be replaced: its values
    // are written before the template, never into it.
    ReplaceTerminalFile([this] {
        const QString appDir = m_options.ApplicationDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                                                   : m_options.ApplicationDir;
        const QString dataDir = m_options.UserDataDir.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            : m_options.UserDataDir;
        const QByteArray content = TerminalFiles::NewFileTemplate();
        QString error;
        const auto mayReplace = [this](const QString &existing) {
            return m_prompts.Confirm(this, TPrompts::WarningCaption,
                                     TerminalFiles::ReplaceWithNewQuestion(existing));
        };
        const QString path = content.isEmpty()
            ? QString()
            : TerminalFiles::CreateNewFile({appDir, dataDir}, content, &error, mayReplace);
        // Declined: the existing file and the open one stay as they are.
        if (path.isEmpty() && (content.isEmpty() || !error.isEmpty()))
            m_prompts.Error(this, tr(ErrorCaption),
                            content.isEmpty() ? tr("The new-file template is missing") : error);
        return path;
    });
}

void TFormMain::OpenFile()
{
    const QString chosen = m_prompts.OpenFileName(this, tr("Open dialog"), QDir::currentPath(), tr(FileFilter));
    if (chosen.isEmpty())
        return;
    if (!QFileInfo(chosen).isFile()) {
        m_prompts.Error(this, tr(ErrorCaption),
                        tr("File not found: %1").arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    // The open file gives way only to one that can be read.
    QString error;
    if (!TerminalFiles::IsReadable(chosen, &error)) {
        m_prompts.Error(this, tr(ErrorCaption), error);
        return;
    }
    ReplaceTerminalFile(QDir::cleanPath(QFileInfo(chosen).absoluteFilePath()));
}

void TFormMain::SaveFileAs()
{
    // The copy carries the values written back just before it.
    ReplaceTerminalFile([this] {
        const QString chosen = TerminalFiles::WithDefaultExtension(
            m_prompts.SaveFileName(this, tr("Save as "), QDir::currentPath(), tr(FileFilter),
                                   QLatin1String(TerminalFiles::Extension)));
        if (chosen.isEmpty())
            return QString();
        const QString target = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
        // The copy replaces the target: asked here, once the default extension is added.
        if (QFileInfo::exists(target) && QFileInfo(target) != QFileInfo(m_settings.File)
            && !m_prompts.Confirm(this, TPrompts::WarningCaption, TerminalFiles::ReplaceQuestion(target)))
            return QString();
        QString error;
        if (!TerminalFiles::CopyTerminalFile(m_settings.File, target, &error)) {
            m_prompts.Error(this, tr(ErrorCaption), error);
            return QString();
        }
        return target;
    });
}

void TFormMain::CloseFile()
{
    CloseTerminalWindows();
    if (!m_settings.File.isEmpty())
        WriteGeneralSection();
    UpdateFileActions();
    ArrangeIcons();
}

void TFormMain::Exit()
{
    close();
}

void TFormMain::EditFixedAnswers()
{
    if (!m_terminalWindow)
        return;
    TFormEditFixAnswer editor(m_settings.File, m_prompts, this);
    m_prompts.Exec(&editor);
    if (m_terminalWindow) {
        m_terminalWindow->ClearFiscalPanels();
        m_terminalWindow->ClearPrinterPanels();
        m_terminalWindow->ReloadTerminalFile();
    }
}

void TFormMain::TestFixedAnswers()
{
    if (!m_terminalWindow)
        return;
    TFormTestFixedAnswer tester(this);
    if (m_prompts.Exec(&tester) != QDialog::Accepted || !m_terminalWindow)
        return;
    m_terminalWindow->showMaximized();
    m_terminalWindow->ShowAnswer(tester.FiscalStatus(), tester.PrinterStatus());
}

void TFormMain::RunPlan()
{
    m_plans->Run(m_terminalWindow);
}

TFormPlanRun *TFormMain::PlanRunWindow() const
{
    return m_plans->Window();
}

void TFormMain::EditPreferences()
{
    TFormPreferences dialog(m_settings, m_prompts, [] { return TSerialDevices::Available(); }, this);
    const bool accepted = m_prompts.Exec(&dialog) == QDialog::Accepted;
    TApplyPreferences::TTargets targets;
    TPorts &ports = m_ports->Ports();
    targets.HostPortClosed = [&ports] { return !ports.IsOpen(cpHostPort); };
    targets.CloseHostPort = [&ports] { ports.Close(cpHostPort); };
    targets.OpenHostPort = [this, &ports] { return ports.Open(cpHostPort, m_ports->PortSettings()); };
    targets.SetProtocol = [&ports](int protocol) { ports.Host().SetProtocolType(TProtocolType(protocol)); };
    targets.TerminalFileOpen = [this] { return !m_terminalWindow.isNull(); };
    targets.EnableEditReturnCodes = [this](bool on) { m_actions->EditReturnCodesAction()->setEnabled(on); };
    targets.ReopenFiscalPort = [this] { m_actions->ShowFiscalButton(m_ports->OpenFiscalPort()); };
    targets.NotifyLogWindow = [this] { m_ports->EventLog().SettingsChanged(); };
    targets.SetStatusText = [this](const QString &text) { SetStatusText(text); };
    targets.UpdatePortPanels = [this] { m_ports->UpdatePanels(); };
    TApplyPreferences::Run(accepted, m_settings, m_prompts, this, targets);
}

void TFormMain::ShowPortPanels(const QString &hostPort, const QString &fiscalPort)
{
    const auto show = [this](int panel, const QString &text) {
        m_panels[panel]->setText(text);
        // A long device name widens its panel rather than being cut off.
        const int needed = m_panels[panel]->fontMetrics().horizontalAdvance(text) + 12;
        m_panels[panel]->setFixedWidth(qMax(PanelWidths[panel], needed));
    };
    show(2, hostPort);
    show(3, fiscalPort);
}

void TFormMain::EditReturnCodes()
{
    if (!m_terminalWindow)
        return;
    TFormEditReturnCode editor(m_settings.File, m_prompts, this);
    m_prompts.Exec(&editor);
    if (m_terminalWindow)
        m_terminalWindow->ReloadTerminalFile();
}

void TFormMain::ShowAbout()
{
    TFormAboutBox about(this);
    m_prompts.Exec(&about);
}

void TFormMain::DropFiles(const QStringList &paths)
{
    const QString file = TerminalFiles::FileFromDrop(paths);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    // The open file gives way only to one that can be read.
    QString error;
    if (!TerminalFiles::IsReadable(file, &error)) {
        m_prompts.Error(this, tr(ErrorCaption), error);
        return;
    }
    ReplaceTerminalFile(file);
}

void TFormMain::ScheduleArrangeIcons()
{
    if (m_arrangeQueued)
        return;
    m_arrangeQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_arrangeQueued = false;
        for (QMdiSubWindow *window : m_mdiArea->subWindowList())
            if (window->isMaximized())
                return;
        ArrangeIcons();
    });
}

void TFormMain::ArrangeIcons()
{
    QList<QMdiSubWindow *> icons;
    QList<QSize> sizes;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (window->isMinimized()) {
            icons.append(window);
            sizes.append(window->size());
        }
    }
    const QSize area = m_mdiArea->viewport()->size();
    const QList<QPoint> positions = MdiLayout::IconPositions(area, sizes);
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(positions[i]);
    // A terminal window the user has not moved or resized fills the area
    // above the icons.
    QMdiSubWindow *terminal = m_terminalWindow;
    if (terminal && !terminal->isMinimized() && !terminal->isMaximized()
        && (m_terminalFill.isNull() || terminal->geometry() == m_terminalFill)) {
        terminal->setGeometry(MdiLayout::AboveIcons(area, sizes));
        m_terminalFill = terminal->geometry();
    }
}

void TFormMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    FormDestroy();
    event->accept();
}

void TFormMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    ScheduleArrangeIcons();
}

void TFormMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    event->acceptProposedAction();
    DropFiles(paths);
}
