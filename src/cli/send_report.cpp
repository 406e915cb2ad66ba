#include "cli/send_report.h"

#include "execution/comm_log_formatter.h"
#include "execution/execution_texts.h"
#include "terminal_model/color_notation.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/text_codec.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <algorithm>

namespace {

QString PortName(TCommandPort port)
{
    return port == cpFiscalPort ? QStringLiteral("fiscal") : QStringLiteral("host");
}

QJsonArray PanelsJson(const QList<TFixedAnswerTable::TPanel> &panels)
{
    QJsonArray array;
    for (int i = 0; i < panels.size(); ++i) {
        const TFixedAnswerTable::TPanel &panel = panels.at(i);
        if (!panel.shown)
            continue;
        array.append(QJsonObject{{QStringLiteral("panel"), i + 1},
                                 {QStringLiteral("text"), panel.text},
                                 {QStringLiteral("color"), TColorNotation::ToText(panel.color)}});
    }
    return array;
}

void PanelsText(QString &text, const QList<TFixedAnswerTable::TPanel> &panels)
{
    for (int i = 0; i < panels.size(); ++i) {
        const TFixedAnswerTable::TPanel &panel = panels.at(i);
        if (panel.shown)
            text += QCoreApplication::translate("TSendReport", "  panel %1: %2 (%3)\n")
                        .arg(i + 1)
                        .arg(panel.text, TColorNotation::ToText(panel.color));
    }
}

// Milliseconds to the microsecond, as JSON numbers are read by tools.
QJsonValue ElapsedJson(qint64 elapsedUs)
{
    if (elapsedUs < 0)
        return QJsonValue::Null;
    return double(elapsedUs) / 1000.0;
}

// Auxiliary answers are bytes of the printer's single-byte code page.
QString FiscalAnswerText(const QByteArray &answer)
{
    return TTextCodec::DecodeWindows1252(answer);
}

}

TSendReport TSendReport::Build(const TExtIniFile &ini, const TInput &input)
{
    TSendReport report;
    report.m_input = input;
    const TRunOutcome &outcome = input.result.outcome;
    report.m_hasAnswer = outcome.port == cpHostPort && outcome.kind == TRunOutcome::Answer;
    if (report.m_hasAnswer) {
        report.m_page = TAnswerPage::Build(ini, TFixedAnswerTable::Load(ini, FiscalAnswerSection),
                                           TFixedAnswerTable::Load(ini, PrinterAnswerSection),
                                           outcome.answer, input.options);
        report.m_returnCodeText = ReturnCodeDescription(ini, outcome.answer.returnCode);
    }
    return report;
}

int TSendReport::ExitStatus(TRunOutcome::TKind kind)
{
    switch (kind) {
    case TRunOutcome::Answer:
    case TRunOutcome::Ack:
        return 0;
    case TRunOutcome::TimeOut:
    case TRunOutcome::WriteError:
        return 2;
    case TRunOutcome::Nak:
        return 3;
    case TRunOutcome::BadInput:
        return 4;
    default:
        return 1;
    }
}

