#include "sim/sim_profile.h"

#include <QFile>

#include <cctype>

namespace {

QString Location(const QString &origin, int line)
{
    return QStringLiteral("%1:%2: ").arg(origin).arg(line);
}

} // namespace

TSimProfile::TSimProfile()
{
    m_hostDefault.PrinterStatus = 0;
    m_hostDefault.FiscalStatus = 0;
    m_hostDefault.ReturnCode = 0;
    m_hostDefault.Items = QList<TItem>{TItem{TPart{TPart::AllFields, {}, 0}}};
    SetFiscalFrames(1);
}

void TSimProfile::SetFiscalFrames(int count)
{
    QList<TItem> items;
    for (int i = 1; i < count; ++i)
        items.append(TItem{TPart{TPart::Literal, QByteArray("1000 part ") + QByteArray::number(i), 0}});
    items.append(TItem{TPart{TPart::Literal, "0000", 0}, TPart{TPart::AllFields, {}, 0}});
    m_fiscalDefault.Items = items;
}

bool TSimProfile::Load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1: %2").arg(fileName, file.errorString());
        return false;
    }
    return LoadFromText(file.readAll(), fileName);
}

bool TSimProfile::LoadFromText(const QByteArray &text, const QString &origin)
{
    TRule hostDefault = m_hostDefault;
    TRule fiscalDefault = m_fiscalDefault;
    QList<TRule> commands;
    QList<TRule> fiscalRules;

    enum { None, Host, Command, Fiscal, FiscalRule, Ignored } section = None;
    TRule *rule = nullptr;
    auto closeSection = [&](int line) -> bool {
        if ((section == Command || section == FiscalRule) && !rule->Match) {
            m_error = Location(origin, line)
                      + (section == Command ? QStringLiteral("a [Command ...] section needs Code=")
                                            : QStringLiteral("a [Fiscal ...] section needs Request="));
            return false;
        }
        return true;
    };

    const QList<QByteArray> lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const int lineNo = n + 1;
        const QByteArray line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            if (!line.endsWith(']')) {
                m_error = Location(origin, lineNo) + QStringLiteral("unclosed section name");
                return false;
            }
            if (!closeSection(lineNo))
                return false;
            const QByteArray name = line.mid(1, line.size() - 2).trimmed().toLower();
            if (name == "host") {
                section = Host;
                rule = &hostDefault;
            } else if (name == "fiscal") {
                section = Fiscal;
                rule = &fiscalDefault;
            } else if (name.startsWith("command ") || name == "command") {
                section = Command;
                commands.append(TRule());
                rule = &commands.last();
            } else if (name.startsWith("fiscal ")) {
                section = FiscalRule;
                fiscalRules.append(TRule());
                rule = &fiscalRules.last();
            } else {
                // Sections of other tools may share the file.
                section = Ignored;
                rule = nullptr;
            }
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) {
            m_error = Location(origin, lineNo) + QStringLiteral("expected key=value");
            return false;
        }
        if (section == Ignored)
            continue;
        if (section == None) {
            m_error = Location(origin, lineNo) + QStringLiteral("key outside a section");
            return false;
        }
        const QByteArray key = line.left(eq).trimmed().toLower();
        const QByteArray value = line.mid(eq + 1).trimmed();
        const bool host = section == Host || section == Command;

        if (host && (key == "printerstatus" || key == "fiscalstatus" || key == "returncode")) {
            qint16 word = 0;
            if (!ParseWord(value, word)) {
                m_error = Location(origin, lineNo)
                          + QStringLiteral("'%1' is not a 16-bit number").arg(QString::fromLatin1(value));
                return false;
            }
            (key == "printerstatus" ? rule->PrinterStatus
             : key == "fiscalstatus" ? rule->FiscalStatus
                                     : rule->ReturnCode) = word;
            continue;
        }
        const bool listKey = (host && key == "fields") || (!host && key == "answers");
        const bool matchKey = (section == Command && key == "code")
                              || (section == FiscalRule && key == "request");
        if (!listKey && !matchKey) {
            m_error = Location(origin, lineNo)
                      + QStringLiteral("unknown key '%1' here").arg(QString::fromLatin1(key));
            return false;
        }
        QList<TItem> items;
        QString error;
        if (!ParseList(value, items, error)) {
            m_error = Location(origin, lineNo) + error;
            return false;
        }
        if (matchKey) {
            if (items.size() != 1 || items[0].size() != 1 || items[0][0].Kind != TPart::Literal) {
                m_error = Location(origin, lineNo) + QStringLiteral("expected one literal value");
                return false;
            }
            rule->Match = items[0][0].Bytes;
            continue;
        }
        if (!host && items.isEmpty()) {
            m_error = Location(origin, lineNo) + QStringLiteral("a request needs at least one answer");
            return false;
        }
        rule->Items = items;
    }
    if (!closeSection(int(lines.size())))
        return false;

    m_hostDefault = hostDefault;
    m_fiscalDefault = fiscalDefault;
    m_commands = commands;
    m_fiscalRules = fiscalRules;
    m_error.clear();
    return true;
}

