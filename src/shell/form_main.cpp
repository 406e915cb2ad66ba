#include "shell/form_main.h"

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "editors/apply_preferences.h"
#include "editors/form_edit_fix_answer.h"
#include "editors/form_edit_return_code.h"
#include "editors/form_preferences.h"
#include "editors/form_test_fixed_answer.h"
#include "execution/comm_log_formatter.h"
#include "execution/command_runner.h"
#include "shell/file_association.h"
#include "shell/form_about_box.h"
#include "shell/form_child_log_window.h"
#include "shell/mdi_layout.h"
#include "shell/terminal_files.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/action_icons.h"
#include "widgets/hint_text.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString ErrorCaption = QStringLiteral("Error");
const QString FileFilter = QStringLiteral("Tessaly Terminal Files ( *.tsy)");
const int PanelWidths[TFormMain::StatusPanelCount] = {300, 70, 150, 100};
const QString Ready = QStringLiteral("Ready");
const QString Error = QStringLiteral("Error");
const QString HostPortError = QStringLiteral("Error when trying to open the Host port");
const QString FiscalPortError = QStringLiteral("Error when trying to open the Fiscal port");
const QString EnableFiscalHint = QStringLiteral("Enable Fiscal port");
const QString DisableFiscalHint = QStringLiteral("Disable Fiscal port");

// " 9600,N,8,1" for the baud index 3; nothing for an index out of 0..5.
QString LineSuffix(int baudIndex)
{
    static const char *const rates[] = {" 1200", " 2400", " 4800", " 9600", " 19200", " 38400"};
    if (baudIndex < 0 || baudIndex > 5)
        return QString();
    return QString::fromLatin1(rates[baudIndex]) + QStringLiteral(",N,8,1");
}

// A device given by name is shown by that name instead of the COM number.
QString PortText(int commIndex, const QString &device)
{
    return device.isEmpty() ? QStringLiteral("COM%1").arg(commIndex + 1) : device;
}

// The text field that Copy, Cut and Paste act on, if the focus is in one.
QWidget *TextTarget(QWidget *focus)
{
    if (auto *combo = qobject_cast<QComboBox *>(focus))
        return combo->lineEdit();
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus)
        || qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    return nullptr;
}

bool HasSelection(QWidget *target)
{
    if (auto *line = qobject_cast<QLineEdit *>(target))
        return line->hasSelectedText();
    if (auto *text = qobject_cast<QTextEdit *>(target))
        return text->textCursor().hasSelection();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(target))
        return plain->textCursor().hasSelection();
    return false;
}

bool IsReadOnly(QWidget *target)
{
    if (auto *line = qobject_cast<QLineEdit *>(target))
        return line->isReadOnly();
    if (auto *text = qobject_cast<QTextEdit *>(target))
        return text->isReadOnly();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(target))
        return plain->isReadOnly();
    return true;
}

} // namespace

TFormMain::TFormMain(const TStartOptions &options, TPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_options(options), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Tessaly Terminal"));
    setWindowIcon(TActionIcons::ApplicationIcon());

    m_host = new TFPHostControl(this);
    m_host->setObjectName(QStringLiteral("QuveroFPHostControl1"));
    m_aux = new TFPAuxControl(this);
    m_aux->setObjectName(QStringLiteral("FPAuxControl1"));
    ConnectHostControl();
    ConnectAuxControl();

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setBackground(TActionIcons::Background());
    m_mdiArea->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(m_mdiArea);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    FormCreate();
}

TFormMain::~TFormMain()
{
    FormDestroy();
    // The children about to go may still move the focus or emit; nothing of
    // this window may answer then.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_mdiArea, nullptr, this, nullptr);
    if (m_trackedFocus)
        disconnect(m_trackedFocus, nullptr, this, nullptr);
    // The components close their ports as they go; nothing is routed then.
    disconnect(m_host, nullptr, this, nullptr);
    disconnect(m_aux, nullptr, this, nullptr);
    delete m_aux;
    delete m_host;
}

