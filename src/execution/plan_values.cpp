#include "execution/plan_values.h"

#include <QCoreApplication>

namespace {

const QLatin1String Open("${");

}

bool TPlanValues::IsName(const QString &name)
{
    if (name.isEmpty() || name.at(0).isDigit())
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    return true;
}

bool TPlanValues::References(const QString &text, QStringList *names, QString *error)
{
    for (qsizetype at = text.indexOf(Open); at >= 0; at = text.indexOf(Open, at)) {
        if (at > 0 && text.at(at - 1) == QLatin1Char('$')) {
            at += 2;
            continue;
        }
        const qsizetype end = text.indexOf(QLatin1Char('}'), at + 2);
        if (end < 0) {
            if (error)
                *error = QCoreApplication::translate("TPlanValues", "\"${\" without its closing \"}\"");
            return false;
        }
        const QString name = text.mid(at + 2, end - at - 2);
        if (!IsName(name)) {
            if (error)
                *error = QCoreApplication::translate("TPlanValues", "\"${%1}\": a kept value's name is made of letters, digits and _")
                             .arg(name);
            return false;
        }
        names->append(name);
        at = end + 1;
    }
    return true;
}

void TPlanValues::Keep(const QString &name, const QString &value)
{
    m_values.insert(name, value);
}

bool TPlanValues::Expand(const QString &text, QString *expanded, QString *missing) const
{
    if (!text.contains(QLatin1Char('$'))) {
        *expanded = text;
        return true;
    }
    QString out;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(Open); at >= 0; at = text.indexOf(Open, from)) {
        if (at > 0 && text.at(at - 1) == QLatin1Char('$')) {
            // "$${" is a plain "${".
            out += QStringView(text).mid(from, at - 1 - from);
            out += Open;
            from = at + 2;
            continue;
        }
        const qsizetype end = text.indexOf(QLatin1Char('}'), at + 2);
        if (end < 0)
            break;
        const QString name = text.mid(at + 2, end - at - 2);
        if (!m_values.contains(name)) {
            if (missing)
                *missing = name;
            return false;
        }
        out += QStringView(text).mid(from, at - from);
        out += m_values.value(name);
        from = end + 1;
    }
    out += QStringView(text).mid(from);
    *expanded = out;
    return true;
}
