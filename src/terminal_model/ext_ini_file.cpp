#include "terminal_model/ext_ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);
const QByteArray kUtf16BeBom("\xFE\xFF", 2);
// Larger files are not terminal files; refusing them keeps a mistaken open
// from eating the machine's memory.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

QByteArray EncodeUtf16(const QString &text, bool littleEndian)
{
    QStringEncoder encoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Only ASCII blanks are trimmed, so that a value ending in a no-break space
// reads as written.
QString Trimmed(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() < 128 && IsBlank(char(text.at(first).unicode())))
        ++first;
    while (last > first && text.at(last - 1).unicode() < 128 && IsBlank(char(text.at(last - 1).unicode())))
        --last;
    return (first == 0 && last == text.size()) ? text : text.mid(first, last - first);
}

QString Lower(const QString &name)
{
    return Trimmed(name).toCaseFolded();
}

// A value must stay on its line: a line break inside it would start a new key
// or section on reading.
QString OneLine(const QString &value)
{
    if (!value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString result = value;
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

} // namespace

struct TExtIniFile::TLine {
    enum class TKind { Other, Key };
    QByteArray raw;      // the line's bytes without its line ending
    QByteArray eol;      // "\n", "\r\n", or empty for a last line without one
    TKind kind = TKind::Other;
    QString key;         // trimmed, as written
    QString folded;      // the key for comparisons
    QString value;       // trimmed, quotes kept
};

// Most sections hold a handful of keys and are searched directly; large ones
// (the group list, big groups) get a hash index.
struct TExtIniFile::TSection {
    static constexpr int IndexThreshold = 16;

    QString name;                 // trimmed, as written
    bool hasHeader = true;
    TLine header;
    std::vector<TLine> lines;
    std::unique_ptr<QHash<QString, int>> keyIndex;   // folded key -> first line holding it

    int Find(const QString &folded) const
    {
        if (keyIndex)
            return keyIndex->value(folded, -1);
        for (int i = 0; i < int(lines.size()); ++i) {
            if (lines[i].kind == TLine::TKind::Key && lines[i].folded == folded)
                return i;
        }
        return -1;
    }

    void Reindex()
    {
        keyIndex.reset();
        if (lines.size() <= size_t(IndexThreshold))
            return;
        keyIndex = std::make_unique<QHash<QString, int>>();
        // A repeated key reads as its first occurrence.
        for (int i = 0; i < int(lines.size()); ++i) {
            if (lines[i].kind == TLine::TKind::Key && !keyIndex->contains(lines[i].folded))
                keyIndex->insert(lines[i].folded, i);
        }
    }
};

TExtIniFile::TExtIniFile()
{
    Clear();
}

TExtIniFile::TExtIniFile(const QString &fileName)
{
    Clear();
    m_fileName = fileName;
    if (QFileInfo::exists(fileName))
        Load(fileName);
}

TExtIniFile::~TExtIniFile() = default;

TExtIniFile::TExtIniFile(const TExtIniFile &other)
{
    *this = other;
}

TExtIniFile &TExtIniFile::operator=(const TExtIniFile &other)
{
    if (this == &other)
        return *this;
    const QByteArray data = other.ToData();
    Parse(data);
    m_fileName = other.m_fileName;
    m_lastError = other.m_lastError;
    m_encoding = other.m_encoding;
    m_crlf = other.m_crlf;
    m_modified = other.m_modified;
    return *this;
}

void TExtIniFile::Clear()
{
    m_sections.clear();
    m_sectionIndex.clear();
    auto preamble = std::make_unique<TSection>();
    preamble->hasHeader = false;
    m_sections.push_back(std::move(preamble));
    m_encoding = TTextCodec::TEncoding::Utf8;
    m_bom = false;
    m_utf16 = TUtf16::No;
    m_crlf = false;
    m_modified = false;
}

bool TExtIniFile::Load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("Unable to read from %1: %2")
                          .arg(QDir::toNativeSeparators(fileName), file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        m_lastError = QStringLiteral("Unable to read from %1: the file is too large for a terminal file")
                          .arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_lastError = QStringLiteral("Unable to read from %1").arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    Parse(data);
    m_fileName = fileName;
    m_lastError.clear();
    return true;
}

bool TExtIniFile::LoadFromData(const QByteArray &data)
{
    Parse(data);
    m_lastError.clear();
    return true;
}

bool TExtIniFile::Reload()
{
    return Load(m_fileName);
}

QString TExtIniFile::FileName() const
{
    return m_fileName;
}

void TExtIniFile::Parse(const QByteArray &input)
{
    Clear();
    m_source = input;
    QByteArray &data = m_source;
    if (data.startsWith(kUtf8Bom)) {
        m_bom = true;
        data.remove(0, kUtf8Bom.size());
    } else if (data.startsWith(kUtf16LeBom) || data.startsWith(kUtf16BeBom)) {
        const bool littleEndian = data.startsWith(kUtf16LeBom);
        const QByteArray body = data.mid(2);
        QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(body);
        // Anything that would not convert back byte for byte is kept as bytes.
        if (!decoder.hasError() && EncodeUtf16(text, littleEndian) == body) {
            m_utf16 = littleEndian ? TUtf16::LittleEndian : TUtf16::BigEndian;
            data = text.toUtf8();
        }
    }
    m_encoding = TTextCodec::Detect(data);

    TSection *current = m_sections.front().get();
    bool eolSeen = false;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        TLine line;
        if (end < 0) {
            line.raw = QByteArray::fromRawData(data.constData() + start, data.size() - start);
            end = data.size();
        } else {
            qsizetype contentEnd = end;
            if (contentEnd > start && data.at(contentEnd - 1) == '\r') {
                --contentEnd;
                line.eol = QByteArrayLiteral("\r\n");
            } else {
                line.eol = QByteArrayLiteral("\n");
            }
            line.raw = QByteArray::fromRawData(data.constData() + start, contentEnd - start);
            if (!eolSeen) {
                m_crlf = line.eol.size() == 2;
                eolSeen = true;
            }
        }
        start = end + 1;

        // The markup characters are ASCII, so lines are classified on their
        // bytes and only names and values are decoded.
        const QByteArray &raw = line.raw;
        qsizetype first = 0;
        qsizetype last = raw.size();
        while (first < last && IsBlank(raw.at(first)))
            ++first;
        while (last > first && IsBlank(raw.at(last - 1)))
            --last;
        if (first < last && raw.at(first) == '[') {
            auto section = std::make_unique<TSection>();
            qsizetype close = raw.indexOf(']', first);
            if (close < 0 || close > last)
                close = last;
            section->name = Trimmed(TTextCodec::Decode(raw.mid(first + 1, close - first - 1), m_encoding));
            section->header = line;
            current = section.get();
            m_sectionIndex[Lower(section->name)].push_back(current);
            m_sections.push_back(std::move(section));
            continue;
        }
        if (first < last && raw.at(first) != ';') {
            const qsizetype eq = raw.indexOf('=', first);
            if (eq > first && eq < last) {
                const QString key = Trimmed(TTextCodec::Decode(raw.mid(first, eq - first), m_encoding));
                if (!key.isEmpty()) {
                    line.kind = TLine::TKind::Key;
                    line.key = key;
                    line.folded = key.toCaseFolded();
                    line.value = Trimmed(TTextCodec::Decode(raw.mid(eq + 1, last - eq - 1), m_encoding));
                }
            }
        }
        current->lines.push_back(std::move(line));
    }
    for (const auto &section : m_sections)
        RebuildKeyIndex(section.get());
}

