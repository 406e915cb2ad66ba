// The profile layer: a file of any bytes is loaded, changed by a random
// series of writes, key deletions and section erasures, written and loaded
// again. Written keys must read back, deleted keys and erased sections must
// stay gone, and every line no operation addressed must come out unchanged.
// A refused change (a name that cannot be stored, a character the file's
// encoding lacks) changes nothing; the file read again reads as the one in
// memory, in the same encoding.
#include "fuzz_check.h"

#include "terminal_model/ext_ini_file.h"
#include "terminal_model/text_codec.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QString Trimmed(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text.at(first)))
        ++first;
    while (last > first && IsBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

QString Folded(const QString &name)
{
    return Trimmed(name).toCaseFolded();
}

// A value as the file keeps it: on one line, blanks around it dropped.
QString Stored(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Trimmed(value);
}

struct TModelSection {
    bool Erased = false;                              // keys not listed are gone
    QHash<QString, std::optional<QString>> Keys;      // folded key -> value, or deleted
};

struct TLineText {
    QString Text;
    QString Section;   // folded
    QString Key;       // folded, empty when not a key line
};

bool IsBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The lines of a file as text (line ends dropped), with the section and key
// each belongs to. Lines are classified on their bytes and names decoded on
// their own, as the reader does.
QList<TLineText> Lines(QByteArray data, TTextCodec::TEncoding encoding)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QList<TLineText> lines;
    QString section;
    bool inPreamble = true;
    const QList<QByteArray> raws = data.split('\n');
    for (qsizetype i = 0; i < raws.size(); ++i) {
        QByteArray raw = raws[i];
        if (i == raws.size() - 1 && raw.isEmpty())
            break;
        // A last line without a line end may gain one; a CR before it is a
        // blank either way.
        while (raw.endsWith('\r'))
            raw.chop(1);
        TLineText line;
        line.Text = TTextCodec::Decode(raw, encoding);
        qsizetype first = 0;
        qsizetype last = raw.size();
        while (first < last && IsBlankByte(raw.at(first)))
            ++first;
        while (last > first && IsBlankByte(raw.at(last - 1)))
            --last;
        if (first < last && raw.at(first) == '[') {
            qsizetype close = raw.indexOf(']', first);
            if (close < 0 || close > last)
                close = last;
            section = Folded(TTextCodec::Decode(raw.mid(first + 1, close - first - 1), encoding));
            inPreamble = false;
        } else if (first < last && raw.at(first) != ';') {
            const qsizetype eq = raw.indexOf('=', first);
            if (eq > first && eq < last)
                line.Key = Folded(TTextCodec::Decode(raw.mid(first, eq - first), encoding));
        }
        line.Section = inPreamble ? QStringLiteral("\n") : section;
        lines.append(line);
    }
    return lines;
}

// Text from the input, read as UTF-8 or as Windows-1252 (which a
// Windows-1252 file can always hold).
QString PickText(FuzzedDataProvider &input, size_t maxLength)
{
    const std::string bytes = input.ConsumeRandomLengthString(maxLength);
    const QByteArray data(bytes.data(), qsizetype(bytes.size()));
    return input.ConsumeBool() ? QString::fromUtf8(data) : TTextCodec::DecodeWindows1252(data);
}

QString PickName(FuzzedDataProvider &input, const QStringList &existing, const char *prefix)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return PickText(input, 12);
    case 1:
        if (!existing.isEmpty())
            return existing.at(input.ConsumeIntegralInRange<qsizetype>(0, existing.size() - 1));
        [[fallthrough]];
    default:
        return QString::fromLatin1(prefix) + QString::number(input.ConsumeIntegralInRange(0, 5));
    }
}

