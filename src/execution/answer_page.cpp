#include "execution/answer_page.h"

#include "execution/execution_texts.h"
#include "terminal_model/answer_field.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/settings.h"

QString TAnswerPage::StatusWordText(quint16 word)
{
    return QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper();
}

TAnswerPage::TOptions TAnswerPage::TOptions::FromSettings(const TSettings &settings)
{
    TOptions options;
    options.protocol = settings.Protocol;
    options.inputDateFormat = settings.InputDateFormat;
    options.outputDateFormat = settings.OutputDateFormat;
    options.extReservedFields = settings.ExtReservedFields;
    options.today = QDate::currentDate();
    return options;
}

TAnswerPage::TOptions TAnswerPage::TOptions::FromFile(const TExtIniFile &ini, int protocol,
                                                      const TSettings &settings, const QDate &today)
{
    TOptions options;
    options.protocol = protocol;
    options.inputDateFormat = TFieldConversion::DateFormatIndex(
        ini.ReadInteger(QStringLiteral("General"), QStringLiteral("InputDateFormat"), 0));
    options.outputDateFormat = TFieldConversion::DateFormatIndex(
        ini.ReadInteger(QStringLiteral("General"), QStringLiteral("OutputDateFormat"), 0));
    options.extReservedFields = settings.ExtReservedFields;
    options.today = today;
    return options;
}

TAnswerPage TAnswerPage::Build(const TExtIniFile &ini, const TFixedAnswerTable &fiscalTable,
                               const TFixedAnswerTable &printerTable,
                               const TReceivedAnswer &answer, const TOptions &options)
{
    TAnswerPage page;
    page.fiscalCaption = QStringLiteral("Fiscal answer = ") + StatusWordText(answer.fiscalStatus);
    page.printerCaption = QStringLiteral("Printer answer = ") + StatusWordText(answer.printerStatus);
    if (answer.ElapsedUs >= 0)
        page.ElapsedCaption = ExecutionTexts::AnsweredIn(answer.ElapsedUs);
    page.fiscalPanels = fiscalTable.Decode(answer.fiscalStatus);
    page.printerPanels = printerTable.Decode(answer.printerStatus);
    for (const TFixedAnswerTable *table : {&fiscalTable, &printerTable})
        for (const TFixedAnswer &record : table->Records())
            page.panelTexts.append(record.Text);

    TAnswerRowsInput input;
    input.protocol = options.protocol;
    input.extReservedFields = options.extReservedFields;
    input.returnCode = answer.returnCode;
    input.returnCodeText = ReturnCodeDescription(ini, answer.returnCode);
    input.fields = answer.fields;
    input.definitions =
        ReadAnswerFields(ini, answer.commandKey, TFieldReading::Strict, &page.error);
    input.inputDateFormat = options.inputDateFormat;
    input.outputDateFormat = options.outputDateFormat;
    input.today = options.today.isValid() ? options.today : QDate::currentDate();
    page.rows = BuildAnswerRows(input);
    return page;
}
