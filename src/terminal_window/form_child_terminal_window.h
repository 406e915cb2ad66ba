#pragma once

#include "execution/command_runner.h"
#include "execution/field_value.h"
#include "terminal_model/ext_ini_file.h"

#include <QMdiSubWindow>

class QSplitter;
class TCommandPage;
class TCommandTree;
class TFPAuxControl;
class TFPHostControl;
class TPrompts;
struct TSettings;

// The child window in which the user works on one terminal file: the command
// tree on the left, the command page on the right, with a splitter between
// them. Every tree operation is written to the file at once; the window
// keeps no unsaved state, only a copy of the file as last read, from which
// the page shows commands and answers.
class TFormChildTerminalWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    static constexpr int DesignedTreeWidth = 127;

    // The components belong to the main window and outlive this window; a
    // null component counts as a closed port.
    TFormChildTerminalWindow(TSettings &settings, TPrompts &prompts, const QString &fileName,
                             QWidget *parent = nullptr, TFPHostControl *host = nullptr,
                             TFPAuxControl *aux = nullptr);
    ~TFormChildTerminalWindow() override;

    QString FileName() const;
    // Empty when the file was read; otherwise why it could not be.
    QString LoadError() const;
    // The whole file as read from disk, for the page.
    const TExtIniFile &FileCopy() const;
    // Re-reads FileCopy after an editor wrote the file.
    void ReloadTerminalFile();

    TCommandTree *CommandTree() const;
    TCommandPage *CommandPage() const;
    int TreeWidth() const;

    // While a plan runs through the page's runner, the tree and Send and
    // Repeat stay disabled as during a Repeat.
    void SetPlanRunning(bool running);
    // Selects the command of this section in the tree and shows it with
    // these values in its fields; false when the tree has no such command.
    bool OpenCommand(const QString &section, const QList<TFieldInput> &inputs);

    void ShowAnswer(quint16 fiscal, quint16 printer);
    void ClearFiscalPanels();
    void ClearPrinterPanels();

signals:
    // Text for status panel 1 of the main window.
    void StatusText(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ReadFileCopy();
    void ConnectParts();

    TSettings &m_settings;
    QString m_fileName;
    QString m_loadError;
    TExtIniFile m_fileCopy;
    QSplitter *m_splitter = nullptr;
    TCommandTree *m_tree = nullptr;
    TCommandPage *m_page = nullptr;
    int m_treeWidth = DesignedTreeWidth;
    bool m_treeEnabled = true;   // as the runner last left it
};
