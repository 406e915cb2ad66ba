#include "execution/plan_reader.h"

#include "execution/plan_values.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace {

// Waits longer than an hour are taken for a mistake.
constexpr qint64 MaxWaitMs = 3600 * 1000;
constexpr int MaxRepeat = 999;

// The outcomes a step can expect, by their names in the plan.
bool ParseOutcome(const QString &text, TRunOutcome::TKind *kind)
{
    static const TRunOutcome::TKind kinds[] = {TRunOutcome::Answer, TRunOutcome::Ack, TRunOutcome::Nak,
                                               TRunOutcome::TimeOut, TRunOutcome::BadInput,
                                               TRunOutcome::WriteError};
    for (const TRunOutcome::TKind k : kinds) {
        if (text.compare(TRunOutcome::KindName(k), Qt::CaseInsensitive) == 0) {
            *kind = k;
            return true;
        }
    }
    return false;
}

// "500", "500 ms", "2 s", "1.5 s".
bool ParseWait(const QString &text, int *ms)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:[.,]\\d+)?)\\s*(ms|s)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    double number = 0;
    TPlan::Number(match.captured(1), &number);
    const double value = match.captured(2).compare(QLatin1String("s"), Qt::CaseInsensitive) == 0 ? number * 1000
                                                                                                   : number;
    if (value > MaxWaitMs)
        return false;
    *ms = int(value + 0.5);
    return true;
}

// A value between double quotes keeps its blanks.
QString Unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

// Blanks inside a key count as one.
QString Simplified(const QString &key)
{
    const QString trimmed = key.trimmed();
    for (qsizetype i = 0; i < trimmed.size(); ++i)
        if (trimmed.at(i).isSpace() && (trimmed.at(i) != QLatin1Char(' ') || trimmed.at(i + 1).isSpace()))
            return trimmed.simplified();
    return trimmed;
}

// The words of a simplified key after the first `words` of them.
QString WordsAfter(const QString &key, int words)
{
    qsizetype from = 0;
    for (int i = 0; i < words; ++i) {
        from = key.indexOf(QLatin1Char(' '), from);
        if (from < 0)
            return QString();
        ++from;
    }
    return key.mid(from);
}

class TReading {
public:
    explicit TReading(const QString &fileName) { m_result.Plan.FileName = fileName; }

    void Line(int number, const QString &raw);
    TPlanReader::TResult Finish();
    void Problem(int line, const QString &message)
    {
        m_result.Problems.append({QFileInfo(m_result.Plan.FileName).fileName(), line, message});
    }

private:
    enum class TSection { None, Plan, Step, Unknown };

    void Section(int number, const QString &name);
    void PlanKey(int number, const QString &key, const QString &lower, const QString &value);
    void StepKey(int number, const QString &key, const QString &lower, const QString &value);
    // lower: what, folded.
    bool Once(int number, const QString &what, const QString &lower);
    void CheckReferences(int number, const QString &text);
    void CloseStep();

    TPlanReader::TResult m_result;
    TSection m_section = TSection::None;
    bool m_planSeen = false;
    int m_nameLine = 0;
    bool m_inStep = false;
    TPlan::TStep m_step;
    QSet<QString> m_once;   // keys of the current section that may appear once
};

void TReading::Line(int number, const QString &raw)
{
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
        return;
    if (line.startsWith(QLatin1Char('['))) {
        if (!line.endsWith(QLatin1Char(']'))) {
            Problem(number, QCoreApplication::translate("TPlanReader", "a section header ends with \"]\""));
            m_section = TSection::Unknown;
            return;
        }
        Section(number, line.mid(1, line.size() - 2).trimmed());
        return;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) {
        Problem(number, QCoreApplication::translate("TPlanReader", "expected KEY = VALUE, a [section] or a comment"));
        return;
    }
    const QString key = Simplified(line.left(eq));
    const QString value = Unquoted(line.mid(eq + 1).trimmed());
    if (key.isEmpty()) {
        Problem(number, QCoreApplication::translate("TPlanReader", "a line without its key"));
        return;
    }
    switch (m_section) {
    case TSection::None:
        Problem(number, QCoreApplication::translate("TPlanReader", "\"%1\" stands before any section: start with [Plan]").arg(key));
        break;
    case TSection::Plan:
        PlanKey(number, key, TPlan::Folded(key), value);
        break;
    case TSection::Step:
        StepKey(number, key, TPlan::Folded(key), value);
        break;
    case TSection::Unknown:
        break;   // its header was reported
    }
}