void TFormMain::FormCreate()
{
    LoadSettings(m_settings, m_options.SettingsName);
    m_storedHPort = m_settings.HPort;
    m_storedDPort = m_settings.DPort;
    if (!m_options.HostPort.isEmpty())
        m_settings.HPort = m_options.HostPort;
    m_storedDGIEnabled = m_settings.DGIEnabled;
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
    m_actionEditRC->setEnabled(false);

    OpenPorts();

    if (!m_options.Arguments.isEmpty()) {
        const QString file = TerminalFiles::FileFromArgument(m_options.Arguments.constFirst(),
                                                             QDir::currentPath());
        if (!file.isEmpty())
            m_settings.File = file;
    }

    setAcceptDrops(true);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        UpdateWindowActions();
        ScheduleArrangeIcons();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { TrackFocus(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TFormMain::UpdateEditActions);
    UpdateFileActions();
    UpdateWindowActions();
    UpdateEditActions();
}

void TFormMain::FormShow()
{
    if (!m_settings.File.isEmpty()) {
        if (QFileInfo(m_settings.File).isFile())
            OpenTerminalWindows();
        else
            m_panels[0]->setText(QStringLiteral("Last terminal file not found: %1")
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
        stored.HPort = m_storedHPort;
    if (!m_options.FiscalPort.isEmpty() && stored.DPort == m_options.FiscalPort)
        stored.DPort = m_storedDPort;
    if (!m_options.FiscalPort.isEmpty() && stored.DGIEnabled)
        stored.DGIEnabled = m_storedDGIEnabled;
    SaveSettings(stored, m_options.SettingsName);
    if (!m_settings.File.isEmpty())
        WriteGeneralSection();
}

QAction *TFormMain::NewAction(const QString &name, const QString &caption, const QString &hint,
                              const QKeySequence &key)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(HintText::ShortHint(hint));
    action->setStatusTip(HintText::LongHint(hint));
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

void TFormMain::CreateActions()
{
    m_actionNew = NewAction(QStringLiteral("ActionNew"), QStringLiteral("&New"), QStringLiteral("New terminal file"));
    m_actionNew->setIcon(TActionIcons::Icon(TActionIcons::New));
    connect(m_actionNew, &QAction::triggered, this, &TFormMain::ActionFileNew);

    m_actionOpen = NewAction(QStringLiteral("ActionOpen"), QStringLiteral("&Open"), QStringLiteral("Open terminal file"),
                             QKeySequence(Qt::CTRL | Qt::Key_O));
    m_actionOpen->setIcon(TActionIcons::Icon(TActionIcons::Open));
    connect(m_actionOpen, &QAction::triggered, this, &TFormMain::ActionFileOpen);

    m_actionClose = NewAction(QStringLiteral("ActionClose"), QStringLiteral("&Close"), QStringLiteral("Close terminal file"));
    connect(m_actionClose, &QAction::triggered, this, &TFormMain::ActionFileClose);

    m_actionSaveAs = NewAction(QStringLiteral("ActionSaveAs"), QStringLiteral("Save Terminal As ..."),
                               QStringLiteral("Save terminal file"));
    m_actionSaveAs->setIcon(TActionIcons::Icon(TActionIcons::SaveAs));
    connect(m_actionSaveAs, &QAction::triggered, this, &TFormMain::ActionFileSaveAs);

    m_actionExit = NewAction(QStringLiteral("ActionExit"), QStringLiteral("E&xit"), QStringLiteral("Application exit "));
    connect(m_actionExit, &QAction::triggered, this, &TFormMain::ActionFileExit);

    m_actionCascade = NewAction(QStringLiteral("ActionWindowCascade"), QStringLiteral("&Cascade"),
                                QStringLiteral("Cascade windows"));
    m_actionCascade->setIcon(TActionIcons::Icon(TActionIcons::Cascade));
    connect(m_actionCascade, &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);

    m_actionTileHorizontal = NewAction(QStringLiteral("ActionWindowTileHorizontal"), QStringLiteral("Tile &Horizontally"),
                                       QStringLiteral("Tile horizontally"));
    m_actionTileHorizontal->setIcon(TActionIcons::Icon(TActionIcons::TileHorizontal));
    m_actionTileVertical = NewAction(QStringLiteral("ActionWindowTileVertical"), QStringLiteral("&Tile Vertically"),
                                     QStringLiteral("Tile vertically"));
    m_actionTileVertical->setIcon(TActionIcons::Icon(TActionIcons::TileVertical));
    const auto tile = [this](bool horizontally) {
        QList<QMdiSubWindow *> windows;
        for (QMdiSubWindow *window : m_mdiArea->subWindowList())
            if (window->isVisible() && !window->isMinimized())
                windows.append(window);
        const QList<QRect> rects = MdiLayout::TileRects(m_mdiArea->viewport()->rect(), int(windows.size()),
                                                        horizontally);
        for (qsizetype i = 0; i < windows.size(); ++i) {
            windows[i]->showNormal();
            windows[i]->setGeometry(rects[i]);
        }
    };
    connect(m_actionTileHorizontal, &QAction::triggered, this, [tile] { tile(true); });
    connect(m_actionTileVertical, &QAction::triggered, this, [tile] { tile(false); });

    m_actionMinimizeAll = NewAction(QStringLiteral("ActionWindowMinimizeAll"), QStringLiteral("&Minimize All"),
                                    QStringLiteral("Minimize windows"));
    connect(m_actionMinimizeAll, &QAction::triggered, this, [this] {
        for (QMdiSubWindow *window : m_mdiArea->subWindowList())
            window->showMinimized();
        ArrangeIcons();
    });
    m_actionArrange = NewAction(QStringLiteral("ActionWindowArrange"), QStringLiteral("&Arrange"),
                                QStringLiteral("Arrange windows"));
    connect(m_actionArrange, &QAction::triggered, this, &TFormMain::ArrangeIcons);

    m_actionEditFixAnswer = NewAction(QStringLiteral("ActionEditFixAnswer"), QStringLiteral("&Edit fixed answer fields"),
                                      QStringLiteral("Edit fixed answer fields"));
    m_actionEditFixAnswer->setIcon(TActionIcons::Icon(TActionIcons::EditFixedAnswer));
    m_actionTestFixAnswer = NewAction(QStringLiteral("ActionTestFixAnswer"), QStringLiteral("&Test fixed answer fields"),
                                      QStringLiteral("Test fixed answer fields"));
    m_actionTestFixAnswer->setIcon(TActionIcons::Icon(TActionIcons::TestFixedAnswer));
    m_actionEditRC = NewAction(QStringLiteral("ActionEditRC"), QStringLiteral("Edit &Return code "),
                               QStringLiteral("Edit return code description"));
    m_actionEditRC->setIcon(TActionIcons::Icon(TActionIcons::EditReturnCode));
    connect(m_actionEditFixAnswer, &QAction::triggered, this, &TFormMain::ActionEditFixAnswerExecute);
    connect(m_actionEditRC, &QAction::triggered, this, &TFormMain::ActionEditRCExecute);
    m_actionEditFields = NewAction(QStringLiteral("ActionEditFields"), QStringLiteral("&Edit fields"),
                                   QStringLiteral("Edit the fields of the selected command"));
    m_actionEditFields->setIcon(TActionIcons::Icon(TActionIcons::EditFields));
    connect(m_actionEditFields, &QAction::triggered, this, [this] {
        if (m_terminalWindow)
            m_terminalWindow->CommandTree()->EditFields();
    });

    m_actionCopy = NewAction(QStringLiteral("ActionEditCopy"), QStringLiteral("&Copy"), QStringLiteral("Copy|Copy"),
                             QKeySequence(Qt::CTRL | Qt::Key_C));
    m_actionCopy->setIcon(TActionIcons::Icon(TActionIcons::Copy));
    m_actionCut = NewAction(QStringLiteral("ActionEditCut"), QStringLiteral("Cu&t"), QStringLiteral("Cut|Cut"),
                            QKeySequence(Qt::CTRL | Qt::Key_X));
    m_actionCut->setIcon(TActionIcons::Icon(TActionIcons::Cut));
    m_actionPaste = NewAction(QStringLiteral("ActionEditPaste"), QStringLiteral("&Paste"), QStringLiteral("Paste|Paste"),
                              QKeySequence(Qt::CTRL | Qt::Key_V));
    m_actionPaste->setIcon(TActionIcons::Icon(TActionIcons::Paste));
    const auto clipboard = [this](const char *slot) {
        if (QWidget *target = TextTarget(QApplication::focusWidget()))
            QMetaObject::invokeMethod(target, slot);
        UpdateEditActions();
    };
    connect(m_actionCopy, &QAction::triggered, this, [clipboard] { clipboard("copy"); });
    connect(m_actionCut, &QAction::triggered, this, [clipboard] { clipboard("cut"); });
    connect(m_actionPaste, &QAction::triggered, this, [clipboard] { clipboard("paste"); });

    m_actionResetPorts = NewAction(QStringLiteral("MenuItemResetserialports"), QStringLiteral("Re&set serial ports"),
                                   QStringLiteral("Reset all open serial ports"));
    m_actionPreferences = NewAction(QStringLiteral("MenuItemPreferences"), QStringLiteral("&Preferences"),
                                    QStringLiteral("System preferences|System preferences"));
    connect(m_actionResetPorts, &QAction::triggered, this, &TFormMain::MenuItemResetserialportsClick);
    connect(m_actionPreferences, &QAction::triggered, this, &TFormMain::MenuItemGeneralClick);
    connect(m_actionTestFixAnswer, &QAction::triggered, this, &TFormMain::ActionTestFixAnswerExecute);

    // Pressed means the fiscal port is not in use.
    m_actionFiscal = NewAction(QStringLiteral("ToolButtonFiscal"), QStringLiteral("Fiscal port"), EnableFiscalHint);
    m_actionFiscal->setCheckable(true);
    connect(m_actionFiscal, &QAction::triggered, this, &TFormMain::ToolButtonFiscalClick);
    m_actionAbout = NewAction(QStringLiteral("MenuItemHelpAbout"), QStringLiteral("&About..."), QString());
    connect(m_actionAbout, &QAction::triggered, this, &TFormMain::MenuItemHelpAboutClick);
}

void TFormMain::CreateMenus()
{
    const auto menu = [this](const QString &title, const QString &name, const QString &hint) {
        QMenu *m = menuBar()->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setStatusTip(HintText::LongHint(hint));
        return m;
    };
    QMenu *file = menu(QStringLiteral("&File"), QStringLiteral("MenuFile"), QStringLiteral("File related commands"));
    file->addAction(m_actionNew);
    file->addAction(m_actionOpen);
    file->addAction(m_actionClose);
    QAction *saveAs = file->addAction(QStringLiteral("Save terminal file &As ..."));
    saveAs->setObjectName(QStringLiteral("MenuItemSaveAs"));
    saveAs->setIcon(m_actionSaveAs->icon());
    saveAs->setStatusTip(m_actionSaveAs->statusTip());
    saveAs->setEnabled(false);
    connect(saveAs, &QAction::triggered, m_actionSaveAs, &QAction::trigger);
    connect(m_actionSaveAs, &QAction::enabledChanged, saveAs, &QAction::setEnabled);
    file->addSeparator();
    file->addAction(m_actionExit);

    QMenu *edit = menu(QStringLiteral("&Edit"), QStringLiteral("MenuEdit"), QStringLiteral("Edit commands"));
    edit->addAction(m_actionCopy);
    edit->addAction(m_actionPaste);
    edit->addAction(m_actionCut);
    edit->addSeparator();
    edit->addAction(m_actionEditFields);

    QMenu *options = menu(QStringLiteral("&Options"), QStringLiteral("MenuOptions"), QStringLiteral("Options|Options "));
    options->addAction(m_actionEditFixAnswer);
    options->addAction(m_actionTestFixAnswer);
    options->addAction(m_actionEditRC);
    options->addSeparator();
    options->addAction(m_actionResetPorts);
    options->addSeparator();
    options->addAction(m_actionPreferences);

    m_windowMenu = menu(QStringLiteral("&Window"), QStringLiteral("MenuWindow"), QStringLiteral("Window related commands"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TFormMain::FillWindowMenu);
    FillWindowMenu();

    QMenu *help = menu(QStringLiteral("&Help"), QStringLiteral("MenuHelp"), QStringLiteral("Help topics"));
    help->addAction(m_actionAbout);

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("PopupMenuMain"));
    m_contextMenu->addAction(m_actionMinimizeAll);
    m_contextMenu->addAction(m_actionCascade);
    m_contextMenu->addAction(m_actionArrange);
    connect(m_mdiArea, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_mdiArea->mapToGlobal(pos)); });
}

void TFormMain::FillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_actionCascade);
    m_windowMenu->addAction(m_actionTileHorizontal);
    m_windowMenu->addAction(m_actionTileVertical);
    m_windowMenu->addAction(m_actionMinimizeAll);
    m_windowMenu->addAction(m_actionArrange);
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    if (!windows.isEmpty())
        m_windowMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        ++number;
        QAction *item = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == m_mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (!window)
                return;
            if (window->isMinimized() || window->isHidden())
                window->showNormal();
            m_mdiArea->setActiveSubWindow(window);
        });
    }
}

