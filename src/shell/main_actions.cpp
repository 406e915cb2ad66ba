#include "shell/main_actions.h"

#include "shell/mdi_layout.h"
#include "widgets/action_icons.h"
#include "widgets/hint_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>
#include <QToolBar>

namespace {

const char *const EnableFiscalHint = QT_TRANSLATE_NOOP("TMainActions", "Enable Fiscal port");
const char *const DisableFiscalHint = QT_TRANSLATE_NOOP("TMainActions", "Disable Fiscal port");

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

TMainActions::TMainActions(QMainWindow *window, QMdiArea *area)
    : QObject(window), m_window(window), m_area(area)
{
    CreateActions();
    CreateMenus();
    CreateToolBar();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { TrackFocus(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainActions::UpdateEditActions);
    // Ctrl+F6 steps through the child windows as the area's own Ctrl+Tab does.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6), window), &QShortcut::activated, area,
            &QMdiArea::activateNextSubWindow);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), window), &QShortcut::activated, area,
            &QMdiArea::activatePreviousSubWindow);
    UpdateWindowActions();
    UpdateEditActions();
}

QAction *TMainActions::NewAction(const QString &name, const QString &caption, const QString &hint,
                                 const QKeySequence &key)
{
    QAction *action = NewAction(name, caption, hint);
    action->setShortcut(key);
    return action;
}

QAction *TMainActions::NewAction(const QString &name, const QString &caption, const QString &hint)
{
    auto *action = new QAction(caption, m_window);
    action->setObjectName(name);
    action->setToolTip(HintText::ShortHint(hint));
    action->setStatusTip(HintText::LongHint(hint));
    return action;
}