void TReading::Section(int number, const QString &name)
{
    CloseStep();
    m_once.clear();
    const QString lower = TPlan::Folded(name);
    if (lower == QLatin1String("plan")) {
        if (m_planSeen) {
            Problem(number, QCoreApplication::translate("TPlanReader", "a second [Plan] section"));
            m_section = TSection::Unknown;
            return;
        }
        if (!m_result.Plan.Steps.isEmpty())
            Problem(number, QCoreApplication::translate("TPlanReader", "[Plan] comes before the steps"));
        m_planSeen = true;
        m_section = TSection::Plan;
        return;
    }
    if (lower == QLatin1String("step") || lower.startsWith(QLatin1String("step "))) {
        m_section = TSection::Step;
        m_inStep = true;
        m_step = TPlan::TStep();
        m_step.Line = number;
        m_step.Title = name.mid(4).trimmed();
        return;
    }
    Problem(number, QCoreApplication::translate("TPlanReader", "unknown section [%1]: a plan has [Plan] and [Step] sections").arg(name));
    m_section = TSection::Unknown;
}

bool TReading::Once(int number, const QString &what, const QString &lower)
{
    if (m_once.contains(lower)) {
        Problem(number, QCoreApplication::translate("TPlanReader", "\"%1\" is given twice in this section").arg(what));
        return false;
    }
    m_once.insert(lower);
    return true;
}

void TReading::CheckReferences(int number, const QString &text)
{
    QStringList names;
    QString error;
    if (!TPlanValues::References(text, &names, &error))
        Problem(number, error);
}

void TReading::PlanKey(int number, const QString &key, const QString &lower, const QString &value)
{
    if (lower == QLatin1String("terminal")) {
        if (!Once(number, key, lower))
            return;
        m_result.Plan.TerminalLine = number;
        m_result.Plan.Terminal = value;
        if (value.isEmpty())
            Problem(number, QCoreApplication::translate("TPlanReader", "Terminal names the terminal file, relative to the plan"));
    } else if (lower == QLatin1String("name")) {
        if (Once(number, key, lower)) {
            m_result.Plan.Name = value;
            m_nameLine = number;
        }
    } else {
        Problem(number, QCoreApplication::translate("TPlanReader", "unknown key \"%1\" in [Plan]: it takes Name and Terminal").arg(key));
    }
}