void TFormMain::CreateToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Main"));
    bar->setObjectName(QStringLiteral("ToolBarMain"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->addAction(m_actionNew);
    bar->addAction(m_actionOpen);
    // The toolbar's Save As carries a hint of its own.
    QAction *saveAs = NewAction(QStringLiteral("ToolButtonSaveAs"), m_actionSaveAs->text(),
                                QStringLiteral("Save terminal file as ..."));
    saveAs->setIcon(m_actionSaveAs->icon());
    saveAs->setEnabled(m_actionSaveAs->isEnabled());
    connect(saveAs, &QAction::triggered, m_actionSaveAs, &QAction::trigger);
    connect(m_actionSaveAs, &QAction::enabledChanged, saveAs, &QAction::setEnabled);
    bar->addAction(saveAs);
    bar->addSeparator();
    bar->addAction(m_actionCut);
    bar->addAction(m_actionCopy);
    bar->addAction(m_actionPaste);
    bar->addSeparator();
    bar->addAction(m_actionCascade);
    bar->addAction(m_actionTileHorizontal);
    bar->addAction(m_actionTileVertical);
    bar->addSeparator();
    bar->addAction(m_actionEditFields);
    bar->addAction(m_actionEditFixAnswer);
    bar->addAction(m_actionTestFixAnswer);
    bar->addAction(m_actionEditRC);
    bar->addSeparator();
    bar->addAction(m_actionFiscal);
}

void TFormMain::CreateStatusBar()
{
    for (int i = 0; i < StatusPanelCount; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The state texts take the room the other panels leave, so a longer
        // one ("Fiscal port closed", "125/999") is read in full.
        if (i == 1)
            m_panels[i]->setMinimumWidth(PanelWidths[i]);
        else
            m_panels[i]->setFixedWidth(PanelWidths[i]);
        statusBar()->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    m_panels[1]->setText(Ready);
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

TSettings &TFormMain::Settings()
{
    return m_settings;
}

TFormChildTerminalWindow *TFormMain::TerminalWindow() const
{
    return m_terminalWindow;
}

TFormChildLogWindow *TFormMain::LogWindow() const
{
    return m_logWindow;
}

QMdiArea *TFormMain::MdiArea() const
{
    return m_mdiArea;
}

QString TFormMain::StatusText(int panel) const
{
    return panel >= 0 && panel < StatusPanelCount ? m_panels[panel]->text() : QString();
}

void TFormMain::SetStatusText(const QString &text)
{
    m_panels[1]->setText(text);
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
    auto *window = new TFormChildTerminalWindow(m_settings, m_prompts, m_settings.File, nullptr, m_host, m_aux);
    if (!window->LoadError().isEmpty()) {
        m_prompts.Error(this, ErrorCaption, window->LoadError());
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

    auto *log = new TFormChildLogWindow(m_settings);
    m_logWindow = log;
    m_mdiArea->addSubWindow(log);
    connect(log, &QMdiSubWindow::windowStateChanged, this, &TFormMain::ScheduleArrangeIcons);
    const QPoint centre = m_mdiArea->viewport()->rect().center();
    log->move(centre.x() - log->width() / 2, centre.y() - log->height() / 2);
    log->showMinimized();
    if (!log->LogFileError().isEmpty())
        m_panels[0]->setText(log->LogFileError());
    connect(log, &TFormChildLogWindow::LogFileFailed, m_panels[0], &QLabel::setText);

    ReadGeneralSection();
    m_host->SetProtocolType(TProtocolType(m_settings.Protocol));
    UpdateFileActions();
    // Not maximised: the log window's icon stays in sight below it.
    m_terminalFill = QRect();
    window->showNormal();
    ArrangeIcons();
    m_mdiArea->setActiveSubWindow(window);
    UpdateWindowActions();
    return true;
}

void TFormMain::CloseTerminalWindows()
{
    delete m_terminalWindow.data();
    m_terminalWindow.clear();
    delete m_logWindow.data();
    m_logWindow.clear();
    UpdateWindowActions();
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
    m_actionSaveAs->setEnabled(open);
    m_actionClose->setEnabled(open);
    m_actionEditFixAnswer->setEnabled(open);
    m_actionTestFixAnswer->setEnabled(open);
    m_actionEditRC->setEnabled(open && m_settings.Protocol == 1);
    UpdateEditFieldsAction();
}

void TFormMain::UpdateEditFieldsAction()
{
    const QTreeWidget *tree = m_terminalWindow ? m_terminalWindow->CommandTree() : nullptr;
    const QList<QTreeWidgetItem *> selection = tree ? tree->selectedItems() : QList<QTreeWidgetItem *>();
    m_actionEditFields->setEnabled(!selection.isEmpty()
                                   && TCommandTree::Level(selection.constFirst()) == TCommandTree::LevelCommand);
}

void TFormMain::UpdateWindowActions()
{
    const bool children = !m_mdiArea->subWindowList().isEmpty();
    for (QAction *action : {m_actionCascade, m_actionTileHorizontal, m_actionTileVertical,
                            m_actionMinimizeAll, m_actionArrange})
        action->setEnabled(children);
}

void TFormMain::TrackFocus(QWidget *focus)
{
    if (m_trackedFocus)
        disconnect(m_trackedFocus, nullptr, this, nullptr);
    m_trackedFocus = TextTarget(focus);
    if (auto *line = qobject_cast<QLineEdit *>(m_trackedFocus.data()))
        connect(line, &QLineEdit::selectionChanged, this, &TFormMain::UpdateEditActions);
    else if (auto *text = qobject_cast<QTextEdit *>(m_trackedFocus.data()))
        connect(text, &QTextEdit::copyAvailable, this, &TFormMain::UpdateEditActions);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(m_trackedFocus.data()))
        connect(plain, &QPlainTextEdit::copyAvailable, this, &TFormMain::UpdateEditActions);
    UpdateEditActions();
}

void TFormMain::UpdateEditActions()
{
    QWidget *target = TextTarget(QApplication::focusWidget());
    const bool selection = target && HasSelection(target);
    const bool editable = target && !IsReadOnly(target);
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    m_actionCopy->setEnabled(selection);
    m_actionCut->setEnabled(selection && editable);
    m_actionPaste->setEnabled(editable && clipboard && clipboard->hasText());
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
        m_prompts.Error(this, ErrorCaption, error);
}

void TFormMain::ActionFileNew()
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
            m_prompts.Error(this, ErrorCaption,
                            content.isEmpty() ? QStringLiteral("The new-file template is missing") : error);
        return path;
    });
}