void TMainActions::CreateActions()
{
    m_newFile = NewAction(QStringLiteral("ActionNew"), tr("&New"), tr("New terminal file"));
    m_newFile->setIcon(TActionIcons::Icon(TActionIcons::New));
    m_open = NewAction(QStringLiteral("ActionOpen"), tr("&Open"), tr("Open terminal file"),
                       QKeySequence(Qt::CTRL | Qt::Key_O));
    m_open->setIcon(TActionIcons::Icon(TActionIcons::Open));
    m_close = NewAction(QStringLiteral("ActionClose"), tr("&Close"), tr("Close terminal file"));
    m_saveAs = NewAction(QStringLiteral("ActionSaveAs"), tr("Save Terminal As ..."), tr("Save terminal file"));
    m_saveAs->setIcon(TActionIcons::Icon(TActionIcons::SaveAs));
    m_runPlan = NewAction(QStringLiteral("ActionRunPlan"), tr("Run &plan ..."),
                          tr("Run plan|Run a test plan against the terminal file on display"));
    m_exit = NewAction(QStringLiteral("ActionExit"), tr("E&xit"), tr("Application exit "));

    m_cascade = NewAction(QStringLiteral("ActionWindowCascade"), tr("&Cascade"), tr("Cascade windows"));
    m_cascade->setIcon(TActionIcons::Icon(TActionIcons::Cascade));
    connect(m_cascade, &QAction::triggered, m_area, &QMdiArea::cascadeSubWindows);
    m_tileHorizontally = NewAction(QStringLiteral("ActionWindowTileHorizontal"), tr("Tile &Horizontally"),
                                   tr("Tile horizontally"));
    m_tileHorizontally->setIcon(TActionIcons::Icon(TActionIcons::TileHorizontal));
    m_tileVertically = NewAction(QStringLiteral("ActionWindowTileVertical"), tr("&Tile Vertically"),
                                 tr("Tile vertically"));
    m_tileVertically->setIcon(TActionIcons::Icon(TActionIcons::TileVertical));
    connect(m_tileHorizontally, &QAction::triggered, this, [this] { Tile(true); });
    connect(m_tileVertically, &QAction::triggered, this, [this] { Tile(false); });
    m_minimizeAll = NewAction(QStringLiteral("ActionWindowMinimizeAll"), tr("&Minimize All"), tr("Minimize windows"));
    connect(m_minimizeAll, &QAction::triggered, this, [this] {
        for (QMdiSubWindow *window : m_area->subWindowList())
            window->showMinimized();
    });
    m_arrange = NewAction(QStringLiteral("ActionWindowArrange"), tr("&Arrange"), tr("Arrange windows"));

    m_editFixedAnswers = NewAction(QStringLiteral("ActionEditFixAnswer"), tr("&Edit fixed answer fields"),
                                   tr("Edit fixed answer fields"));
    m_editFixedAnswers->setIcon(TActionIcons::Icon(TActionIcons::EditFixedAnswer));
    m_testFixedAnswers = NewAction(QStringLiteral("ActionTestFixAnswer"), tr("&Test fixed answer fields"),
                                   tr("Test fixed answer fields"));
    m_testFixedAnswers->setIcon(TActionIcons::Icon(TActionIcons::TestFixedAnswer));
    m_editReturnCodes = NewAction(QStringLiteral("ActionEditRC"), tr("Edit &Return code "),
                                  tr("Edit return code description"));
    m_editReturnCodes->setIcon(TActionIcons::Icon(TActionIcons::EditReturnCode));
    m_editFields = NewAction(QStringLiteral("ActionEditFields"), tr("&Edit fields"),
                             tr("Edit the fields of the selected command"));
    m_editFields->setIcon(TActionIcons::Icon(TActionIcons::EditFields));

    m_copy = NewAction(QStringLiteral("ActionEditCopy"), tr("&Copy"), tr("Copy|Copy"),
                       QKeySequence(Qt::CTRL | Qt::Key_C));
    m_copy->setIcon(TActionIcons::Icon(TActionIcons::Copy));
    m_cut = NewAction(QStringLiteral("ActionEditCut"), tr("Cu&t"), tr("Cut|Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m_cut->setIcon(TActionIcons::Icon(TActionIcons::Cut));
    m_paste = NewAction(QStringLiteral("ActionEditPaste"), tr("&Paste"), tr("Paste|Paste"),
                        QKeySequence(Qt::CTRL | Qt::Key_V));
    m_paste->setIcon(TActionIcons::Icon(TActionIcons::Paste));
    connect(m_copy, &QAction::triggered, this, [this] { DoOnText("copy"); });
    connect(m_cut, &QAction::triggered, this, [this] { DoOnText("cut"); });
    connect(m_paste, &QAction::triggered, this, [this] { DoOnText("paste"); });

    m_resetPorts = NewAction(QStringLiteral("MenuItemResetserialports"), tr("Re&set serial ports"),
                             tr("Reset all open serial ports"));
    m_recordCapture = NewAction(QStringLiteral("MenuItemRecordCapture"), tr("Record &capture..."),
                                tr("Record every exchange of both ports into a capture file"));
    m_recordCapture->setCheckable(true);
    m_preferences = NewAction(QStringLiteral("MenuItemPreferences"), tr("&Preferences"),
                              tr("System preferences|System preferences"));
    m_fiscalPort = NewAction(QStringLiteral("ToolButtonFiscal"), tr("Fiscal port"), tr(EnableFiscalHint));
    m_fiscalPort->setCheckable(true);
    m_about = NewAction(QStringLiteral("MenuItemHelpAbout"), tr("&About..."), QString());
}

void TMainActions::CreateMenus()
{
    const auto menu = [this](const QString &title, const QString &name, const QString &hint) {
        QMenu *m = m_window->menuBar()->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setStatusTip(HintText::LongHint(hint));
        return m;
    };
    QMenu *file = menu(tr("&File"), QStringLiteral("MenuFile"), tr("File related commands"));
    file->addAction(m_newFile);
    file->addAction(m_open);
    file->addAction(m_close);
    QAction *saveAsItem = file->addAction(tr("Save terminal file &As ..."));
    saveAsItem->setObjectName(QStringLiteral("MenuItemSaveAs"));
    saveAsItem->setIcon(m_saveAs->icon());
    saveAsItem->setStatusTip(m_saveAs->statusTip());
    saveAsItem->setEnabled(false);
    connect(saveAsItem, &QAction::triggered, m_saveAs, &QAction::trigger);
    connect(m_saveAs, &QAction::enabledChanged, saveAsItem, &QAction::setEnabled);
    file->addSeparator();
    file->addAction(m_runPlan);
    file->addSeparator();
    file->addAction(m_exit);

    QMenu *edit = menu(tr("&Edit"), QStringLiteral("MenuEdit"), tr("Edit commands"));
    edit->addAction(m_copy);
    edit->addAction(m_paste);
    edit->addAction(m_cut);
    edit->addSeparator();
    edit->addAction(m_editFields);

    QMenu *options = menu(tr("&Options"), QStringLiteral("MenuOptions"), tr("Options|Options "));
    options->addAction(m_editFixedAnswers);
    options->addAction(m_testFixedAnswers);
    options->addAction(m_editReturnCodes);
    options->addSeparator();
    options->addAction(m_resetPorts);
    options->addAction(m_recordCapture);
    options->addSeparator();
    options->addAction(m_preferences);

    m_windowMenu = menu(tr("&Window"), QStringLiteral("MenuWindow"), tr("Window related commands"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainActions::FillWindowMenu);
    FillWindowMenu();

    QMenu *help = menu(tr("&Help"), QStringLiteral("MenuHelp"), tr("Help topics"));
    help->addAction(m_about);

    m_contextMenu = new QMenu(m_window);
    m_contextMenu->setObjectName(QStringLiteral("PopupMenuMain"));
    m_contextMenu->addAction(m_minimizeAll);
    m_contextMenu->addAction(m_cascade);
    m_contextMenu->addAction(m_arrange);
    m_area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_area, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_area->mapToGlobal(pos)); });
}