void TExtIniFile::RebuildKeyIndex(TSection *section)
{
    section->Reindex();
}

TExtIniFile::TSection *TExtIniFile::FindSection(const QString &section) const
{
    const auto it = m_sectionIndex.constFind(Lower(section));
    if (it == m_sectionIndex.constEnd() || it->empty())
        return nullptr;
    return it->front();
}

QString TExtIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const TSection *s = FindSection(section);
    if (!s)
        return def;
    const int index = s->Find(Lower(key));
    return index < 0 ? def : s->lines[index].value;
}

int TExtIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    bool ok = false;
    const int value = ReadString(section, key).toInt(&ok, 10);
    return ok ? value : def;
}

QStringList TExtIniFile::ReadSection(const QString &section) const
{
    QStringList keys;
    const TSection *s = FindSection(section);
    if (!s)
        return keys;
    keys.reserve(qsizetype(s->lines.size()));
    for (int i = 0; i < int(s->lines.size()); ++i) {
        const TLine &line = s->lines[i];
        if (line.kind == TLine::TKind::Key && s->Find(line.folded) == i)
            keys.append(line.key);
    }
    return keys;
}

QStringList TExtIniFile::ReadSections() const
{
    QStringList names;
    for (const auto &section : m_sections) {
        if (section->hasHeader && FindSection(section->name) == section.get())
            names.append(section->name);
    }
    return names;
}

