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

const QString EnableFiscalHint = QStringLiteral("Enable Fiscal port");
const QString DisableFiscalHint = QStringLiteral("Disable Fiscal port");

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
    newFile = NewAction(QStringLiteral("ActionNew"), QStringLiteral("&New"), QStringLiteral("New terminal file"));
    newFile->setIcon(TActionIcons::Icon(TActionIcons::New));
    open = NewAction(QStringLiteral("ActionOpen"), QStringLiteral("&Open"), QStringLiteral("Open terminal file"),
                     QKeySequence(Qt::CTRL | Qt::Key_O));
    open->setIcon(TActionIcons::Icon(TActionIcons::Open));
    close = NewAction(QStringLiteral("ActionClose"), QStringLiteral("&Close"), QStringLiteral("Close terminal file"));
    saveAs = NewAction(QStringLiteral("ActionSaveAs"), QStringLiteral("Save Terminal As ..."),
                       QStringLiteral("Save terminal file"));
    saveAs->setIcon(TActionIcons::Icon(TActionIcons::SaveAs));
    exit = NewAction(QStringLiteral("ActionExit"), QStringLiteral("E&xit"), QStringLiteral("Application exit "));

    cascade = NewAction(QStringLiteral("ActionWindowCascade"), QStringLiteral("&Cascade"),
                        QStringLiteral("Cascade windows"));
    cascade->setIcon(TActionIcons::Icon(TActionIcons::Cascade));
    connect(cascade, &QAction::triggered, m_area, &QMdiArea::cascadeSubWindows);
    tileHorizontally = NewAction(QStringLiteral("ActionWindowTileHorizontal"), QStringLiteral("Tile &Horizontally"),
                                 QStringLiteral("Tile horizontally"));
    tileHorizontally->setIcon(TActionIcons::Icon(TActionIcons::TileHorizontal));
    tileVertically = NewAction(QStringLiteral("ActionWindowTileVertical"), QStringLiteral("&Tile Vertically"),
                               QStringLiteral("Tile vertically"));
    tileVertically->setIcon(TActionIcons::Icon(TActionIcons::TileVertical));
    connect(tileHorizontally, &QAction::triggered, this, [this] { Tile(true); });
    connect(tileVertically, &QAction::triggered, this, [this] { Tile(false); });
    minimizeAll = NewAction(QStringLiteral("ActionWindowMinimizeAll"), QStringLiteral("&Minimize All"),
                            QStringLiteral("Minimize windows"));
    connect(minimizeAll, &QAction::triggered, this, [this] {
        for (QMdiSubWindow *window : m_area->subWindowList())
            window->showMinimized();
    });
    arrange = NewAction(QStringLiteral("ActionWindowArrange"), QStringLiteral("&Arrange"),
                        QStringLiteral("Arrange windows"));

    editFixedAnswers = NewAction(QStringLiteral("ActionEditFixAnswer"), QStringLiteral("&Edit fixed answer fields"),
                                 QStringLiteral("Edit fixed answer fields"));
    editFixedAnswers->setIcon(TActionIcons::Icon(TActionIcons::EditFixedAnswer));
    testFixedAnswers = NewAction(QStringLiteral("ActionTestFixAnswer"), QStringLiteral("&Test fixed answer fields"),
                                 QStringLiteral("Test fixed answer fields"));
    testFixedAnswers->setIcon(TActionIcons::Icon(TActionIcons::TestFixedAnswer));
    editReturnCodes = NewAction(QStringLiteral("ActionEditRC"), QStringLiteral("Edit &Return code "),
                                QStringLiteral("Edit return code description"));
    editReturnCodes->setIcon(TActionIcons::Icon(TActionIcons::EditReturnCode));
    editFields = NewAction(QStringLiteral("ActionEditFields"), QStringLiteral("&Edit fields"),
                           QStringLiteral("Edit the fields of the selected command"));
    editFields->setIcon(TActionIcons::Icon(TActionIcons::EditFields));

    copy = NewAction(QStringLiteral("ActionEditCopy"), QStringLiteral("&Copy"), QStringLiteral("Copy|Copy"),
                     QKeySequence(Qt::CTRL | Qt::Key_C));
    copy->setIcon(TActionIcons::Icon(TActionIcons::Copy));
    cut = NewAction(QStringLiteral("ActionEditCut"), QStringLiteral("Cu&t"), QStringLiteral("Cut|Cut"),
                    QKeySequence(Qt::CTRL | Qt::Key_X));
    cut->setIcon(TActionIcons::Icon(TActionIcons::Cut));
    paste = NewAction(QStringLiteral("ActionEditPaste"), QStringLiteral("&Paste"), QStringLiteral("Paste|Paste"),
                      QKeySequence(Qt::CTRL | Qt::Key_V));
    paste->setIcon(TActionIcons::Icon(TActionIcons::Paste));
    connect(copy, &QAction::triggered, this, [this] { DoOnText("copy"); });
    connect(cut, &QAction::triggered, this, [this] { DoOnText("cut"); });
    connect(paste, &QAction::triggered, this, [this] { DoOnText("paste"); });

    resetPorts = NewAction(QStringLiteral("MenuItemResetserialports"), QStringLiteral("Re&set serial ports"),
                           QStringLiteral("Reset all open serial ports"));
    preferences = NewAction(QStringLiteral("MenuItemPreferences"), QStringLiteral("&Preferences"),
                            QStringLiteral("System preferences|System preferences"));
    fiscalPort = NewAction(QStringLiteral("ToolButtonFiscal"), QStringLiteral("Fiscal port"), EnableFiscalHint);
    fiscalPort->setCheckable(true);
    about = NewAction(QStringLiteral("MenuItemHelpAbout"), QStringLiteral("&About..."), QString());
}