void TReading::StepKey(int number, const QString &key, const QString &lower, const QString &value)
{
    const auto rest = [&key](int words) { return WordsAfter(key, words); };
    const auto subject = [&](int words, const QString &what) {
        const QString s = rest(words);
        if (s.isEmpty())
            Problem(number, QCoreApplication::translate("TPlanReader", "\"%1\" names the %2 after it").arg(key, what));
        return s;
    };
    const auto expectation = [&](TPlan::TExpectationKind kind, const QString &subjectText) {
        TPlan::TExpectation e;
        e.Kind = kind;
        e.Subject = subjectText;
        e.Text = value;
        e.Line = number;
        return e;
    };

    if (lower == QLatin1String("command")) {
        if (!Once(number, key, lower))
            return;
        m_step.Command = value;
        m_step.CommandLine = number;
        if (value.isEmpty() || !value.contains(QLatin1Char('/')))
            Problem(number, QCoreApplication::translate("TPlanReader", "Command names a command as GROUP/COMMAND"));
    } else if (lower == QLatin1String("repeat")) {
        if (!Once(number, key, lower))
            return;
        bool ok = false;
        const int count = value.toInt(&ok, 10);
        m_step.RepeatLine = number;
        if (!ok || count < 1 || count > MaxRepeat)
            Problem(number, QCoreApplication::translate("TPlanReader", "Repeat \"%1\": give a count from 1 to %2").arg(value).arg(MaxRepeat));
        else
            m_step.Repeat = count;
    } else if (lower == QLatin1String("wait")) {
        if (!Once(number, key, lower))
            return;
        int ms = 0;
        if (!ParseWait(value, &ms)) {
            Problem(number, QCoreApplication::translate("TPlanReader", "Wait \"%1\": give a time such as 500 ms or 2 s, at most an hour").arg(value));
            ms = 0;
        }
        m_step.WaitMs = ms;
    } else if (lower.startsWith(QLatin1String("set ")) || lower.startsWith(QLatin1String("date "))
               || lower.startsWith(QLatin1String("time ")) || lower == QLatin1String("set")
               || lower == QLatin1String("date") || lower == QLatin1String("time")) {
        TPlan::TValue v;
        v.Kind = lower.startsWith(QLatin1String("set")) ? TPlan::TValueKind::Set
                 : lower.startsWith(QLatin1String("date")) ? TPlan::TValueKind::Date
                                                           : TPlan::TValueKind::Time;
        v.Field = subject(1, QCoreApplication::translate("TPlanReader", "field (its number from 1 or its caption)"));
        v.Text = value;
        v.Line = number;
        if (v.Field.isEmpty() || !Once(number, QStringLiteral("field ") + v.Field, QStringLiteral("field ") + TPlan::Folded(v.Field)))
            return;
        CheckReferences(number, value);
        if (v.Kind == TPlan::TValueKind::Date && !value.contains(QLatin1Char('$'))
            && !QDate::fromString(value, QStringLiteral("yyyy-MM-dd")).isValid())
            Problem(number, QCoreApplication::translate("TPlanReader", "%1: \"%2\" is not a date YYYY-MM-DD").arg(key, value));
        if (v.Kind == TPlan::TValueKind::Time && !value.contains(QLatin1Char('$'))
            && !QTime::fromString(value, QStringLiteral("HH:mm:ss")).isValid())
            Problem(number, QCoreApplication::translate("TPlanReader", "%1: \"%2\" is not a time HH:MM:SS").arg(key, value));
        m_step.Values.append(v);
    } else if (lower == QLatin1String("outcome")) {
        if (!Once(number, key, lower))
            return;
        TPlan::TExpectation e = expectation(TPlan::TExpectationKind::Outcome, QString());
        if (!ParseOutcome(value, &e.Outcome))
            Problem(number, QCoreApplication::translate("TPlanReader", "Outcome \"%1\": use answer, ack, nak, timeout, bad-input or write-error").arg(value));
        m_step.Expectations.append(e);
    } else if (lower == QLatin1String("return code")) {
        if (!Once(number, key, lower))
            return;
        TPlan::TExpectation e = expectation(TPlan::TExpectationKind::ReturnCode, QString());
        bool ok = false;
        const int code = value.toInt(&ok, 10);
        if (ok && (code < 0 || code > 0xFFFF))
            Problem(number, QCoreApplication::translate("TPlanReader", "Return code %1: codes run from 0 to 65535").arg(value));
        else if (ok)
            e.Number = code;
        else if (value.isEmpty())
            Problem(number, QCoreApplication::translate("TPlanReader", "Return code: give a number or its text from the terminal file"));
        m_step.Expectations.append(e);
    } else if (lower == QLatin1String("shown") || lower == QLatin1String("not shown")) {
        if (value.isEmpty()) {
            Problem(number, QCoreApplication::translate("TPlanReader", "%1: give the text of a status panel").arg(key));
            return;
        }
        m_step.Expectations.append(expectation(lower == QLatin1String("shown") ? TPlan::TExpectationKind::Shown
                                                                               : TPlan::TExpectationKind::NotShown,
                                               QString()));
    } else if (lower == QLatin1String("fiscal answers")) {
        if (!Once(number, key, lower))
            return;
        TPlan::TExpectation e = expectation(TPlan::TExpectationKind::FiscalCount, QString());
        bool ok = false;
        e.Number = value.toInt(&ok, 10);
        if (!ok || e.Number < 0)
            Problem(number, QCoreApplication::translate("TPlanReader", "Fiscal answers \"%1\": give the number of answers").arg(value));
        m_step.Expectations.append(e);
    } else if (lower.startsWith(QLatin1String("fiscal answer ")) || lower.startsWith(QLatin1String("fiscal pattern "))) {
        const bool pattern = lower.startsWith(QLatin1String("fiscal pattern"));
        TPlan::TExpectation e = expectation(pattern ? TPlan::TExpectationKind::FiscalMatches
                                                    : TPlan::TExpectationKind::FiscalEquals,
                                            QString());
        bool ok = false;
        e.Number = rest(2).toInt(&ok, 10);
        if (!ok || e.Number < 1) {
            Problem(number, QCoreApplication::translate("TPlanReader", "\"%1\": name the fiscal answer by its number from 1").arg(key));
            return;
        }
        if (!Once(number, key, lower))
            return;
        CheckReferences(number, value);
        if (pattern && !value.contains(QLatin1Char('$')) && !QRegularExpression(value).isValid())
            Problem(number, QCoreApplication::translate("TPlanReader", "%1: \"%2\" is not a valid pattern: %3")
                                .arg(key, value, QRegularExpression(value).errorString()));
        m_step.Expectations.append(e);
    } else if (lower.startsWith(QLatin1String("field ")) || lower.startsWith(QLatin1String("pattern "))
               || lower.startsWith(QLatin1String("range ")) || lower == QLatin1String("field")
               || lower == QLatin1String("pattern") || lower == QLatin1String("range")) {
        const QString label = subject(1, QCoreApplication::translate("TPlanReader", "answer field (its label)"));
        if (label.isEmpty() || !Once(number, key, lower))
            return;
        const TPlan::TExpectationKind kind = lower.startsWith(QLatin1String("field")) ? TPlan::TExpectationKind::FieldEquals
                                             : lower.startsWith(QLatin1String("pattern"))
                                                 ? TPlan::TExpectationKind::FieldMatches
                                                 : TPlan::TExpectationKind::FieldRange;
        TPlan::TExpectation e = expectation(kind, label);
        CheckReferences(number, value);
        if (kind == TPlan::TExpectationKind::FieldMatches && !value.contains(QLatin1Char('$'))
            && !QRegularExpression(value).isValid())
            Problem(number, QCoreApplication::translate("TPlanReader", "%1: \"%2\" is not a valid pattern: %3")
                                .arg(key, value, QRegularExpression(value).errorString()));
        if (kind == TPlan::TExpectationKind::FieldRange) {
            const qsizetype dots = value.indexOf(QLatin1String(".."));
            const QString low = dots < 0 ? QString() : value.left(dots).trimmed();
            const QString high = dots < 0 ? QString() : value.mid(dots + 2).trimmed();
            e.HasMin = !low.isEmpty() && TPlan::Number(low, &e.Min);
            e.HasMax = !high.isEmpty() && TPlan::Number(high, &e.Max);
            if (dots < 0 || (low.isEmpty() && high.isEmpty()) || (!low.isEmpty() && !e.HasMin)
                || (!high.isEmpty() && !e.HasMax))
                Problem(number, QCoreApplication::translate("TPlanReader", "%1 \"%2\": give MIN .. MAX, numbers, either may be left out").arg(key, value));
            else if (e.HasMin && e.HasMax && e.Min > e.Max)
                Problem(number, QCoreApplication::translate("TPlanReader", "%1 \"%2\": the lower end is above the upper end").arg(key, value));
        }
        m_step.Expectations.append(e);
    } else if (lower.startsWith(QLatin1String("keep ")) || lower == QLatin1String("keep")) {
        const QString label = subject(1, QCoreApplication::translate("TPlanReader", "answer field (its label)"));
        if (label.isEmpty() || !Once(number, key, lower))
            return;
        if (!TPlanValues::IsName(value))
            Problem(number, QCoreApplication::translate("TPlanReader", "%1 = \"%2\": a kept value's name is made of letters, digits and _").arg(key, value));
        m_step.Keeps.append({label, value, number});
    } else {
        Problem(number, QCoreApplication::translate("TPlanReader", "unknown key \"%1\" in a step (see docs/plans.md)").arg(key));
    }
}

