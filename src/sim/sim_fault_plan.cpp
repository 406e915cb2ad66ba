#include "sim/sim_fault_plan.h"

#include <QByteArray>
#include <QStringList>

namespace {

struct TKindInfo
{
    const char *Name;
    int Arguments;
    bool Fiscal;   // applies to the fiscal port too
};

constexpr TKindInfo Kinds[] = {
    {"nak", 0, true},        {"bad-checksum", 0, true}, {"dc2", 2, false},
    {"busy-frame", 2, false}, {"other-seq", 0, false},  {"silence", 0, true},
    {"delay", 1, true},      {"garbage", 1, true},      {"unplug", 1, true},
};

// Longest a delay or a gap may be, so that a typing error cannot hang a test
// for hours.
constexpr int MaxMilliseconds = 600000;
constexpr int MaxCount = 1000;

} // namespace

bool TSimFaultPlan::Add(const QString &spec, QString &error)
{
    QString text = spec.trimmed();
    TEntry entry;
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString when = text.mid(at + 1).trimmed();
        text = text.left(at).trimmed();
        if (when.compare(QLatin1String("every"), Qt::CaseInsensitive) != 0) {
            bool ok = false;
            entry.Request = when.toInt(&ok);
            if (!ok || entry.Request < 1) {
                error = QStringLiteral("'%1': after @ comes a request number from 1, or every").arg(spec);
                return false;
            }
        }
    }
    QString arguments;
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq >= 0) {
        arguments = text.mid(eq + 1).trimmed();
        text = text.left(eq).trimmed();
    }
    entry.Kind = text.toLower();

    const TKindInfo *info = nullptr;
    for (const TKindInfo &kind : Kinds) {
        if (entry.Kind == QLatin1String(kind.Name))
            info = &kind;
    }
    if (!info) {
        error = QStringLiteral("'%1': unknown fault '%2'").arg(spec, entry.Kind);
        return false;
    }
    if (m_port == FiscalPort && !info->Fiscal) {
        error = QStringLiteral("'%1': %2 does not apply to the fiscal port").arg(spec, entry.Kind);
        return false;
    }
    const QStringList values =
        arguments.isEmpty() ? QStringList() : arguments.split(QLatin1Char(','));
    if (values.size() != info->Arguments) {
        error = QStringLiteral("'%1': %2 takes %3 number(s)").arg(spec, entry.Kind).arg(info->Arguments);
        return false;
    }
    int numbers[2] = {0, 0};
    for (qsizetype i = 0; i < values.size(); ++i) {
        bool ok = false;
        numbers[i] = values[i].trimmed().toInt(&ok);
        const int limit = (entry.Kind == QLatin1String("delay") || entry.Kind == QLatin1String("unplug") || i == 1) ? MaxMilliseconds : MaxCount;
        if (!ok || numbers[i] < 0 || numbers[i] > limit) {
            error = QStringLiteral("'%1': '%2' is not a number from 0 to %3").arg(spec, values[i]).arg(limit);
            return false;
        }
    }
    entry.First = numbers[0];
    entry.Second = numbers[1];
    m_entries.append(entry);
    return true;
}

TSimFaultPlan::TFaults TSimFaultPlan::For(int request) const
{
    TFaults faults;
    for (const TEntry &entry : m_entries) {
        if (entry.Request != 0 && entry.Request != request)
            continue;
        if (entry.Kind == QLatin1String("nak")) {
            faults.Nak = true;
        } else if (entry.Kind == QLatin1String("bad-checksum")) {
            faults.BadChecksum = true;
        } else if (entry.Kind == QLatin1String("other-seq")) {
            faults.OtherSequence = true;
        } else if (entry.Kind == QLatin1String("silence")) {
            faults.Silence = true;
        } else if (entry.Kind == QLatin1String("delay")) {
            faults.DelayMs = entry.First;
        } else if (entry.Kind == QLatin1String("dc2")) {
            faults.Dc2Count = entry.First;
            faults.Dc2GapMs = entry.Second;
        } else if (entry.Kind == QLatin1String("busy-frame")) {
            faults.BusyFrames = entry.First;
            faults.BusyGapMs = entry.Second;
        } else if (entry.Kind == QLatin1String("garbage")) {
            faults.GarbageBytes = entry.First;
        } else if (entry.Kind == QLatin1String("unplug")) {
            faults.UnplugMs = entry.First;
        }
    }
    return faults;
}

QByteArray TSimFaultPlan::Garbage(int count)
{
    static const QByteArray pattern = QByteArray::fromHex("a5007fff0d0a20") + "noise";
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += pattern.at(i % pattern.size());
    return bytes;
}