TSimProfile::THostReply TSimProfile::HostReply(const QList<QByteArray> &commandFields,
                                               const QDateTime &now) const
{
    const QByteArray code = commandFields.value(0);
    const TRule *match = nullptr;
    for (const TRule &rule : m_commands) {
        if (rule.Match == code) {
            match = &rule;
            break;
        }
    }
    auto pick = [&](auto member) {
        if (match && (match->*member))
            return *(match->*member);
        return *(m_hostDefault.*member);
    };
    THostReply reply;
    reply.PrinterStatus = pick(&TRule::PrinterStatus);
    reply.FiscalStatus = pick(&TRule::FiscalStatus);
    reply.ReturnCode = pick(&TRule::ReturnCode);
    reply.Fields = Expand(pick(&TRule::Items), commandFields, commandFields.join(), now, true);
    return reply;
}

QList<QByteArray> TSimProfile::FiscalReplies(const QByteArray &request, const QDateTime &now) const
{
    const TRule *match = nullptr;
    for (const TRule &rule : m_fiscalRules) {
        if (rule.Items && request.startsWith(*rule.Match)
            && (!match || rule.Match->size() > match->Match->size()))
            match = &rule;
    }
    const QList<TItem> &items = match ? *match->Items : *m_fiscalDefault.Items;
    return Expand(items, {request}, request, now, false);
}

QList<QByteArray> TSimProfile::Expand(const QList<TItem> &items, const QList<QByteArray> &fields,
                                      const QByteArray &whole, const QDateTime &now,
                                      bool spreadAll)
{
    QList<QByteArray> out;
    for (const TItem &item : items) {
        if (spreadAll && item.size() == 1 && item[0].Kind == TPart::AllFields) {
            out += fields;
            continue;
        }
        QByteArray value;
        for (const TPart &part : item) {
            switch (part.Kind) {
            case TPart::Literal:
                value += part.Bytes;
                break;
            case TPart::Field:
                value += fields.value(part.Index - 1);
                break;
            case TPart::AllFields:
                value += whole;
                break;
            case TPart::Now:
                value += now.toString(QString::fromLatin1(part.Bytes)).toLatin1();
                break;
            }
        }
        out.append(value);
    }
    return out;
}

bool TSimProfile::ParseList(const QByteArray &text, QList<TItem> &items, QString &error)
{
    items.clear();
    if (text.trimmed().isEmpty())
        return true;
    TItem item;
    QByteArray plain;
    auto flushPlain = [&] {
        const QByteArray trimmed = plain.trimmed();
        if (!trimmed.isEmpty())
            item.append({TPart::Literal, trimmed, 0});
        plain.clear();
    };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i <= n) {
        if (i == n || text[i] == ',') {
            flushPlain();
            items.append(item);
            item.clear();
            ++i;
            if (i > n)
                break;
            continue;
        }
        const char c = text[i];
        if (c == '"') {
            flushPlain();
            QByteArray quoted;
            ++i;
            for (;;) {
                if (i >= n) {
                    error = QStringLiteral("unclosed quote");
                    return false;
                }
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        quoted += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                quoted += text[i++];
            }
            item.append({TPart::Literal, quoted, 0});
            continue;
        }
        if ((c == 'x' || c == 'X') && i + 1 < n && text[i + 1] == '\'' && plain.trimmed().isEmpty()) {
            flushPlain();
            const qsizetype close = text.indexOf('\'', i + 2);
            if (close < 0) {
                error = QStringLiteral("unclosed hex literal");
                return false;
            }
            QByteArray digits = text.mid(i + 2, close - i - 2);
            if (digits.size() % 2)
                digits.prepend('0');
            for (char d : digits) {
                if (!std::isxdigit(static_cast<unsigned char>(d))) {
                    error = QStringLiteral("'%1' is not a hex literal")
                                .arg(QString::fromLatin1(text.mid(i, close - i + 1)));
                    return false;
                }
            }
            item.append({TPart::Literal, QByteArray::fromHex(digits), 0});
            i = close + 1;
            continue;
        }
        if (c == '$' && i + 1 < n) {
            const char next = text[i + 1];
            if (next == '*') {
                flushPlain();
                item.append({TPart::AllFields, {}, 0});
                i += 2;
                continue;
            }
            if (std::isdigit(static_cast<unsigned char>(next))) {
                flushPlain();
                qsizetype j = i + 1;
                while (j < n && std::isdigit(static_cast<unsigned char>(text[j])))
                    ++j;
                item.append({TPart::Field, {}, text.mid(i + 1, j - i - 1).toInt()});
                i = j;
                continue;
            }
            if (text.mid(i, 5) == "$now(") {
                const qsizetype close = text.indexOf(')', i + 5);
                if (close < 0) {
                    error = QStringLiteral("unclosed $now(");
                    return false;
                }
                flushPlain();
                item.append({TPart::Now, text.mid(i + 5, close - i - 5), 0});
                i = close + 1;
                continue;
            }
        }
        plain += c;
        ++i;
    }
    return true;
}

bool TSimProfile::ParseWord(const QByteArray &text, qint16 &value)
{
    const QByteArray t = text.trimmed();
    bool ok = false;
    qlonglong v = 0;
    if (t.startsWith("0x") || t.startsWith("0X"))
        v = t.mid(2).toLongLong(&ok, 16);
    else if (t.startsWith('$'))
        v = t.mid(1).toLongLong(&ok, 16);
    else
        v = t.toLongLong(&ok, 10);
    if (!ok || v < -32768 || v > 0xFFFF)
        return false;
    value = qint16(quint16(v));
    return true;
}
