#include "terminal_window/form_child_terminal_window.h"

#include "terminal_model/settings.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QSplitter>

TFormChildTerminalWindow::TFormChildTerminalWindow(TSettings &settings, TPrompts &prompts,
                                                   const QString &fileName, QWidget *parent,
                                                   TFPHostControl *host, TFPAuxControl *aux)
    : QMdiSubWindow(parent), m_settings(settings), m_fileName(fileName)
{
    setObjectName(QStringLiteral("FormChildTerminalWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *content = new QWidget;
    m_splitter = new QSplitter(Qt::Horizontal, content);
    m_splitter->setObjectName(QStringLiteral("SplitterTree"));
    m_splitter->setHandleWidth(5);
    m_splitter->setOpaqueResize(true);
    m_splitter->setChildrenCollapsible(false);
    m_tree = new TCommandTree(prompts, m_splitter);
    m_page = new TCommandPage(settings, prompts, m_fileCopy, host, aux, m_splitter);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    auto *layout = new QHBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_splitter);
    setWidget(content);
    resize(800, 520);

    m_loadError = m_tree->Load(m_fileName);
    setWindowTitle(QDir::toNativeSeparators(m_fileName));
    if (m_settings.TVWidth != 0)
        m_treeWidth = qBound(0, m_settings.TVWidth, TCommandTree::MaxWidth);
    m_splitter->setSizes({m_treeWidth, 640});
    ReadFileCopy();
    ConnectParts();
}

TFormChildTerminalWindow::~TFormChildTerminalWindow()
{
    m_settings.TVWidth = m_treeWidth;
    // The page reads the file copy: it goes before the copy does.
    delete widget();
}

void TFormChildTerminalWindow::ConnectParts()
{
    connect(m_tree, &TCommandTree::CommandSelected, m_page, &TCommandPage::ShowSelectedCommand);
    connect(m_tree, &QTreeWidget::itemClicked, m_page, [this] { m_page->ShowCommandsPage(); });
    connect(m_tree, &TCommandTree::FileChanged, this, &TFormChildTerminalWindow::ReadFileCopy);
    connect(m_tree, &TCommandTree::CommandEdited, m_page, &TCommandPage::ShowCommand);
    connect(m_tree, &TCommandTree::SectionRenamed, m_page, &TCommandPage::FollowRename);
    connect(&m_page->Runner(), &TCommandRunner::TreeEnabledChanged, this, [this](bool enabled) {
        m_treeEnabled = enabled;
        m_tree->setEnabled(enabled && !m_page->PlanRunning());
    });
    connect(m_page, &TCommandPage::StatusText, this, &TFormChildTerminalWindow::StatusText);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_treeWidth = m_tree->width(); });
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
    m_page->ReadFixedAnswers();
}

TCommandTree *TFormChildTerminalWindow::CommandTree() const
{
    return m_tree;
}

TCommandPage *TFormChildTerminalWindow::CommandPage() const
{
    return m_page;
}

int TFormChildTerminalWindow::TreeWidth() const
{
    return m_treeWidth;
}

void TFormChildTerminalWindow::closeEvent(QCloseEvent *event)
{
    // The close box only minimises: the window lives as long as its file is open.
    event->ignore();
    showMinimized();
}

void TFormChildTerminalWindow::SetPlanRunning(bool running)
{
    m_page->SetPlanRunning(running);
    m_tree->setEnabled(m_treeEnabled && !running);
}

bool TFormChildTerminalWindow::OpenCommand(const QString &section, const QList<TFieldInput> &inputs)
{
    if (!m_tree->SelectCommand(section))
        return false;
    // Selecting has shown the command on the page.
    m_page->ShowCommandsPage();
    m_page->InputPanel()->SetInputs(inputs);
    return true;
}

void TFormChildTerminalWindow::ShowAnswer(quint16 fiscal, quint16 printer)
{
    m_page->ShowAnswer(fiscal, printer);
}

void TFormChildTerminalWindow::ClearFiscalPanels()
{
    m_page->ClearFiscalPanels();
}

void TFormChildTerminalWindow::ClearPrinterPanels()
{
    m_page->ClearPrinterPanels();
}
