// Command, answer, fixed-answer and return-code records: reading any value
// never fails hard, and what is read writes back into a value that reads the
// same.
#include "fuzz_check.h"

#include "terminal_model/answer_field.h"
#include "terminal_model/command_field.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/return_codes.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    const QString value = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    for (TFieldReading reading : {TFieldReading::Strict, TFieldReading::Lenient}) {
        QString error;
        const QList<TCommandField> commands = TCommandField::Parse(value, reading, &error);
        FUZZ_CHECK(TCommandField::Parse(TCommandField::Format(commands), TFieldReading::Strict) == commands);
        if (reading == TFieldReading::Lenient)
            FUZZ_CHECK(error.isEmpty());

        error.clear();
        const QList<TAnswerField> answers = TAnswerField::Parse(value, reading, &error);
        QString again;
        const QList<TAnswerField> reread =
            TAnswerField::Parse(TAnswerField::Format(answers), TFieldReading::Strict, &again);
        FUZZ_CHECK(again.isEmpty());
        FUZZ_CHECK(reread.size() == answers.size());
        // Decimals are stored for currency fields only.
        for (qsizetype i = 0; i < answers.size(); ++i) {
            FUZZ_CHECK(reread[i].Caption == answers[i].Caption);
            FUZZ_CHECK(reread[i].TextType == answers[i].TextType);
            if (answers[i].TextType == TAnswerField::CurrencyTextType)
                FUZZ_CHECK(reread[i].DecimalDigits == answers[i].DecimalDigits);
        }
    }

    TFixedAnswer record;
    QString reason;
    if (TFixedAnswer::Parse(value, &record, &reason)) {
        TFixedAnswer back;
        FUZZ_CHECK(TFixedAnswer::Parse(record.ToRecord(7), &back));
        FUZZ_CHECK(back == record);
    } else {
        FUZZ_CHECK(!reason.isEmpty());
    }

    int code = 0;
    if (ParseReturnCodeKey(value, &code))
        FUZZ_CHECK(ParseReturnCodeKey(ReturnCodeKey(code), &code));

    // The same value as a whole file: every record reader over every section.
    TExtIniFile ini;
    ini.LoadFromData(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QStringList errors;
    const QList<TReturnCode> codes = ReadReturnCodes(ini, &errors);
    TExtIniFile copy(ini);
    WriteReturnCodes(copy, codes);
    // Texts read from the file fit its encoding; only a Windows-1252 file
    // that would read as UTF-8 without the lines rewritten refuses them.
    if (!copy.RefusedChange().isEmpty()) {
        FUZZ_CHECK(copy.Encoding() == TTextCodec::TEncoding::Windows1252);
        return 0;
    }
    QStringList none;
    const QList<TReturnCode> codesBack = ReadReturnCodes(copy, &none);
    FUZZ_CHECK(none.isEmpty());
    FUZZ_CHECK(codesBack.size() <= codes.size());
    for (const TReturnCode &rc : codesBack)
        FUZZ_CHECK(ReturnCodeDescription(copy, rc.Code) == rc.Description);
    for (const QString &section : ini.ReadSections()) {
        ReadFixedAnswers(ini, section, &errors);
        ReadCommandFields(ini, section, TFieldReading::Lenient);
        ReadAnswerFields(ini, section, TFieldReading::Lenient);
        QList<TFixedAnswer> fixed = ReadFixedAnswers(ini, section);
        WriteFixedAnswers(copy, section, fixed);
        if (!copy.RefusedChange().isEmpty()) {
            FUZZ_CHECK(copy.Encoding() == TTextCodec::TEncoding::Windows1252);
            return 0;
        }
        // A value stays on its line: a CR read inside a text is written as a blank.
        for (TFixedAnswer &record : fixed)
            record.Text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        FUZZ_CHECK(ReadFixedAnswers(copy, section) == fixed);
    }
    return 0;
}
