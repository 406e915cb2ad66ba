#include "terminal_model/ext_ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

QString Lower(const QString &name)
{
    return name.trimmed().toCaseFolded();
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
    QString value;       // trimmed, quotes kept
};

struct TExtIniFile::TSection {
    QString name;                 // trimmed, as written
    bool hasHeader = true;
    TLine header;
    std::vector<TLine> lines;
    QHash<QString, int> keyIndex; // case-folded key -> first line holding it
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
    m_crlf = false;
    m_modified = false;
}

bool TExtIniFile::Load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("Unable to read from %1").arg(QDir::toNativeSeparators(fileName));
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
    QByteArray data = input;
    if (data.startsWith(kUtf8Bom)) {
        m_bom = true;
        data.remove(0, kUtf8Bom.size());
    }
    m_encoding = TTextCodec::Detect(data);

    TSection *current = m_sections.front().get();
    bool eolSeen = false;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        TLine line;
        if (end < 0) {
            line.raw = data.mid(start);
            end = data.size();
        } else {
            qsizetype contentEnd = end;
            if (contentEnd > start && data.at(contentEnd - 1) == '\r') {
                --contentEnd;
                line.eol = QByteArrayLiteral("\r\n");
            } else {
                line.eol = QByteArrayLiteral("\n");
            }
            line.raw = data.mid(start, contentEnd - start);
            if (!eolSeen) {
                m_crlf = line.eol.size() == 2;
                eolSeen = true;
            }
        }
        start = end + 1;

        const QString text = TTextCodec::Decode(line.raw, m_encoding);
        const QString trimmed = text.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            auto section = std::make_unique<TSection>();
            qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close < 0)
                close = trimmed.size();
            section->name = trimmed.mid(1, close - 1).trimmed();
            section->header = line;
            current = section.get();
            m_sectionIndex[Lower(section->name)].push_back(current);
            m_sections.push_back(std::move(section));
            continue;
        }
        if (!trimmed.startsWith(QLatin1Char(';'))) {
            const qsizetype eq = text.indexOf(QLatin1Char('='));
            if (eq > 0) {
                const QString key = text.left(eq).trimmed();
                if (!key.isEmpty()) {
                    line.kind = TLine::TKind::Key;
                    line.key = key;
                    line.value = text.mid(eq + 1).trimmed();
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
    section->keyIndex.clear();
    for (int i = 0; i < int(section->lines.size()); ++i) {
        const TLine &line = section->lines[i];
        // A repeated key reads as its first occurrence.
        if (line.kind == TLine::TKind::Key) {
            const QString key = Lower(line.key);
            if (!section->keyIndex.contains(key))
                section->keyIndex.insert(key, i);
        }
    }
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
    const auto it = s->keyIndex.constFind(Lower(key));
    if (it == s->keyIndex.constEnd())
        return def;
    return s->lines[it.value()].value;
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
    keys.reserve(s->keyIndex.size());
    for (int i = 0; i < int(s->lines.size()); ++i) {
        const TLine &line = s->lines[i];
        if (line.kind == TLine::TKind::Key && s->keyIndex.value(Lower(line.key), -1) == i)
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
    return s && s->keyIndex.contains(Lower(key));
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
        if (!TTextCodec::Decode(last->raw, m_encoding).trimmed().isEmpty()) {
            TLine blank;
            blank.eol = NewLineEnding();
            lastSection->lines.push_back(blank);
        }
    }
    auto created = std::make_unique<TSection>();
    created->name = section.trimmed();
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

    const auto it = s->keyIndex.constFind(Lower(key));
    if (it != s->keyIndex.constEnd()) {
        TLine &line = s->lines[it.value()];
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
        line.value = stored.trimmed();
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
    line.key = key.trimmed();
    line.value = stored.trimmed();
    line.raw = EncodeLine(line.key + QLatin1Char('=') + stored);
    line.eol = NewLineEnding();
    TLine &before = position > 0 ? s->lines[position - 1] : s->header;
    if (before.eol.isEmpty())
        before.eol = NewLineEnding();
    const bool atEnd = position == int(s->lines.size());
    s->lines.insert(s->lines.begin() + position, std::move(line));
    if (atEnd)
        s->keyIndex.insert(Lower(key), position);
    else
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
    if (!s || !s->keyIndex.contains(Lower(key)))
        return;
    const QString folded = Lower(key);
    s->lines.erase(std::remove_if(s->lines.begin(), s->lines.end(),
                                  [&folded](const TLine &line) {
                                      return line.kind == TLine::TKind::Key && Lower(line.key) == folded;
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
        if (section->hasHeader)
            data += section->header.raw + section->header.eol;
        for (const TLine &line : section->lines) {
            data += line.raw;
            data += line.eol;
        }
    }
    return data;
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
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
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
