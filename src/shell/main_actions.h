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
    void UpdateWindowActions();
    // Copy, Cut and Paste follow the text field that has the focus.
    void UpdateEditActions();

    QAction *newFile = nullptr;
    QAction *open = nullptr;
    QAction *close = nullptr;
    QAction *saveAs = nullptr;
    QAction *exit = nullptr;
    QAction *cascade = nullptr;
    QAction *tileHorizontally = nullptr;
    QAction *tileVertically = nullptr;
    QAction *minimizeAll = nullptr;
    QAction *arrange = nullptr;
    QAction *editFixedAnswers = nullptr;
    QAction *testFixedAnswers = nullptr;
    QAction *editReturnCodes = nullptr;
    QAction *editFields = nullptr;
    QAction *copy = nullptr;
    QAction *cut = nullptr;
    QAction *paste = nullptr;
    QAction *resetPorts = nullptr;
    QAction *preferences = nullptr;
    // Pressed means the fiscal port is not in use.
    QAction *fiscalPort = nullptr;
    QAction *about = nullptr;

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

    QMainWindow *m_window;
    QMdiArea *m_area;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_contextMenu = nullptr;
    QPointer<QWidget> m_trackedFocus;
};
