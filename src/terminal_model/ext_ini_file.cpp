#include "terminal_model/ext_ini_file.h"

#include "terminal_model/document_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

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

// Why a new key or section name would not read back as written, or empty.
QString NameProblem(const QString &key, const QString &section, bool newSection, const QString &file)
{
    const auto breaks = [](const QString &name) {
        return name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'));
    };
    if (key.isEmpty() || key.contains(QLatin1Char('=')) || key.startsWith(QLatin1Char('['))
        || key.startsWith(QLatin1Char(';')) || breaks(key))
        return QCoreApplication::translate("TExtIniFile", "The name \"%1\" cannot be stored in %2: a key name must not be empty, contain \"=\" "
                              "or line breaks, nor start with \"[\" or \";\". Nothing was changed.").arg(key, file);
    if (newSection && (section.contains(QLatin1Char(']')) || breaks(section)))
        return QCoreApplication::translate("TExtIniFile", "The name \"%1\" cannot be stored in %2: a section name must not contain \"]\" or "
                              "line breaks. Nothing was changed.").arg(section, file);
    return QString();
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
    m_refused = other.m_refused;
    // The same bytes, but an in-memory UTF-8 document that lost its last
    // non-ASCII line stays UTF-8, as the original does.
    m_codec = other.m_codec;
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
    m_codec = TIniEncoding();
    m_refused.clear();
    m_crlf = true;
    m_modified = false;
}

bool TExtIniFile::Load(const QString &fileName)
{
    QByteArray data;
    if (!TDocumentFile::Read(fileName, &data, &m_lastError))
        return false;
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
    m_source = m_codec.Open(input);
    const QByteArray &data = m_source;
    TIniEncoding::TLineCounts counts;

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
        counts.Add(line.raw);

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
            section->name = Trimmed(m_codec.Decode(raw.mid(first + 1, close - first - 1)));
            section->header = line;
            current = section.get();
            m_sectionIndex[Lower(section->name)].push_back(current);
            m_sections.push_back(std::move(section));
            continue;
        }
        if (first < last && raw.at(first) != ';') {
            const qsizetype eq = raw.indexOf('=', first);
            if (eq > first && eq < last) {
                const QString key = Trimmed(m_codec.Decode(raw.mid(first, eq - first)));
                if (!key.isEmpty()) {
                    line.kind = TLine::TKind::Key;
                    line.key = key;
                    line.folded = key.toCaseFolded();
                    line.value = Trimmed(m_codec.Decode(raw.mid(eq + 1, last - eq - 1)));
                }
            }
        }
        current->lines.push_back(std::move(line));
    }
    m_codec.Count(counts);
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

QString TExtIniFile::DisplayName() const
{
    return m_fileName.isEmpty() ? QStringLiteral("the terminal file") : QDir::toNativeSeparators(m_fileName);
}

bool TExtIniFile::Refuse(const QString &message)
{
    if (m_refused.isEmpty())
        m_refused = message;
    m_lastError = message;
    return false;
}

bool TExtIniFile::EncodeLine(const QString &text, QByteArray *out)
{
    return m_codec.Encode(text, out) || Refuse(m_codec.UnencodableMessage(text, DisplayName()));
}

bool TExtIniFile::CheckChange(const TIniEncoding::TLineCounts &change, const QByteArray &added)
{
    return m_codec.Keeps(change) || Refuse(m_codec.ChangeMessage(added, DisplayName()));
}

TExtIniFile::TSection *TExtIniFile::AppendSection(const QString &section, const QByteArray &header)
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
        if (!Trimmed(m_codec.Decode(last->raw)).isEmpty()) {
            TLine blank;
            blank.eol = NewLineEnding();
            lastSection->lines.push_back(blank);
        }
    }
    auto created = std::make_unique<TSection>();
    created->name = Trimmed(section);
    created->header.raw = header;
    created->header.eol = NewLineEnding();
    TSection *result = created.get();
    m_sectionIndex[Lower(section)].push_back(result);
    m_sections.push_back(std::move(created));
    return result;
}

