// Hex literals inside field values: text without a literal goes out as its
// Windows-1252 bytes, and a literal of any bytes between any plain texts gives
// those bytes back, in place.
#include "fuzz_check.h"

#include "execution/hex_literal.h"
#include "terminal_model/text_codec.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString Text(FuzzedDataProvider &input, size_t length)
{
    const std::string bytes = input.ConsumeRandomLengthString(length);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    FuzzedDataProvider input(data, size);
    const QString text = Text(input, 256);

    const THexExpansion any = ExpandHexLiterals(text);
    QByteArray plainBytes;
    const bool encodable = TTextCodec::EncodeWindows1252(text, &plainBytes);
    if (!text.contains(QLatin1String("x'"), Qt::CaseInsensitive)) {
        FUZZ_CHECK(any.ok == encodable);
        if (any.ok)
            FUZZ_CHECK(any.bytes == plainBytes);
    }
    if (any.ok)
        FUZZ_CHECK(any.bytes.size() <= text.size());

    // plain + x'<hex of payload>' + plain, the plain parts without any mark.
    QString before = Text(input, 32);
    QString after = Text(input, 32);
    before.remove(QLatin1Char('x'), Qt::CaseInsensitive);
    after.remove(QLatin1Char('x'), Qt::CaseInsensitive);
    const std::string payload = input.ConsumeRandomLengthString(64);
    const QByteArray bytes(payload.data(), qsizetype(payload.size()));
    QString hex = QString::fromLatin1(bytes.toHex());
    if (input.ConsumeBool())
        hex = hex.toUpper();
    if (!hex.isEmpty() && hex.startsWith(QLatin1Char('0')) && input.ConsumeBool())
        hex.remove(0, 1);   // an odd count of digits gets its leading 0 back
    const QString mark = input.ConsumeBool() ? QStringLiteral("x'") : QStringLiteral("X'");
    const THexExpansion built = ExpandHexLiterals(before + mark + hex + QLatin1Char('\'') + after);

    QByteArray beforeBytes;
    QByteArray afterBytes;
    const bool plainOk = TTextCodec::EncodeWindows1252(before, &beforeBytes)
                         && TTextCodec::EncodeWindows1252(after, &afterBytes);
    FUZZ_CHECK(built.ok == plainOk);
    if (built.ok)
        FUZZ_CHECK(built.bytes == beforeBytes + bytes + afterBytes);
    return 0;
}
