#include "terminal_model/fixed_answer.h"

#include "terminal_model/color_notation.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/value_list.h"

namespace {

bool ReadHexWord(const QString &text, quint16 *value)
{
    if (text.isEmpty() || text.size() > 4)
        return false;
    for (const QChar c : text) {
        const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                         || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                         || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hex)
            return false;
    }
    *value = quint16(text.toUInt(nullptr, 16));
    return true;
}

QString HexWord(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

bool Fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

} // namespace

QString TFixedAnswer::ToRecord(int number) const
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6")
        .arg(QString::number(number), QString::number(Panel), HexWord(Mask), HexWord(Result),
             TValueList::Quoted(Text), TColorNotation::ToText(Color));
}

bool TFixedAnswer::Parse(const QString &value, TFixedAnswer *record, QString *reason)
{
    const QStringList items = TValueList::Split(value);
    if (items.size() < 6)
        return Fail(reason, QStringLiteral("a record needs six items"));
    TFixedAnswer parsed;
    bool ok = false;
    parsed.Panel = items.at(1).toInt(&ok, 10);
    if (!ok || parsed.Panel < 1 || parsed.Panel > MaxPanel)
        return Fail(reason, QStringLiteral("the panel \"%1\" is not a number from 1 to %2").arg(items.at(1)).arg(MaxPanel));
    if (!ReadHexWord(items.at(2), &parsed.Mask))
        return Fail(reason, QStringLiteral("the mask \"%1\" is not a hexadecimal number of up to 4 digits").arg(items.at(2)));
    if (!ReadHexWord(items.at(3), &parsed.Result))
        return Fail(reason, QStringLiteral("the result \"%1\" is not a hexadecimal number of up to 4 digits").arg(items.at(3)));
    parsed.Text = items.at(4);
    if (!TColorNotation::FromText(items.at(5), &parsed.Color))
        return Fail(reason, QStringLiteral("the colour \"%1\" is not a colour name or number").arg(items.at(5)));
    *record = parsed;
    return true;
}

QList<TFixedAnswer> ReadFixedAnswers(const TExtIniFile &ini, const QString &section, QStringList *errors)
{
    QList<TFixedAnswer> records;
    for (const QString &key : ini.ReadSection(section)) {
        const QString value = ini.ReadString(section, key);
        TFixedAnswer record;
        QString reason;
        if (TFixedAnswer::Parse(value, &record, &reason)) {
            records.append(record);
        } else if (errors) {
            errors->append(QStringLiteral("Section [%1], key %2, value %3: %4").arg(section, key, value, reason));
        }
    }
    return records;
}

void WriteFixedAnswers(TExtIniFile &ini, const QString &section, const QList<TFixedAnswer> &records)
{
    ini.EraseSection(section);
    for (int i = 0; i < records.size(); ++i)
        ini.WriteString(section, QStringLiteral("Record%1").arg(i + 1), records.at(i).ToRecord(i + 1));
}
