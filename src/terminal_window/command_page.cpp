#include "terminal_window/command_page.h"
#include "terminal_window/terminal_window_texts.h"

#include "widgets/hint_text.h"
#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/answer_page.h"
#include "execution/command_notice.h"
#include "execution/execution_texts.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/settings.h"
#include "terminal_model/text_codec.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/notice_bar.h"
#include "widgets/prompts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

TCommandPage::TCommandPage(TSettings &settings, TPrompts &prompts, const TExtIniFile &fileCopy,
                           TFPHostControl *host, TFPAuxControl *aux, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_prompts(prompts), m_fileCopy(fileCopy)
{
    if (!host) {
        m_closedHost = std::make_unique<TFPHostControl>();
        host = m_closedHost.get();
    }
    if (!aux) {
        m_closedAux = std::make_unique<TFPAuxControl>();
        aux = m_closedAux.get();
    }
    // The runner hears the components' outcome events itself; it goes with
    // the page, and so does whatever they still had on its way to it.
    m_runner = std::make_unique<TCommandRunner>(host, aux);
    m_runner->ConnectComponents();
    setObjectName(QStringLiteral("PanelRight"));
    setMinimumWidth(400);
    BuildPages();
    auto *buttonPanel = new QWidget(this);
    buttonPanel->setObjectName(QStringLiteral("PanelButtons"));
    BuildButtons(buttonPanel);
    m_noticeBar = new TNoticeBar(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_noticeBar);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttonPanel);
    ConnectRunner();
}

TCommandPage::~TCommandPage() = default;

void TCommandPage::BuildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    const auto page = [this](const QString &caption, const QString &name, QWidget *content) {
        auto *scroll = new QScrollArea;
        scroll->setObjectName(name);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        m_pages->addTab(scroll, caption);
    };
    m_inputPanel = new TCommandInputPanel;
    page(tr("Co&mmands"), QStringLiteral("ScrollBoxCommands"), m_inputPanel);
    m_inputPanel->TakeAcceleratorsFrom(m_pages->tabBar());
    m_answerDisplay = new TAnswerDisplay;
    page(tr("Host &Answer"), QStringLiteral("ScrollBoxHostAnswer"), m_answerDisplay);
    m_fiscalMemo = new QPlainTextEdit;
    m_fiscalMemo->setObjectName(QStringLiteral("MemoFiscalAnswer"));
    m_fiscalMemo->setReadOnly(true);
    m_fiscalMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_fiscalMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_fiscalMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_fiscalMemo->setFont(fixed);
    m_fiscalMemo->viewport()->installEventFilter(this);
    m_pages->addTab(m_fiscalMemo, tr("&Fiscal Answer"));
}

void TCommandPage::BuildButtons(QWidget *buttonPanel)
{
    m_buttonSend = new QPushButton(tr("&Send"), buttonPanel);
    m_buttonSend->setObjectName(QStringLiteral("ButtonSend"));
    m_buttonRepeat = new QPushButton(tr("&Repeat ..."), buttonPanel);
    m_buttonRepeat->setObjectName(QStringLiteral("ButtonRepeat"));
    m_buttonCancel = new QPushButton(tr("&Cancel"), buttonPanel);
    m_buttonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    // The long part of each hint goes to the main window's status bar.
    for (const auto &[button, hint] : {std::pair{m_buttonSend, TerminalWindowTexts::Shown(TerminalWindowTexts::SendHint)},
                                       std::pair{m_buttonRepeat, TerminalWindowTexts::Shown(TerminalWindowTexts::RepeatHint)},
                                       std::pair{m_buttonCancel, TerminalWindowTexts::Shown(TerminalWindowTexts::CancelHint)}}) {
        button->setToolTip(HintText::ShortHint(hint));
        button->setStatusTip(HintText::LongHint(hint));
    }
    m_buttonSend->setEnabled(false);
    m_buttonRepeat->setEnabled(false);
    connect(m_buttonSend, &QPushButton::clicked, this, &TCommandPage::Send);
    connect(m_buttonRepeat, &QPushButton::clicked, this, &TCommandPage::Repeat);
    connect(m_buttonCancel, &QPushButton::clicked, this, &TCommandPage::Cancel);
    // The buttons work on the command page only.
    connect(m_pages, &QTabWidget::currentChanged, buttonPanel, [buttonPanel](int index) {
        buttonPanel->setVisible(index == CommandsPage);
    });
    auto *buttons = new QHBoxLayout(buttonPanel);
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->addStretch();
    buttons->addWidget(m_buttonSend);
    buttons->addWidget(m_buttonRepeat);
    buttons->addWidget(m_buttonCancel);
}