void TMainActions::FillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_cascade);
    m_windowMenu->addAction(m_tileHorizontally);
    m_windowMenu->addAction(m_tileVertically);
    m_windowMenu->addAction(m_minimizeAll);
    m_windowMenu->addAction(m_arrange);
    const QList<QMdiSubWindow *> windows = m_area->subWindowList();
    if (!windows.isEmpty())
        m_windowMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        ++number;
        QAction *item = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == m_area->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (!window)
                return;
            if (window->isMinimized() || window->isHidden())
                window->showNormal();
            m_area->setActiveSubWindow(window);
        });
    }
}

void TMainActions::CreateToolBar()
{
    QToolBar *bar = m_window->addToolBar(tr("Main"));
    bar->setObjectName(QStringLiteral("ToolBarMain"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->addAction(m_newFile);
    bar->addAction(m_open);
    // The toolbar's Save As carries a hint of its own.
    QAction *saveAsButton = NewAction(QStringLiteral("ToolButtonSaveAs"), m_saveAs->text(),
                                      tr("Save terminal file as ..."));
    saveAsButton->setIcon(m_saveAs->icon());
    saveAsButton->setEnabled(m_saveAs->isEnabled());
    connect(saveAsButton, &QAction::triggered, m_saveAs, &QAction::trigger);
    connect(m_saveAs, &QAction::enabledChanged, saveAsButton, &QAction::setEnabled);
    bar->addAction(saveAsButton);
    bar->addSeparator();
    bar->addAction(m_cut);
    bar->addAction(m_copy);
    bar->addAction(m_paste);
    bar->addSeparator();
    bar->addAction(m_cascade);
    bar->addAction(m_tileHorizontally);
    bar->addAction(m_tileVertically);
    bar->addSeparator();
    bar->addAction(m_editFields);
    bar->addAction(m_editFixedAnswers);
    bar->addAction(m_testFixedAnswers);
    bar->addAction(m_editReturnCodes);
    bar->addSeparator();
    bar->addAction(m_fiscalPort);
}

void TMainActions::ShowFiscalButton(bool inUse)
{
    m_fiscalPort->setChecked(!inUse);
    const QString hint = tr(inUse ? DisableFiscalHint : EnableFiscalHint);
    m_fiscalPort->setToolTip(HintText::ShortHint(hint));
    m_fiscalPort->setStatusTip(HintText::LongHint(hint));
    m_fiscalPort->setIcon(TActionIcons::Icon(inUse ? TActionIcons::FiscalEnabled : TActionIcons::FiscalDisabled));
}

void TMainActions::ShowCapture(bool recording)
{
    m_recordCapture->setChecked(recording);
    m_recordCapture->setText(recording ? tr("Stop &capture") : tr("Record &capture..."));
    const QString hint = recording ? tr("Stop recording the capture") : tr("Record every exchange of both ports into a capture file");
    m_recordCapture->setToolTip(HintText::ShortHint(hint));
    m_recordCapture->setStatusTip(HintText::LongHint(hint));
}

void TMainActions::Tile(bool horizontally)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_area->subWindowList())
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    const QList<QRect> rects = MdiLayout::TileRects(m_area->viewport()->rect(), int(windows.size()), horizontally);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

void TMainActions::UpdateWindowActions()
{
    const bool children = !m_area->subWindowList().isEmpty();
    for (QAction *action : {m_cascade, m_tileHorizontally, m_tileVertically, m_minimizeAll, m_arrange})
        action->setEnabled(children);
}

void TMainActions::TrackFocus(QWidget *focus)
{
    if (m_trackedFocus)
        disconnect(m_trackedFocus, nullptr, this, nullptr);
    m_trackedFocus = TextTarget(focus);
    if (auto *line = qobject_cast<QLineEdit *>(m_trackedFocus.data()))
        connect(line, &QLineEdit::selectionChanged, this, &TMainActions::UpdateEditActions);
    else if (auto *text = qobject_cast<QTextEdit *>(m_trackedFocus.data()))
        connect(text, &QTextEdit::copyAvailable, this, &TMainActions::UpdateEditActions);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(m_trackedFocus.data()))
        connect(plain, &QPlainTextEdit::copyAvailable, this, &TMainActions::UpdateEditActions);
    UpdateEditActions();
}

void TMainActions::UpdateEditActions()
{
    QWidget *target = TextTarget(QApplication::focusWidget());
    const bool selection = target && HasSelection(target);
    const bool editable = target && !IsReadOnly(target);
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    m_copy->setEnabled(selection);
    m_cut->setEnabled(selection && editable);
    m_paste->setEnabled(editable && clipboard && clipboard->hasText());
}

void TMainActions::DoOnText(const char *slot)
{
    if (QWidget *target = TextTarget(QApplication::focusWidget()))
        QMetaObject::invokeMethod(target, slot);
    UpdateEditActions();
}