QJsonObject TSendReport::ToJson() const
{
    const TRunOutcome &outcome = m_input.result.outcome;
    QJsonObject json{{QStringLiteral("command"), m_input.command},
                     {QStringLiteral("port"), PortName(outcome.port)},
                     {QStringLiteral("outcome"), TRunOutcome::KindName(outcome.kind)},
                     {QStringLiteral("sent"), outcome.sent},
                     {QStringLiteral("elapsedMs"), ElapsedJson(outcome.ElapsedUs)}};
    QJsonArray steps;
    for (int i = 0; i < outcome.StepElapsedUs.size(); ++i)
        steps.append(QJsonObject{{QStringLiteral("step"), i + 1},
                                 {QStringLiteral("elapsedMs"), ElapsedJson(outcome.StepElapsedUs.at(i))}});
    json.insert(QStringLiteral("steps"), steps);
    if (m_hasAnswer) {
        json.insert(QStringLiteral("printerStatus"), TAnswerPage::StatusWordText(outcome.answer.printerStatus));
        json.insert(QStringLiteral("fiscalStatus"), TAnswerPage::StatusWordText(outcome.answer.fiscalStatus));
        json.insert(QStringLiteral("returnCode"), int(outcome.answer.returnCode));
        json.insert(QStringLiteral("returnCodeText"), m_returnCodeText);
    } else {
        // No host answer: nothing to decode.
        for (const char *key : {"printerStatus", "fiscalStatus", "returnCode", "returnCodeText"})
            json.insert(QLatin1String(key), QJsonValue::Null);
    }
    json.insert(QStringLiteral("fiscalPanels"), PanelsJson(m_page.fiscalPanels));
    json.insert(QStringLiteral("printerPanels"), PanelsJson(m_page.printerPanels));

    QJsonArray rows;
    for (const TAnswerRow &row : m_page.rows) {
        if (!row.visible)
            continue;
        QJsonObject object{{QStringLiteral("label"), row.label}, {QStringLiteral("text"), row.text}};
        if (!row.hint.isEmpty())
            object.insert(QStringLiteral("hint"), row.hint);
        rows.append(object);
    }
    json.insert(QStringLiteral("rows"), rows);

    QJsonArray fiscalAnswers;
    for (const QByteArray &answer : outcome.fiscalAnswers)
        fiscalAnswers.append(FiscalAnswerText(answer));
    json.insert(QStringLiteral("fiscalAnswers"), fiscalAnswers);

    QJsonArray frames;
    for (const TCliSender::TFrame &frame : m_input.result.frames)
        frames.append(QJsonObject{{QStringLiteral("dir"), frame.out ? QStringLiteral("out") : QStringLiteral("in")},
                                  {QStringLiteral("port"), PortName(frame.port)},
                                  {QStringLiteral("hex"), TCommLogFormatter::Hex(frame.bytes)}});
    json.insert(QStringLiteral("frames"), frames);
    if (!m_page.error.isEmpty())
        json.insert(QStringLiteral("answerError"), m_page.error);
    if (outcome.kind == TRunOutcome::BadInput && outcome.field >= 0)
        json.insert(QStringLiteral("field"), outcome.field + 1);
    return json;
}

QString TSendReport::ToText() const
{
    const TRunOutcome &outcome = m_input.result.outcome;
    QString text = QCoreApplication::translate("TSendReport", "Outcome: %1 (%2 sent)\n")
                       .arg(TRunOutcome::KindName(outcome.kind))
                       .arg(outcome.sent);
    if (outcome.ElapsedUs >= 0)
        text += ExecutionTexts::AnsweredIn(outcome.ElapsedUs) + QLatin1Char('\n');
    if (outcome.StepElapsedUs.size() > 1) {
        const auto [fastest, slowest] = std::minmax_element(outcome.StepElapsedUs.cbegin(), outcome.StepElapsedUs.cend());
        qint64 total = 0;
        for (const qint64 us : outcome.StepElapsedUs)
            total += us;
        text += QCoreApplication::translate("TSendReport", "Steps answered: %1; fastest %2 ms, mean %3 ms, slowest %4 ms\n")
                    .arg(QString::number(outcome.StepElapsedUs.size()), ExecutionTexts::Milliseconds(*fastest),
                         ExecutionTexts::Milliseconds(total / outcome.StepElapsedUs.size()),
                         ExecutionTexts::Milliseconds(*slowest));
    }
    if (m_hasAnswer) {
        text += QCoreApplication::translate("TSendReport", "Fiscal status: %1\n").arg(TAnswerPage::StatusWordText(outcome.answer.fiscalStatus));
        PanelsText(text, m_page.fiscalPanels);
        text += QCoreApplication::translate("TSendReport", "Printer status: %1\n").arg(TAnswerPage::StatusWordText(outcome.answer.printerStatus));
        PanelsText(text, m_page.printerPanels);
        text += (QCoreApplication::translate("TSendReport", "Return code: %1 ").arg(outcome.answer.returnCode) + m_returnCodeText).trimmed() + QLatin1Char('\n');
        for (const TAnswerRow &row : m_page.rows)
            if (row.visible)
                text += row.label + QStringLiteral(": ") + row.text + QLatin1Char('\n');
    }
    for (const QByteArray &answer : outcome.fiscalAnswers)
        text += QCoreApplication::translate("TSendReport", "Fiscal answer: ") + FiscalAnswerText(answer) + QLatin1Char('\n');
    return text;
}