void TCommandPage::ChainTabOrder()
{
    // The fields are built after the buttons, which Tab would otherwise
    // reach first: the page tabs, the fields row by row, then the buttons.
    QWidget *previous = m_pages->tabBar();
    for (int i = 0; i < m_inputPanel->FieldCount(); ++i) {
        QWidget::setTabOrder(previous, m_inputPanel->Control(i));
        previous = m_inputPanel->Control(i);
    }
    for (QWidget *button : {m_buttonSend, m_buttonRepeat, m_buttonCancel}) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void TCommandPage::ConnectRunner()
{
    TCommandRunner *runner = m_runner.get();
    runner->SetIdleButtonRule([this] { return IdleButtons(); });
    connect(runner, &TCommandRunner::StatusText, this, &TCommandPage::StatusText);
    connect(m_inputPanel, &TCommandInputPanel::StatusText, this, &TCommandPage::StatusText);
    connect(runner, &TCommandRunner::SendEnabledChanged, m_buttonSend, &QWidget::setEnabled);
    connect(runner, &TCommandRunner::RepeatEnabledChanged, m_buttonRepeat, &QWidget::setEnabled);
    connect(runner, &TCommandRunner::ErrorMessage, this, [this](const QString &text) {
        if (!m_planRunning)
            m_prompts.Error(this, TPrompts::ErrorCaption, ExecutionTexts::Shown(text));
    });
    connect(runner, &TCommandRunner::InformationMessage, this, [this](const QString &text) {
        if (!m_planRunning)
            m_prompts.Information(this, tr("Information"), ExecutionTexts::Shown(text));
    });
    connect(runner, &TCommandRunner::FocusField, this, [this](int field) {
        if (!m_planRunning)
            m_inputPanel->FocusField(field);
    });
    connect(runner, &TCommandRunner::AnswerReady, this, &TCommandPage::ShowReceivedAnswer);
    connect(runner, &TCommandRunner::FiscalAnswer, this, [this](const QByteArray &text) { AppendFiscalAnswer(text); });
}

bool TCommandPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_fiscalMemo->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        m_fiscalMemo->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TCommandPage::ReadFixedAnswers()
{
    QStringList errors;
    m_fiscalTable = TFixedAnswerTable::Load(m_fileCopy, QStringLiteral("FiscalAnswer"), &errors);
    m_printerTable = TFixedAnswerTable::Load(m_fileCopy, QStringLiteral("PrinterAnswer"), &errors);
    m_noticeBar->SetNotice(TNoticeBar::File, errors.isEmpty() ? QString()
                                                              : TerminalWindowTexts::PanelsLeftOut(
                                                                    errors.join(QStringLiteral("; "))));
}

QString TCommandPage::CommandKey() const
{
    return m_commandKey;
}

QWidget *TCommandPage::ScrollBox(TPage page) const
{
    return m_pages->widget(page);
}

void TCommandPage::ShowCommandsPage()
{
    m_pages->setCurrentIndex(CommandsPage);
}

void TCommandPage::FreeCommandControls()
{
    m_inputPanel->Clear();
    m_definition = TCommandDefinition();
}

void TCommandPage::ShowSelectedCommand(const QString &section)
{
    if (section.isEmpty())
        ClearCommand();
    else if (section != m_commandKey)
        ShowCommand(section);
}

void TCommandPage::ClearCommand()
{
    FreeCommandControls();
    QCoreApplication::processEvents();
    m_commandKey.clear();
    m_buttonSend->setEnabled(false);
    m_buttonRepeat->setEnabled(false);
    m_noticeBar->SetNotice(TNoticeBar::Command, QString());
}

void TCommandPage::ShowCommand(const QString &section)
{
    FreeCommandControls();
    m_definition = TCommandDefinition::Load(m_fileCopy, section);
    ShowCommandsPage();
    QCoreApplication::processEvents();
    auto *scroll = static_cast<QScrollArea *>(ScrollBox(CommandsPage));
    m_inputPanel->Build(m_definition, scroll->viewport()->width(), m_inputPanel->logicalDpiX());
    ChainTabOrder();
    m_commandKey = section;

    const TCommandRunner::TButtonStates buttons = IdleButtons();
    m_buttonSend->setEnabled(buttons.Send);
    m_buttonRepeat->setEnabled(buttons.Repeat);
    m_noticeBar->SetNotice(TNoticeBar::Command,
                           CommandNotice(m_definition, m_settings.HostPortOpen, m_settings.FiscalPortOpen));
}

void TCommandPage::SetPlanRunning(bool running)
{
    m_planRunning = running;
    const TCommandRunner::TButtonStates buttons = m_runner->IsRunning() ? TCommandRunner::TButtonStates() : IdleButtons();
    m_buttonSend->setEnabled(buttons.Send);
    m_buttonRepeat->setEnabled(buttons.Repeat);
}

TCommandRunner::TButtonStates TCommandPage::IdleButtons() const
{
    if (m_planRunning)
        return {};
    // A command read only in part would send the wrong frame.
    return TCommandRunner::IdleButtons(m_definition.IsSendable() ? int(m_definition.fields.size()) : 0,
                                       m_definition.port, m_settings.HostPortOpen, m_settings.FiscalPortOpen);
}

void TCommandPage::FollowRename(const QString &from, const QString &to)
{
    if (m_commandKey == from) {
        m_commandKey = to;
        m_definition.key = to;
    }
    m_runner->RenameSection(from, to);
    m_inputPanel->RenameSection(from, to);
}

bool TCommandPage::TakeCommand()
{
    // A command read only in part would send the wrong frame.
    if (!m_definition.error.isEmpty())
        return false;
    m_runner->SetCommand(m_definition.RunCommand(m_inputPanel->Inputs(), m_settings.InputDateFormat));
    return true;
}

void TCommandPage::Send()
{
    if (TakeCommand())
        m_runner->Send();
}

void TCommandPage::Repeat()
{
    if (!TakeCommand())
        return;
    if (m_definition.port == cpFiscalPort)
        m_runner->Repeat(0);
    else if (!m_runner->RefuseBadInput())
        m_runner->Repeat(TCommandRunner::RepeatCount(m_prompts.InputText(this, TerminalWindowTexts::Shown(TerminalWindowTexts::RepeatPrompt))));
}

void TCommandPage::Cancel()
{
    const bool pending = m_runner->CommandPending();
    m_runner->Cancel();
    // A Repeat run says "Abort" itself once its step has stopped.
    if (pending)
        emit StatusText(ExecutionTexts::Abort);
}

void TCommandPage::ShowAnswer(quint16 fiscal, quint16 printer)
{
    TReceivedAnswer answer;
    answer.commandKey = m_runner->SentCommandKey();
    answer.fiscalStatus = fiscal;
    answer.printerStatus = printer;
    ShowReceivedAnswer(answer);
}

void TCommandPage::ShowReceivedAnswer(const TReceivedAnswer &answer)
{
    const TAnswerPage page = TAnswerPage::Build(m_fileCopy, m_fiscalTable, m_printerTable, answer,
                                                TAnswerPage::TOptions::FromSettings(m_settings));
    auto *scroll = static_cast<QScrollArea *>(ScrollBox(HostAnswerPage));
    // The pages share one place, but one not in front keeps the size it
    // had when it last was.
    scroll->resize(m_pages->currentWidget()->size());
    m_answerDisplay->Show(page, TAnswerDisplay::ContentWidth(scroll));
    m_pages->setCurrentIndex(HostAnswerPage);
    scroll->setFocus(Qt::OtherFocusReason);
    m_noticeBar->SetNotice(TNoticeBar::Answer,
                           page.error.isEmpty() ? QString()
                                               : TerminalWindowTexts::AnswerFieldsUnreadable(answer.commandKey, page.error));
}

void TCommandPage::AppendFiscalAnswer(const QByteArray &text)
{
    m_pages->setCurrentIndex(FiscalAnswerPage);
    m_fiscalMemo->appendPlainText(TTextCodec::DecodeWindows1252(text));
}

void TCommandPage::ClearFiscalPanels()
{
    m_answerDisplay->ClearFiscalPanels();
}

void TCommandPage::ClearPrinterPanels()
{
    m_answerDisplay->ClearPrinterPanels();
}
