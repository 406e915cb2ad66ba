#include "terminal_model/return_codes.h"

#include "terminal_model/ext_ini_file.h"

#include <algorithm>

QString ReturnCodeKey(int code)
{
    return QStringLiteral("RC%1").arg(code);
}

bool ParseReturnCodeKey(const QString &key, int *code)
{
    if (!key.startsWith(QLatin1String("RC"), Qt::CaseInsensitive) || key.size() < 3)
        return false;
    const QString digits = key.mid(2);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const int value = digits.toInt(&ok, 10);
    if (!ok)
        return false;
    *code = value;
    return true;
}

QString ReturnCodeDescription(const TExtIniFile &ini, int code)
{
    return ini.ReadString(ReturnCodesSection, ReturnCodeKey(code));
}

QList<TReturnCode> ReadReturnCodes(const TExtIniFile &ini, QStringList *errors)
{
    QList<TReturnCode> codes;
    for (const QString &key : ini.ReadSection(ReturnCodesSection)) {
        TReturnCode code;
        if (ParseReturnCodeKey(key, &code.Code)) {
            code.Description = ini.ReadString(ReturnCodesSection, key);
            codes.append(code);
        } else if (errors) {
            errors->append(QStringLiteral("Section [%1], key %2: not a return code key (RC followed by digits)")
                               .arg(ReturnCodesSection, key));
        }
    }
    return codes;
}

void WriteReturnCodes(TExtIniFile &ini, const QList<TReturnCode> &codes)
{
    QList<TReturnCode> sorted = codes;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TReturnCode &a, const TReturnCode &b) { return a.Code < b.Code; });
    ini.EraseSection(ReturnCodesSection);
    for (const TReturnCode &code : sorted)
        ini.WriteString(ReturnCodesSection, ReturnCodeKey(code.Code), code.Description);
}