bool TExtIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString stored = OneLine(value);
    TSection *s = FindSection(section);
    const QString folded = Lower(key);
    const int index = s ? s->Find(folded) : -1;
    TIniEncoding::TLineCounts change;
    if (index >= 0) {
        TLine &line = s->lines[index];
        if (line.value == stored)
            return true;
        // Keep the key as written and the spacing around "=".
        const QString text = m_codec.Decode(line.raw);
        qsizetype valueStart = text.indexOf(QLatin1Char('=')) + 1;
        while (valueStart < text.size()
               && (text.at(valueStart) == QLatin1Char(' ') || text.at(valueStart) == QLatin1Char('\t')))
            ++valueStart;
        const QString prefix = stored.isEmpty() ? text.left(text.indexOf(QLatin1Char('=')) + 1)
                                                : text.left(valueStart);
        QByteArray raw;
        if (!EncodeLine(prefix + stored, &raw))
            return false;
        change.Add(line.raw, -1);
        change.Add(raw);
        if (!CheckChange(change, raw))
            return false;
        m_codec.Count(change);
        line.raw = raw;
        line.value = Trimmed(stored);
        m_modified = true;
        return true;
    }

    TLine line;
    line.kind = TLine::TKind::Key;
    line.key = Trimmed(key);
    line.folded = folded;
    line.value = Trimmed(stored);
    line.eol = NewLineEnding();
    if (const QString problem = NameProblem(line.key, Trimmed(section), !s, DisplayName()); !problem.isEmpty())
        return Refuse(problem);
    QByteArray header;
    if (!EncodeLine(line.key + QLatin1Char('=') + stored, &line.raw)
        || (!s && !EncodeLine(QLatin1Char('[') + Trimmed(section) + QLatin1Char(']'), &header)))
        return false;
    change.Add(header);
    change.Add(line.raw);
    if (!CheckChange(change, header + line.raw))
        return false;
    m_codec.Count(change);
    if (!s)
        s = AppendSection(section, header);

    // A new key goes after the section's last key, before any blank lines or
    // comments that separate it from the next section.
    int position = 0;
    for (int i = int(s->lines.size()) - 1; i >= 0; --i) {
        if (s->lines[i].kind == TLine::TKind::Key) {
            position = i + 1;
            break;
        }
    }
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
    return true;
}

bool TExtIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TExtIniFile::DeleteKey(const QString &section, const QString &key)
{
    TSection *s = FindSection(section);
    const QString folded = Lower(key);
    if (!s || s->Find(folded) < 0)
        return true;
    const auto doomed = [&folded](const TLine &line) {
        return line.kind == TLine::TKind::Key && line.folded == folded;
    };
    TIniEncoding::TLineCounts change;
    for (const TLine &line : s->lines) {
        if (doomed(line))
            change.Add(line.raw, -1);
    }
    if (!CheckChange(change, QByteArray()))
        return false;
    m_codec.Count(change);
    s->lines.erase(std::remove_if(s->lines.begin(), s->lines.end(), doomed), s->lines.end());
    RebuildKeyIndex(s);
    m_modified = true;
    return true;
}

bool TExtIniFile::EraseSection(const QString &section)
{
    const auto it = m_sectionIndex.find(Lower(section));
    if (it == m_sectionIndex.end())
        return true;
    const std::vector<TSection *> doomed = it.value();
    TIniEncoding::TLineCounts change;
    for (const TSection *s : doomed) {
        change.Add(s->header.raw, -1);
        for (const TLine &line : s->lines)
            change.Add(line.raw, -1);
    }
    if (!CheckChange(change, QByteArray()))
        return false;
    m_codec.Count(change);
    m_sectionIndex.erase(it);
    for (TSection *s : doomed) {
        const auto pos = std::find_if(m_sections.begin(), m_sections.end(),
                                      [s](const std::unique_ptr<TSection> &p) { return p.get() == s; });
        if (pos != m_sections.end())
            m_sections.erase(pos);
    }
    m_modified = true;
    return true;
}

bool TExtIniFile::IsModified() const
{
    return m_modified;
}

QByteArray TExtIniFile::ToData() const
{
    qsizetype size = 0;
    for (const auto &section : m_sections) {
        if (section->hasHeader)
            size += section->header.raw.size() + section->header.eol.size();
        for (const TLine &line : section->lines)
            size += line.raw.size() + line.eol.size();
    }
    QByteArray data;
    data.reserve(size);
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
    return m_codec.Close(data);
}

bool TExtIniFile::WriteData(const QString &fileName, const QByteArray &data)
{
    // The changes in memory lack the refused one: they are not the document
    // the caller asked for.
    if (!m_refused.isEmpty()) {
        m_lastError = m_refused;
        return false;
    }
    if (!TDocumentFile::Write(fileName, data, &m_lastError))
        return false;
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

QString TExtIniFile::RefusedChange() const
{
    return m_refused;
}

TTextCodec::TEncoding TExtIniFile::Encoding() const
{
    return m_codec.Encoding();
}
