#include "terminal_model/value_list.h"

#include "terminal_model/ext_ini_file.h"

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

const QString kNotes = QStringLiteral("Notes");

} // namespace

QStringList TValueList::Split(QStringView text)
{
    QStringList items;
    const qsizetype size = text.size();
    qsizetype pos = 0;
    const auto skipBlanks = [&] {
        while (pos < size && IsBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < size) {
        QString item;
        if (text[pos] == QLatin1Char('"')) {
            ++pos;
            while (pos < size) {
                if (text[pos] == QLatin1Char('"')) {
                    if (pos + 1 < size && text[pos + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                item += text[pos++];
            }
        } else {
            const qsizetype start = pos;
            while (pos < size && text[pos] != QLatin1Char(',') && text[pos].unicode() > 32)
                ++pos;
            item = text.mid(start, pos - start).toString();
            // A NUL neither ends a list nor counts as a blank: drop it.
            if (pos == start && text[pos].unicode() == 0) {
                ++pos;
                skipBlanks();
                continue;
            }
        }
        items.append(item);
        skipBlanks();
        if (pos < size && text[pos] == QLatin1Char(',')) {
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

QString TValueList::Item(const QString &item)
{
    // A NUL outside quotes would be dropped and split the item in two.
    for (const QChar c : item) {
        if (c.unicode() <= 32 || c == QLatin1Char('"') || c == QLatin1Char(','))
            return Quoted(item);
    }
    return item;
}

QString TValueList::Quoted(const QString &text)
{
    QString inner = text;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString TValueList::Join(const QStringList &items)
{
    QString result;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            result += QLatin1Char(',');
        const bool lastAndEmpty = i == items.size() - 1 && items.at(i).isEmpty();
        result += lastAndEmpty ? QStringLiteral("\"\"") : Item(items.at(i));
    }
    return result;
}

QStringList TValueList::LinesFromStored(const QString &stored)
{
    if (stored.size() < 2)
        return QStringList();
    return Split(QStringView(stored).mid(1, stored.size() - 2));
}

QString TValueList::StoredFromLines(const QStringList &lines)
{
    return QLatin1Char('"') + Join(lines) + QLatin1Char('"');
}

QStringList TValueList::ReadLines(const TExtIniFile &ini, const QString &section, const QString &key)
{
    return LinesFromStored(ini.ReadString(section, key));
}

void TValueList::WriteLines(TExtIniFile &ini, const QString &section, const QString &key, const QStringList &lines)
{
    ini.WriteString(section, key, StoredFromLines(lines));
}

QString TValueList::ComboKey(int fieldNumber)
{
    return QStringLiteral("CL%1").arg(fieldNumber);
}

QStringList TValueList::ReadComboLines(const TExtIniFile &ini, const QString &section, int fieldNumber)
{
    return ReadLines(ini, section, ComboKey(fieldNumber));
}

void TValueList::WriteComboLines(TExtIniFile &ini, const QString &section, int fieldNumber,
                                 const QStringList &lines)
{
    if (lines.isEmpty())
        ini.DeleteKey(section, ComboKey(fieldNumber));
    else
        WriteLines(ini, section, ComboKey(fieldNumber), lines);
}

QStringList TValueList::ReadNotes(const TExtIniFile &ini, const QString &section)
{
    return ReadLines(ini, section, kNotes);
}

void TValueList::WriteNotes(TExtIniFile &ini, const QString &section, const QStringList &lines)
{
    WriteLines(ini, section, kNotes, lines);
}
