#include "execution/answer_page.h"

#include "execution/execution_texts.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/settings.h"

QString TAnswerPage::StatusWordText(quint16 word)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    const QChar text[4] = {QLatin1Char(digits[word >> 12]), QLatin1Char(digits[(word >> 8) & 0xF]),
                           QLatin1Char(digits[(word >> 4) & 0xF]), QLatin1Char(digits[word & 0xF])};
    return QString(text, 4);
}

TAnswerPage::TDefinitions TAnswerPage::TDefinitions::Read(const TExtIniFile &ini, const QString &commandKey)
{
    TDefinitions definitions;
    definitions.fields = ReadAnswerFields(ini, commandKey, TFieldReading::Strict, &definitions.error);
    return definitions;
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
    return Build(TDefinitions::Read(ini, answer.commandKey), ReturnCodeDescription(ini, answer.returnCode),
                 fiscalTable, printerTable, answer, options);
}

TAnswerPage TAnswerPage::Build(const TDefinitions &definitions, const QString &returnCodeText,
                               const TFixedAnswerTable &fiscalTable, const TFixedAnswerTable &printerTable,
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
    input.returnCodeText = returnCodeText;
    input.fields = answer.fields;
    input.definitions = definitions.fields;
    page.error = definitions.error;
    input.inputDateFormat = options.inputDateFormat;
    input.outputDateFormat = options.outputDateFormat;
    input.today = options.today.isValid() ? options.today : QDate::currentDate();
    page.rows = BuildAnswerRows(input);
    return page;
}