void TFormMain::ActionFileOpen()
{
    const QString chosen = m_prompts.OpenFileName(this, QStringLiteral("Open dialog"), QDir::currentPath(), FileFilter);
    if (chosen.isEmpty())
        return;
    if (!QFileInfo(chosen).isFile()) {
        m_prompts.Error(this, ErrorCaption,
                        QStringLiteral("File not found: %1").arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    // The open file gives way only to one that can be read.
    QString error;
    if (!TerminalFiles::IsReadable(chosen, &error)) {
        m_prompts.Error(this, ErrorCaption, error);
        return;
    }
    ReplaceTerminalFile(QDir::cleanPath(QFileInfo(chosen).absoluteFilePath()));
}

void TFormMain::ActionFileSaveAs()
{
    // The copy carries the values written back just before it.
    ReplaceTerminalFile([this] {
        const QString chosen = TerminalFiles::WithDefaultExtension(
            m_prompts.SaveFileName(this, QStringLiteral("Save as "), QDir::currentPath(), FileFilter,
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
            m_prompts.Error(this, ErrorCaption, error);
            return QString();
        }
        return target;
    });
}

void TFormMain::ActionFileClose()
{
    CloseTerminalWindows();
    if (!m_settings.File.isEmpty())
        WriteGeneralSection();
    UpdateFileActions();
    ArrangeIcons();
}

void TFormMain::ActionFileExit()
{
    close();
}

void TFormMain::ActionEditFixAnswerExecute()
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

void TFormMain::ActionTestFixAnswerExecute()
{
    if (!m_terminalWindow)
        return;
    TFormTestFixedAnswer tester(this);
    if (m_prompts.Exec(&tester) != QDialog::Accepted || !m_terminalWindow)
        return;
    m_terminalWindow->showMaximized();
    m_terminalWindow->ShowAnswer(tester.FiscalStatus(), tester.PrinterStatus());
}

void TFormMain::MenuItemGeneralClick()
{
    TFormPreferences dialog(m_settings, m_prompts, TFormPreferences::AvailablePorts(), this);
    const bool accepted = m_prompts.Exec(&dialog) == QDialog::Accepted;
    TApplyPreferences::TTargets targets;
    targets.HostPortClosed = [this] { return m_host->State() == EFP_S_Close; };
    targets.CloseHostPort = [this] { m_host->ClosePort(); };
    targets.OpenHostPort = [this] {
        m_host->SetCommPort(TCommPort(m_settings.HComm));
        m_host->SetDeviceName(m_settings.HPort);
        m_host->SetBaudRate(TBaudRate(m_settings.HBaud));
        return m_host->OpenPort();
    };
    targets.SetProtocol = [this](int protocol) { m_host->SetProtocolType(TProtocolType(protocol)); };
    targets.TerminalFileOpen = [this] { return !m_terminalWindow.isNull(); };
    targets.EnableEditReturnCodes = [this](bool on) { m_actionEditRC->setEnabled(on); };
    targets.ReopenFiscalPort = [this] { ShowFiscalButton(OpenFiscalPort()); };
    targets.NotifyLogWindow = [this] { PostToLog([](TFormChildLogWindow *log) { log->SettingsChanged(); }); };
    targets.SetStatusText = [this](const QString &text) { SetStatusText(text); };
    targets.UpdatePortPanels = [this] { UpdatePortPanels(); };
    TApplyPreferences::Run(accepted, m_settings, m_prompts, this, targets);
}

void TFormMain::OpenPorts()
{
    OpenHostPort();
    if (m_settings.DGIEnabled) {
        ShowFiscalButton(OpenFiscalPort());
    } else {
        CloseFiscalPort();
        ShowFiscalButton(false);
    }
    UpdatePortPanels();
}

bool TFormMain::OpenHostPort()
{
    m_host->SetCommPort(TCommPort(m_settings.HComm));
    m_host->SetDeviceName(m_settings.HPort);
    m_host->SetBaudRate(TBaudRate(m_settings.HBaud));
    if (m_host->OpenPort()) {
        m_settings.HostPortOpen = true;
        m_host->SetProtocolType(TProtocolType(m_settings.Protocol));
        SetStatusText(Ready);
        return true;
    }
    m_prompts.Error(this, ErrorCaption, HostPortError);
    m_settings.HostPortOpen = false;
    SetStatusText(Error);
    return false;
}

bool TFormMain::OpenFiscalPort()
{
    if (m_aux->State() != FEFP_S_Close)
        m_aux->ClosePort();
    m_aux->SetCommPort(TFCommPort(m_settings.DComm));
    m_aux->SetDeviceName(m_settings.DPort);
    m_aux->SetTimeOut(m_settings.DTimeOut);
    if (m_aux->OpenPort()) {
        m_settings.FiscalPortOpen = true;
        SetStatusText(Ready);
        return true;
    }
    m_prompts.Error(this, ErrorCaption, FiscalPortError);
    m_settings.FiscalPortOpen = false;
    SetStatusText(Error);
    return false;
}

void TFormMain::CloseFiscalPort()
{
    m_aux->ClosePort();
    m_settings.FiscalPortOpen = false;
}

void TFormMain::ShowFiscalButton(bool inUse)
{
    m_actionFiscal->setChecked(!inUse);
    const QString hint = inUse ? DisableFiscalHint : EnableFiscalHint;
    m_actionFiscal->setToolTip(HintText::ShortHint(hint));
    m_actionFiscal->setStatusTip(HintText::LongHint(hint));
    m_actionFiscal->setIcon(TActionIcons::Icon(inUse ? TActionIcons::FiscalEnabled : TActionIcons::FiscalDisabled));
}

void TFormMain::ToolButtonFiscalClick()
{
    if (m_actionFiscal->isChecked()) {
        m_settings.DGIEnabled = false;
        ShowFiscalButton(false);
        CloseFiscalPort();
        UpdatePortPanels();
        return;
    }
    m_settings.DGIEnabled = true;
    if (!OpenFiscalPort()) {
        // The port stays wanted, so the next start tries again.
        m_actionFiscal->setChecked(true);
        return;
    }
    ShowFiscalButton(true);
    UpdatePortPanels();
}

void TFormMain::MenuItemResetserialportsClick()
{
    // Purged by the terminal window, the commands this cuts short end
    // without an error box: their aborted waits are no time-outs.
    if (m_terminalWindow) {
        m_terminalWindow->PurgePorts();
        m_terminalWindow->ResetPendingCommand();
    } else {
        m_host->Purge();
        m_aux->Purge();
    }
    SetStatusText(Ready);
}

void TFormMain::UpdatePortPanels()
{
    const auto show = [this](int panel, const QString &text) {
        m_panels[panel]->setText(text);
        // A long device name widens its panel rather than being cut off.
        const int needed = m_panels[panel]->fontMetrics().horizontalAdvance(text) + 12;
        m_panels[panel]->setFixedWidth(qMax(PanelWidths[panel], needed));
    };
    show(2, PortText(m_settings.HComm, m_settings.HPort) + LineSuffix(m_settings.HBaud));
    show(3, m_settings.DGIEnabled && m_settings.FiscalPortOpen
                ? PortText(m_settings.DComm, m_settings.DPort) + LineSuffix(3)
                : QStringLiteral("Disabled"));
}

// Events become queued calls of the child windows, made in the order the
// events came and only while a terminal file is open; each call carries what
// its event carried, read now, so a later event cannot change it.
template <typename Call>
void TFormMain::PostToLog(Call call)
{
    if (!m_terminalWindow || !m_logWindow)
        return;
    TFormChildLogWindow *log = m_logWindow;
    QMetaObject::invokeMethod(log, [log, call] { call(log); }, Qt::QueuedConnection);
}

template <typename Call>
void TFormMain::PostToTerminal(Call call)
{
    if (!m_terminalWindow || !m_logWindow)
        return;
    TFormChildTerminalWindow *terminal = m_terminalWindow;
    QMetaObject::invokeMethod(terminal, [terminal, call] { call(terminal); }, Qt::QueuedConnection);
}

void TFormMain::ConnectHostControl()
{
    connect(m_host, &TFPHostControl::OnOpen, this, [this] {
        const QString text = TCommLogFormatter::HostOpenText(m_host->CommPort(), m_host->BaudRate(),
                                                             m_host->DeviceName());
        PostToLog([text](TFormChildLogWindow *log) { log->HostOpened(text); });
    });
    connect(m_host, &TFPHostControl::OnClose, this,
            [this] { PostToLog([](TFormChildLogWindow *log) { log->HostClosed(); }); });
    connect(m_host, &TFPHostControl::OnWrite, this, [this](const QByteArray &value) {
        if (!m_terminalWindow || !m_logWindow)
            return;
        m_lastWrittenFrame = value;
        PostToLog([value](TFormChildLogWindow *log) { log->HostWritten(value); });
    });
    connect(m_host, &TFPHostControl::OnRead, this, [this](const QByteArray &value) {
        if (!m_terminalWindow || !m_logWindow)
            return;
        m_lastReadFrame = value;
        PostToLog([value](TFormChildLogWindow *log) { log->PrinterRead(value); });
    });
    connect(m_host, &TFPHostControl::OnAck, this,
            [this] { PostToLog([](TFormChildLogWindow *log) { log->AckReceived(); }); });
    connect(m_host, &TFPHostControl::OnNack, this,
            [this] { PostToLog([](TFormChildLogWindow *log) { log->NakReceived(); }); });
    connect(m_host, &TFPHostControl::OnIntermediateAnswer, this,
            [this] { PostToLog([](TFormChildLogWindow *log) { log->IntermediateAnswerReceived(); }); });
    connect(m_host, &TFPHostControl::OnFinalAnswer, this, [this](const THostAnswer &answer) {
        const TReceivedAnswer received = TCommandRunner::ReceivedAnswer(answer);
        PostToTerminal([received](TFormChildTerminalWindow *terminal) { terminal->NotifyHostFinalAnswer(received); });
    });
    connect(m_host, &TFPHostControl::OnError, this, [this](TPortError error, const TLineFailure &line) {
        const QString failure = TCommLogFormatter::FailureText(cpHostPort, error, line);
        PostToLog([failure](TFormChildLogWindow *log) { log->ExchangeFailed(failure); });
        PostToTerminal([error](TFormChildTerminalWindow *terminal) { terminal->NotifyHostError(error); });
    });
}

void TFormMain::ConnectAuxControl()
{
    connect(m_aux, &TFPAuxControl::OnOpen, this, [this] {
        const QString text = TCommLogFormatter::FiscalOpenText(m_aux->CommPort(), m_aux->DeviceName());
        PostToLog([text](TFormChildLogWindow *log) { log->FiscalOpened(text); });
    });
    connect(m_aux, &TFPAuxControl::OnClose, this,
            [this] { PostToLog([](TFormChildLogWindow *log) { log->FiscalClosed(); }); });
    connect(m_aux, &TFPAuxControl::OnWrite, this, [this](const QByteArray &value) {
        if (!m_terminalWindow || !m_logWindow)
            return;
        m_lastWrittenFrame = value;
        PostToLog([value](TFormChildLogWindow *log) { log->FiscalWritten(value); });
    });
    connect(m_aux, &TFPAuxControl::OnRead, this, [this](const QByteArray &value) {
        if (!m_terminalWindow || !m_logWindow)
            return;
        m_lastReadFrame = value;
        PostToLog([value](TFormChildLogWindow *log) { log->PrinterRead(value); });
    });
    connect(m_aux, &TFPAuxControl::OnAck, this, [this] {
        PostToLog([](TFormChildLogWindow *log) { log->AckReceived(); });
        PostToTerminal([](TFormChildTerminalWindow *terminal) { terminal->NotifyAuxAck(); });
    });
    connect(m_aux, &TFPAuxControl::OnNack, this,
            [this] { PostToLog([](TFormChildLogWindow *log) { log->NakReceived(); }); });
    connect(m_aux, &TFPAuxControl::OnAnswer, this, [this](const QByteArray &text, bool isFinal) {
        if (isFinal)
            PostToTerminal([text](TFormChildTerminalWindow *terminal) { terminal->NotifyAuxFinalAnswer(text); });
        else
            PostToTerminal([text](TFormChildTerminalWindow *terminal) { terminal->NotifyAuxAnswer(text); });
    });
    connect(m_aux, &TFPAuxControl::OnError, this, [this](TPortError error, const TLineFailure &line) {
        const QString failure = TCommLogFormatter::FailureText(cpFiscalPort, error, line);
        PostToLog([failure](TFormChildLogWindow *log) { log->ExchangeFailed(failure); });
        PostToTerminal([error](TFormChildTerminalWindow *terminal) { terminal->NotifyAuxError(error); });
    });
}

void TFormMain::ActionEditRCExecute()
{
    if (!m_terminalWindow)
        return;
    TFormEditReturnCode editor(m_settings.File, m_prompts, this);
    m_prompts.Exec(&editor);
    if (m_terminalWindow)
        m_terminalWindow->ReloadTerminalFile();
}

void TFormMain::MenuItemHelpAboutClick()
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
        m_prompts.Error(this, ErrorCaption, error);
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