void TMainActions::CreateMenus()
{
    const auto menu = [this](const QString &title, const QString &name, const QString &hint) {
        QMenu *m = m_window->menuBar()->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setStatusTip(HintText::LongHint(hint));
        return m;
    };
    QMenu *file = menu(QStringLiteral("&File"), QStringLiteral("MenuFile"), QStringLiteral("File related commands"));
    file->addAction(newFile);
    file->addAction(open);
    file->addAction(close);
    QAction *saveAsItem = file->addAction(QStringLiteral("Save terminal file &As ..."));
    saveAsItem->setObjectName(QStringLiteral("MenuItemSaveAs"));
    saveAsItem->setIcon(saveAs->icon());
    saveAsItem->setStatusTip(saveAs->statusTip());
    saveAsItem->setEnabled(false);
    connect(saveAsItem, &QAction::triggered, saveAs, &QAction::trigger);
    connect(saveAs, &QAction::enabledChanged, saveAsItem, &QAction::setEnabled);
    file->addSeparator();
    file->addAction(exit);

    QMenu *edit = menu(QStringLiteral("&Edit"), QStringLiteral("MenuEdit"), QStringLiteral("Edit commands"));
    edit->addAction(copy);
    edit->addAction(paste);
    edit->addAction(cut);
    edit->addSeparator();
    edit->addAction(editFields);

    QMenu *options = menu(QStringLiteral("&Options"), QStringLiteral("MenuOptions"), QStringLiteral("Options|Options "));
    options->addAction(editFixedAnswers);
    options->addAction(testFixedAnswers);
    options->addAction(editReturnCodes);
    options->addSeparator();
    options->addAction(resetPorts);
    options->addSeparator();
    options->addAction(preferences);

    m_windowMenu = menu(QStringLiteral("&Window"), QStringLiteral("MenuWindow"), QStringLiteral("Window related commands"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainActions::FillWindowMenu);
    FillWindowMenu();

    QMenu *help = menu(QStringLiteral("&Help"), QStringLiteral("MenuHelp"), QStringLiteral("Help topics"));
    help->addAction(about);

    m_contextMenu = new QMenu(m_window);
    m_contextMenu->setObjectName(QStringLiteral("PopupMenuMain"));
    m_contextMenu->addAction(minimizeAll);
    m_contextMenu->addAction(cascade);
    m_contextMenu->addAction(arrange);
    m_area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_area, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_contextMenu->popup(m_area->mapToGlobal(pos)); });
}

void TMainActions::FillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(cascade);
    m_windowMenu->addAction(tileHorizontally);
    m_windowMenu->addAction(tileVertically);
    m_windowMenu->addAction(minimizeAll);
    m_windowMenu->addAction(arrange);
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
    QToolBar *bar = m_window->addToolBar(QStringLiteral("Main"));
    bar->setObjectName(QStringLiteral("ToolBarMain"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->addAction(newFile);
    bar->addAction(open);
    // The toolbar's Save As carries a hint of its own.
    QAction *saveAsButton = NewAction(QStringLiteral("ToolButtonSaveAs"), saveAs->text(),
                                      QStringLiteral("Save terminal file as ..."));
    saveAsButton->setIcon(saveAs->icon());
    saveAsButton->setEnabled(saveAs->isEnabled());
    connect(saveAsButton, &QAction::triggered, saveAs, &QAction::trigger);
    connect(saveAs, &QAction::enabledChanged, saveAsButton, &QAction::setEnabled);
    bar->addAction(saveAsButton);
    bar->addSeparator();
    bar->addAction(cut);
    bar->addAction(copy);
    bar->addAction(paste);
    bar->addSeparator();
    bar->addAction(cascade);
    bar->addAction(tileHorizontally);
    bar->addAction(tileVertically);
    bar->addSeparator();
    bar->addAction(editFields);
    bar->addAction(editFixedAnswers);
    bar->addAction(testFixedAnswers);
    bar->addAction(editReturnCodes);
    bar->addSeparator();
    bar->addAction(fiscalPort);
}

void TMainActions::ShowFiscalButton(bool inUse)
{
    fiscalPort->setChecked(!inUse);
    const QString hint = inUse ? DisableFiscalHint : EnableFiscalHint;
    fiscalPort->setToolTip(HintText::ShortHint(hint));
    fiscalPort->setStatusTip(HintText::LongHint(hint));
    fiscalPort->setIcon(TActionIcons::Icon(inUse ? TActionIcons::FiscalEnabled : TActionIcons::FiscalDisabled));
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
    for (QAction *action : {cascade, tileHorizontally, tileVertically, minimizeAll, arrange})
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
    copy->setEnabled(selection);
    cut->setEnabled(selection && editable);
    paste->setEnabled(editable && clipboard && clipboard->hasText());
}

void TMainActions::DoOnText(const char *slot)
{
    if (QWidget *target = TextTarget(QApplication::focusWidget()))
        QMetaObject::invokeMethod(target, slot);
    UpdateEditActions();
}