void TReading::CloseStep()
{
    if (!m_inStep)
        return;
    m_inStep = false;
    const bool sends = m_step.CommandLine > 0;
    if (!sends && !m_step.IsWait())
        Problem(m_step.Line, QCoreApplication::translate("TPlanReader", "the step neither sends a Command nor waits (Wait)"));
    else if (sends && m_step.IsWait())
        Problem(m_step.Line, QCoreApplication::translate("TPlanReader", "a step either sends a Command or waits, not both"));
    else if (m_step.IsWait()) {
        int line = 0;
        for (const TPlan::TValue &v : m_step.Values)
            line = line ? line : v.Line;
        for (const TPlan::TExpectation &e : m_step.Expectations)
            line = line ? line : e.Line;
        for (const TPlan::TKeep &k : m_step.Keeps)
            line = line ? line : k.Line;
        line = line ? line : m_step.RepeatLine;
        if (line)
            Problem(line, QCoreApplication::translate("TPlanReader", "a wait sends nothing: field values, Repeat, expectations and Keep belong to a Command"));
    }
    m_result.Plan.Steps.append(m_step);
}

TPlanReader::TResult TReading::Finish()
{
    CloseStep();
    TPlan &plan = m_result.Plan;
    if (!m_planSeen)
        Problem(0, QCoreApplication::translate("TPlanReader", "no [Plan] section naming the terminal file"));
    else if (plan.TerminalLine == 0)
        Problem(0, QCoreApplication::translate("TPlanReader", "[Plan] has no Terminal naming the terminal file"));
    if (plan.Steps.isEmpty())
        Problem(0, QCoreApplication::translate("TPlanReader", "the plan has no [Step]"));
    if (plan.Name.isEmpty())
        plan.Name = QFileInfo(plan.FileName).completeBaseName();
    return m_result;
}

}