// A file that starts like UTF-16 but is not: its first two bytes are
// Windows-1252 text ("\xFF\xFE" reads "ÿþ"), and a byte-exact writer cannot
// keep it from turning into valid UTF-16 when lines are added. Such files are
// not put through the round trip.
bool LooksLikeUtf16Only(const QByteArray &data)
{
    const bool little = data.startsWith("\xFF\xFE");
    if (!little && !data.startsWith("\xFE\xFF"))
        return false;
    const QByteArray body = data.mid(2);
    const auto encoding = little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(body);
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    const QByteArray back = encoder.encode(text);
    return decoder.hasError() || back != body;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    FuzzedDataProvider input(data, size);
    const std::string fileBytes = input.ConsumeRandomLengthString(4096);
    const QByteArray original(fileBytes.data(), qsizetype(fileBytes.size()));
    if (LooksLikeUtf16Only(original))
        return 0;

    TExtIniFile ini;
    FUZZ_CHECK(ini.LoadFromData(original));
    const TTextCodec::TEncoding encodingBefore = ini.Encoding();
    const bool utf16 = original.startsWith("\xFF\xFE") || original.startsWith("\xFE\xFF");
    // Loading and writing without a change gives the very bytes.
    FUZZ_CHECK(ini.ToData() == original || utf16);

    QHash<QString, TModelSection> model;
    const int operations = input.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < operations && input.remaining_bytes() > 0; ++i) {
        const QString section = PickName(input, ini.ReadSections(), "S");
        TModelSection &expected = model[Folded(section)];
        const QByteArray before = ini.ToData();
        bool done = false;
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0: case 1: case 2: {
            const QString key = PickName(input, ini.ReadSection(section), "K");
            const QString value = PickText(input, 64);
            done = ini.WriteString(section, key, value);
            if (done)
                expected.Keys[Folded(key)] = Stored(value);
            break;
        }
        case 3: {
            const int number = input.ConsumeIntegral<int>();
            const QString key = PickName(input, ini.ReadSection(section), "K");
            done = ini.WriteInteger(section, key, number);
            if (done)
                expected.Keys[Folded(key)] = QString::number(number);
            break;
        }
        case 4: {
            const QString key = PickName(input, ini.ReadSection(section), "K");
            done = ini.DeleteKey(section, key);
            if (done)
                expected.Keys[Folded(key)] = std::nullopt;
            break;
        }
        default:
            done = ini.EraseSection(section);
            if (done) {
                expected.Erased = true;
                expected.Keys.clear();
            }
            break;
        }
        if (!done) {
            FUZZ_CHECK(ini.ToData() == before);
            FUZZ_CHECK(!ini.RefusedChange().isEmpty());
        }
    }

    const QByteArray written = ini.ToData();
    TExtIniFile reloaded;
    FUZZ_CHECK(reloaded.LoadFromData(written));
    FUZZ_CHECK(reloaded.ToData() == written);
    // A Windows-1252 file stays one; a UTF-8 file too, unless nothing but
    // ASCII is left, which reads the same either way.
    FUZZ_CHECK(reloaded.Encoding() == ini.Encoding() || TTextCodec::IsAscii(written));
    FUZZ_CHECK(reloaded.ReadSections() == ini.ReadSections());
    for (const QString &section : ini.ReadSections()) {
        const QStringList keys = ini.ReadSection(section);
        FUZZ_CHECK(reloaded.ReadSection(section) == keys);
        for (const QString &key : keys)
            FUZZ_CHECK(reloaded.ReadString(section, key) == ini.ReadString(section, key));
    }

    for (const TExtIniFile *file : {&ini, &reloaded}) {
        for (auto s = model.cbegin(); s != model.cend(); ++s) {
            for (auto k = s->Keys.cbegin(); k != s->Keys.cend(); ++k) {
                if (k->has_value()) {
                    FUZZ_CHECK(file->ValueExists(s.key(), k.key()));
                    FUZZ_CHECK(file->ReadString(s.key(), k.key(), QStringLiteral("\x01")) == **k);
                } else {
                    FUZZ_CHECK(!file->ValueExists(s.key(), k.key()));
                }
            }
            if (s->Erased) {
                for (const QString &key : file->ReadSection(s.key()))
                    FUZZ_CHECK(s->Keys.contains(Folded(key)));
            }
        }
    }

    // Lines nobody addressed keep their text, in their order, and the file
    // its encoding.
    FUZZ_CHECK(ini.Encoding() == encodingBefore);
    if (!utf16) {
        const QList<TLineText> before = Lines(original, encodingBefore);
        const QList<TLineText> after = Lines(written, ini.Encoding());
        qsizetype next = 0;
        for (const TLineText &line : before) {
            const auto s = model.constFind(line.Section);
            if (s != model.cend() && (s->Erased || (!line.Key.isEmpty() && s->Keys.contains(line.Key))))
                continue;
            while (next < after.size() && after[next].Text != line.Text)
                ++next;
            FUZZ_CHECK(next < after.size());
            ++next;
        }
    }
    return 0;
}
