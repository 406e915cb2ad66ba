#pragma once

#include "cli/cli_sender.h"
#include "execution/answer_page.h"

#include <QJsonObject>
#include <QString>

class TExtIniFile;

// What the send command prints: the outcome, the host answer as the answer
// page shows it (status words with their panels, return code, the rows the
// window shows) and the fiscal answers, as text or as one JSON object.
class TSendReport {
public:
    struct TInput {
        QString command;   // "GROUP/COMMAND"
        TCliSender::TResult result;
        TAnswerPage::TOptions options;
    };

    static TSendReport Build(const TExtIniFile &ini, const TInput &input);

    // The answer definitions could not be read in full; rows past the last
    // one read are named "Field<r>".
    QString AnswerError() const { return m_page.error; }

    QJsonObject ToJson() const;
    QString ToText() const;

    // The process exit status of an outcome: 0 answer or ACK, 2 time-out or
    // write error, 3 NAK, 4 bad field input, 1 anything else.
    static int ExitStatus(TRunOutcome::TKind kind);

private:
    TInput m_input;
    bool m_hasAnswer = false;
    TAnswerPage m_page;
    QString m_returnCodeText;
};