TPlanReader::TResult TPlanReader::Read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        TResult result;
        result.Plan.FileName = fileName;
        result.Problems.append({QFileInfo(fileName).fileName(), 0,
                                QCoreApplication::translate("TPlanReader", "cannot be read: %1").arg(file.errorString())});
        return result;
    }
    return Parse(file.readAll(), fileName);
}

TPlanReader::TResult TPlanReader::Parse(const QByteArray &content, const QString &fileName)
{
    TReading reading(fileName);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(content);
    if (decoder.hasError() || content.contains('\0')) {
        reading.Problem(0, QCoreApplication::translate("TPlanReader", "not a plan: the file is not UTF-8 text"));
        TResult result = reading.Finish();
        result.Problems = {result.Problems.first()};
        return result;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        reading.Line(i + 1, line);
    }
    return reading.Finish();
}

bool TPlanReader::IsPlanFile(const QString &fileName)
{
    if (QFileInfo(fileName).suffix().compare(Extension, Qt::CaseInsensitive) == 0)
        return true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The first section decides: a terminal file has none called Plan.
    for (int i = 0; i < 200 && !file.atEnd(); ++i) {
        const QByteArray line = file.readLine(4096).trimmed();
        if (line.startsWith('['))
            return line.toLower().startsWith("[plan]");
    }
    return false;
}