bool TExtIniFile::SectionExists(const QString &section) const
{
    return FindSection(section) != nullptr;
}

bool TExtIniFile::ValueExists(const QString &section, const QString &key) const
{
    const TSection *s = FindSection(section);
    return s && s->Find(Lower(key)) >= 0;
}

QByteArray TExtIniFile::NewLineEnding() const
{
    return m_crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

QByteArray TExtIniFile::EncodeLine(const QString &text)
{
    QByteArray bytes;
    if (!TTextCodec::Encode(text, m_encoding, &bytes)) {
        // Text that Windows-1252 cannot hold: the whole file moves to UTF-8
        // rather than losing characters.
        SwitchToUtf8();
        TTextCodec::Encode(text, m_encoding, &bytes);
    }
    return bytes;
}

void TExtIniFile::SwitchToUtf8()
{
    const auto recode = [this](TLine &line) {
        line.raw = TTextCodec::Decode(line.raw, m_encoding).toUtf8();
    };
    for (const auto &section : m_sections) {
        if (section->hasHeader)
            recode(section->header);
        for (TLine &line : section->lines)
            recode(line);
    }
    m_encoding = TTextCodec::TEncoding::Utf8;
}

TExtIniFile::TSection *TExtIniFile::AppendSection(const QString &section)
{
    // Find the file's last line to end it properly and to keep sections apart
    // by a blank line.
    TLine *last = nullptr;
    TSection *lastSection = m_sections.back().get();
    if (!lastSection->lines.empty())
        last = &lastSection->lines.back();
    else if (lastSection->hasHeader)
        last = &lastSection->header;
    if (last) {
        if (last->eol.isEmpty())
            last->eol = NewLineEnding();
        if (!Trimmed(TTextCodec::Decode(last->raw, m_encoding)).isEmpty()) {
            TLine blank;
            blank.eol = NewLineEnding();
            lastSection->lines.push_back(blank);
        }
    }
    auto created = std::make_unique<TSection>();
    created->name = Trimmed(section);
    created->header.raw = EncodeLine(QLatin1Char('[') + created->name + QLatin1Char(']'));
    created->header.eol = NewLineEnding();
    TSection *result = created.get();
    m_sectionIndex[Lower(section)].push_back(result);
    m_sections.push_back(std::move(created));
    return result;
}

void TExtIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString stored = OneLine(value);
    TSection *s = FindSection(section);
    if (!s)
        s = AppendSection(section);

    const QString folded = Lower(key);
    const int index = s->Find(folded);
    if (index >= 0) {
        TLine &line = s->lines[index];
        if (line.value == stored)
            return;
        // Keep the key as written and the spacing around "=".
        const QString text = TTextCodec::Decode(line.raw, m_encoding);
        qsizetype valueStart = text.indexOf(QLatin1Char('=')) + 1;
        while (valueStart < text.size()
               && (text.at(valueStart) == QLatin1Char(' ') || text.at(valueStart) == QLatin1Char('\t')))
            ++valueStart;
        const QString prefix = stored.isEmpty() ? text.left(text.indexOf(QLatin1Char('=')) + 1)
                                                : text.left(valueStart);
        line.raw = EncodeLine(prefix + stored);
        line.value = Trimmed(stored);
        m_modified = true;
        return;
    }

    // A new key goes after the section's last key, before any blank lines or
    // comments that separate it from the next section.
    int position = 0;
    for (int i = int(s->lines.size()) - 1; i >= 0; --i) {
        if (s->lines[i].kind == TLine::TKind::Key) {
            position = i + 1;
            break;
        }
    }
    TLine line;
    line.kind = TLine::TKind::Key;
    line.key = Trimmed(key);
    line.folded = folded;
    line.value = Trimmed(stored);
    line.raw = EncodeLine(line.key + QLatin1Char('=') + stored);
    line.eol = NewLineEnding();
    TLine &before = position > 0 ? s->lines[position - 1] : s->header;
    if (before.eol.isEmpty())
        before.eol = NewLineEnding();
    s->lines.insert(s->lines.begin() + position, std::move(line));
    // Only blank lines and comments follow the new key, so no indexed key
    // moved.
    if (s->keyIndex)
        s->keyIndex->insert(folded, position);
    else if (s->lines.size() > size_t(TSection::IndexThreshold))
        RebuildKeyIndex(s);
    m_modified = true;
}

void TExtIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TExtIniFile::DeleteKey(const QString &section, const QString &key)
{
    TSection *s = FindSection(section);
    const QString folded = Lower(key);
    if (!s || s->Find(folded) < 0)
        return;
    s->lines.erase(std::remove_if(s->lines.begin(), s->lines.end(),
                                  [&folded](const TLine &line) {
                                      return line.kind == TLine::TKind::Key && line.folded == folded;
                                  }),
                   s->lines.end());
    RebuildKeyIndex(s);
    m_modified = true;
}

void TExtIniFile::EraseSection(const QString &section)
{
    const auto it = m_sectionIndex.find(Lower(section));
    if (it == m_sectionIndex.end())
        return;
    const std::vector<TSection *> doomed = it.value();
    m_sectionIndex.erase(it);
    for (TSection *s : doomed) {
        const auto pos = std::find_if(m_sections.begin(), m_sections.end(),
                                      [s](const std::unique_ptr<TSection> &p) { return p.get() == s; });
        if (pos != m_sections.end())
            m_sections.erase(pos);
    }
    m_modified = true;
}

bool TExtIniFile::IsModified() const
{
    return m_modified;
}

QByteArray TExtIniFile::ToData() const
{
    qsizetype size = m_bom ? kUtf8Bom.size() : 0;
    for (const auto &section : m_sections) {
        if (section->hasHeader)
            size += section->header.raw.size() + section->header.eol.size();
        for (const TLine &line : section->lines)
            size += line.raw.size() + line.eol.size();
    }
    QByteArray data;
    data.reserve(size);
    if (m_bom)
        data += kUtf8Bom;
    for (const auto &section : m_sections) {
        if (section->hasHeader) {
            data += section->header.raw;
            data += section->header.eol;
        }
        for (const TLine &line : section->lines) {
            data += line.raw;
            data += line.eol;
        }
    }
    if (m_utf16 == TUtf16::No)
        return data;
    const bool littleEndian = m_utf16 == TUtf16::LittleEndian;
    return (littleEndian ? kUtf16LeBom : kUtf16BeBom) + EncodeUtf16(QString::fromUtf8(data), littleEndian);
}

bool TExtIniFile::WriteData(const QString &fileName, const QByteArray &data)
{
    const QString failure = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(fileName));
    if (fileName.isEmpty()) {
        m_lastError = failure;
        return false;
    }
    // A read-only file stays untouched even where its folder would allow the
    // replacement.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isWritable()) {
        m_lastError = failure;
        return false;
    }
    QSaveFile file(fileName);
    // The explicit flush reports a short write (full disk): commit() would
    // otherwise put the cut-off copy in place of the file.
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        m_lastError = failure;
        return false;
    }
    if (!file.commit()) {
        m_lastError = failure;
        return false;
    }
    m_lastError.clear();
    return true;
}

void TExtIniFile::MarkClean()
{
    m_modified = false;
}

bool TExtIniFile::UpdateFile()
{
    if (!WriteData(m_fileName, ToData()))
        return false;
    MarkClean();
    return true;
}

bool TExtIniFile::SaveAs(const QString &fileName)
{
    if (!WriteData(fileName, ToData()))
        return false;
    m_fileName = fileName;
    MarkClean();
    return true;
}

QString TExtIniFile::LastError() const
{
    return m_lastError;
}

TTextCodec::TEncoding TExtIniFile::Encoding() const
{
    return m_encoding;
}
