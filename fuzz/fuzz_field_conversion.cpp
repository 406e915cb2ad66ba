// Conversions of field values: any typed text or received bytes convert
// without harm, sent numbers come back as the same numbers when displayed,
// and fixed-width amounts keep their width.
#include "fuzz_check.h"

#include "execution/hex_literal.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/field_types.h"

#include <QDate>

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    FuzzedDataProvider input(data, size);
    const int textType = input.ConsumeIntegralInRange(-1, 11);
    const int width = input.ConsumeIntegralInRange(-2, 40);
    const int decimals = input.ConsumeIntegralInRange(-3, 12);
    const int inputFormat = input.ConsumeIntegralInRange(-1, 9);
    const int outputFormat = input.ConsumeIntegralInRange(-1, 9);
    const QDate today(input.ConsumeIntegralInRange(1, 9999), input.ConsumeIntegralInRange(1, 12),
                      input.ConsumeIntegralInRange(1, 28));
    const std::string raw = input.ConsumeRandomLengthString(128);
    const QByteArray bytes(raw.data(), qsizetype(raw.size()));
    const QString text = QString::fromUtf8(bytes);

    const QString sent = TFieldConversion::SendText(textType, text, width, decimals);
    TFieldConversion::DisplayText(textType, bytes, decimals, inputFormat, outputFormat, today);

    if (textType == ttCurrency && width > 0)
        FUZZ_CHECK(sent.size() == width);

    if (textType == ttDecimal || textType == ttBinary) {
        const THexExpansion expanded = ExpandHexLiterals(sent);
        FUZZ_CHECK(expanded.ok);
        FUZZ_CHECK(expanded.bytes.size() >= 1);
        // At most four significant bytes, padded to the width.
        const QByteArray significant = expanded.bytes.right(4);
        FUZZ_CHECK(expanded.bytes.chopped(significant.size()).count('\0')
                   == expanded.bytes.size() - significant.size());
        const quint32 value = TFieldConversion::BytesToInteger(significant);
        if (textType == ttDecimal) {
            bool ok = false;
            const qint64 number = text.toLongLong(&ok, 10);
            if (ok && number >= -2147483648LL && number <= 4294967295LL)
                FUZZ_CHECK(value == quint32(number));
            FUZZ_CHECK(TFieldConversion::BytesToDecimal(significant) == QString::number(qint32(value)));
        } else {
            FUZZ_CHECK(TFieldConversion::BytesToBinary(significant).toUInt(nullptr, 2) == value);
        }
    }

    if (!bytes.isEmpty() && bytes.size() <= 4) {
        bool ok = false;
        FUZZ_CHECK(TFieldConversion::BytesToHex(bytes).toUInt(&ok, 16)
                   == TFieldConversion::BytesToInteger(bytes));
        FUZZ_CHECK(ok);
    }
    FUZZ_CHECK(TFieldConversion::BytesToBinary(bytes).size() == 8 * bytes.size());

    TFieldConversion::ReformatDate(text, inputFormat, outputFormat, today);
    TFieldConversion::ReformatTime(text);
    TFieldConversion::InsertDecimalPoint(text, decimals);
    return 0;
}
