#pragma once

#include "execution/command_definition.h"
#include "execution/command_runner.h"
#include "execution/fixed_answer_table.h"

#include <QWidget>

#include <memory>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TAnswerDisplay;
class TCommandInputPanel;
class TExtIniFile;
class TFPAuxControl;
class TFPHostControl;
class TNoticeBar;
class TPrompts;
struct TSettings;

// The right side of the terminal window: the notice bar, the pages (the
// input panel of the command on display, the host answer, the fiscal
// answers) and Send, Repeat and Cancel, with the runner that carries a
// command to the printer and its answer back.
class TCommandPage : public QWidget
{
    Q_OBJECT

public:
    enum TPage { CommandsPage = 0, HostAnswerPage = 1, FiscalAnswerPage = 2 };

    // The page reads commands and fixed answers from fileCopy, which its
    // owner keeps and re-reads. The components belong to the main window and
    // outlive the page; a null component counts as a closed port.
    TCommandPage(TSettings &settings, TPrompts &prompts, const TExtIniFile &fileCopy,
                 TFPHostControl *host = nullptr, TFPAuxControl *aux = nullptr, QWidget *parent = nullptr);
    ~TCommandPage() override;

    // The file copy was read again: the fixed-answer records may have
    // changed.
    void ReadFixedAnswers();
    // The command the tree selected: its inputs are shown unless they are
    // already; an empty section clears the page.
    void ShowSelectedCommand(const QString &section);
    // Builds the inputs of the command anew, as it is in the file now.
    void ShowCommand(const QString &section);
    // A rename moved a command to another section: the page, its kept values
    // and its answers follow the new name.
    void FollowRename(const QString &from, const QString &to);
    void ShowCommandsPage();

    QString CommandKey() const;
    QTabWidget *PageControl() const { return m_pages; }
    TCommandRunner &Runner() { return *m_runner; }
    TCommandInputPanel *InputPanel() const { return m_inputPanel; }
    TAnswerDisplay *AnswerDisplay() const { return m_answerDisplay; }
    QPlainTextEdit *FiscalAnswerMemo() const { return m_fiscalMemo; }
    QPushButton *ButtonSend() const { return m_buttonSend; }
    QPushButton *ButtonRepeat() const { return m_buttonRepeat; }
    QPushButton *ButtonCancel() const { return m_buttonCancel; }
    // What the page has to say in full: why Send is disabled, which panels
    // or answer names are missing.
    TNoticeBar *NoticeBar() const { return m_noticeBar; }

    // While a plan runs through the page's runner, Send and Repeat stay
    // disabled as during a Repeat, and its steps' errors are the plan's to
    // report, not an error box's.
    void SetPlanRunning(bool running);
    bool PlanRunning() const { return m_planRunning; }

    // The buttons call these.
    void Send();
    void Repeat();
    void Cancel();

    // The tester's entry point: decodes the two words with the records as
    // they are in the file now.
    void ShowAnswer(quint16 fiscal, quint16 printer);
    // After the fixed-answer editor: the old panels may name records that
    // are gone.
    void ClearFiscalPanels();
    void ClearPrinterPanels();

signals:
    // Text for status panel 1 of the main window.
    void StatusText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildPages();
    void BuildButtons(QWidget *buttonPanel);
    void ChainTabOrder();
    void ConnectRunner();
    // Hands the command on display, with what the user entered, to the
    // runner; false when it cannot be read in full.
    bool TakeCommand();
    // Input controls of the command section, for the page as it is now.
    void FreeCommandControls();
    void ClearCommand();
    // Send and Repeat as the command on display allows them now.
    TCommandRunner::TButtonStates IdleButtons() const;
    void ShowReceivedAnswer(const TReceivedAnswer &answer);
    void AppendFiscalAnswer(const QByteArray &text);
    QWidget *ScrollBox(TPage page) const;

    TSettings &m_settings;
    TPrompts &m_prompts;
    const TExtIniFile &m_fileCopy;
    // Stand in, never opened, for a component the page was not given.
    std::unique_ptr<TFPHostControl> m_closedHost;
    std::unique_ptr<TFPAuxControl> m_closedAux;
    // After the stand-ins, so that it goes before the components it refers to.
    std::unique_ptr<TCommandRunner> m_runner;
    TCommandDefinition m_definition;
    TFixedAnswerTable m_fiscalTable;
    TFixedAnswerTable m_printerTable;
    QString m_commandKey;
    bool m_planRunning = false;

    TNoticeBar *m_noticeBar = nullptr;
    QTabWidget *m_pages = nullptr;
    TCommandInputPanel *m_inputPanel = nullptr;
    TAnswerDisplay *m_answerDisplay = nullptr;
    QPlainTextEdit *m_fiscalMemo = nullptr;
    QPushButton *m_buttonSend = nullptr;
    QPushButton *m_buttonRepeat = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
