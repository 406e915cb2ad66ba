#pragma once

#include "execution/answer_rows.h"
#include "execution/command_runner.h"
#include "execution/fixed_answer_table.h"
#include "terminal_model/answer_field.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TExtIniFile;
struct TSettings;

// Everything the "Host &Answer" page shows for one answer, before any
// widget: the captions of the two status boxes, their decoded panels, and
// the answer rows named by the definitions of the command that was sent.
struct TAnswerPage {
    // How the document reads answers: its [General] values and the
    // preference for the extended protocol's reserved rows.
    struct TOptions {
        int protocol = 1;
        int inputDateFormat = 0;
        int outputDateFormat = 0;
        bool extReservedFields = false;
        QDate today;

        // As the window reads answers: the open file's [General] values as
        // the settings hold them, and today.
        static TOptions FromSettings(const TSettings &settings);
        // As tessaly-cli reads them: the file's own [General] date layouts
        // (an index out of range is the first), the protocol of the run and
        // the user's preference for the reserved rows.
        static TOptions FromFile(const TExtIniFile &ini, int protocol, const TSettings &settings,
                                 const QDate &today);
    };

    static inline const QString FiscalHint = QStringLiteral("Decode Fiscal state");
    static inline const QString PrinterHint = QStringLiteral("Decode Printer state");

    QString fiscalCaption;    // "Fiscal answer = " and the word in 4 hex digits
    QString printerCaption;   // "Printer answer = " and the word
    // "Answered in 127 ms"; empty when the time was not measured.
    QString ElapsedCaption;
    QList<TFixedAnswerTable::TPanel> fiscalPanels;
    QList<TFixedAnswerTable::TPanel> printerPanels;
    // Every text the two tables can show: the panels are as wide as the
    // widest, whichever the answer shows.
    QStringList panelTexts;
    QList<TAnswerRow> rows;
    // The answer definitions could not be read in full
    // ("'<item>' is not a valid integer value"); rows past the last one
    // read are shown as "Field<r>".
    QString error;

    // A command's answer definitions as read from the document; error as
    // for the page.
    struct TDefinitions {
        QList<TAnswerField> fields;
        QString error;
        static TDefinitions Read(const TExtIniFile &ini, const QString &commandKey);
    };

    // The answer definitions and the return-code description are read from
    // the document for every answer, so that edits show at the next one.
    static TAnswerPage Build(const TExtIniFile &ini, const TFixedAnswerTable &fiscalTable,
                             const TFixedAnswerTable &printerTable,
                             const TReceivedAnswer &answer, const TOptions &options);
    // The same with the definitions of the answer's command and the
    // description of its return code already read: a plan run reads each
    // once.
    static TAnswerPage Build(const TDefinitions &definitions, const QString &returnCodeText,
                             const TFixedAnswerTable &fiscalTable, const TFixedAnswerTable &printerTable,
                             const TReceivedAnswer &answer, const TOptions &options);

    // "0600" for 0x0600.
    static QString StatusWordText(quint16 word);
};
