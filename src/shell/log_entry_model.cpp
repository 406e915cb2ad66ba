#include "shell/log_entry_model.h"

#include "execution/comm_log_formatter.h"

#include <QStringView>

#include <algorithm>

namespace {

// Between the hex and the text form of a frame shown in both.
const QString FormGap = QStringLiteral("  ");

const QString &Prefix(TLogEntryModel::TSide side)
{
    switch (side) {
    case TLogEntryModel::TSide::Host:
        return TCommLogFormatter::HostPrefix;
    case TLogEntryModel::TSide::Printer:
        return TCommLogFormatter::PrinterPrefix;
    case TLogEntryModel::TSide::Fiscal:
        return TCommLogFormatter::FiscalPrefix;
    case TLogEntryModel::TSide::Elapsed:
        return TCommLogFormatter::ElapsedPrefix;
    case TLogEntryModel::TSide::Failure:
        break;
    }
    return TCommLogFormatter::FailurePrefix;
}

// The forms of every byte and the prefixes, case-folded once, so a search
// compares folded texts exactly instead of folding each character it meets.
struct TFoldedForms
{
    std::array<QString, 256> Hex;
    std::array<QString, 256> Text;
    std::array<QString, TLogEntryModel::SideCount> Prefixes;
};

const TFoldedForms &Folded()
{
    static const TFoldedForms forms = [] {
        TFoldedForms f;
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            f.Hex[size_t(byte)] = TCommLogFormatter::Hex(one).toCaseFolded();
            f.Text[size_t(byte)] = TCommLogFormatter::Text(one).toCaseFolded();
        }
        for (int side = 0; side < TLogEntryModel::SideCount; ++side)
            f.Prefixes[size_t(side)] = Prefix(TLogEntryModel::TSide(side)).toCaseFolded();
        return f;
    }();
    return forms;
}

} // namespace

TLogEntryModel::TLogEntryModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void TLogEntryModel::AppendFrame(qint64 us, TSide side, QByteArrayView bytes)
{
    Append(us, side, TKind::Frame, bytes);
    const qsizetype prefix = Prefix(side).size();
    const qsizetype hex = bytes.size() * 3;
    const qsizetype text = TCommLogFormatter::TextLength(bytes);
    m_widestPending[FormHex] = qMax(m_widestPending[FormHex], prefix + hex);
    m_widestPending[FormText] = qMax(m_widestPending[FormText], prefix + text);
    m_widestPending[FormBoth] = qMax(m_widestPending[FormBoth], prefix + hex + FormGap.size() + text);
}

void TLogEntryModel::AppendMessage(qint64 us, TSide side, const QString &text)
{
    Append(us, side, TKind::Message, text.toUtf8());
    const qsizetype width = Prefix(side).size() + text.size();
    for (qsizetype &widest : m_widestPending)
        widest = qMax(widest, width);
}

void TLogEntryModel::Append(qint64 us, TSide side, TKind kind, QByteArrayView payload)
{
    m_entries.push_back({us, m_pool.size(), qint32(payload.size()), side, kind});
    m_pool.append(payload);
}

void TLogEntryModel::Publish()
{
    const int count = EntryCount();
    if (count == m_rows)
        return;
    beginInsertRows(QModelIndex(), m_rows, count - 1);
    m_rows = count;
    m_widest = m_widestPending;
    endInsertRows();
}

void TLogEntryModel::Clear()
{
    beginResetModel();
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_pool.clear();
    m_pool.squeeze();
    m_rows = 0;
    m_widest = {0, 0, 0};
    m_widestPending = {0, 0, 0};
    endResetModel();
}

void TLogEntryModel::SetColor(TSide side, const QColor &color)
{
    m_colors[size_t(side)] = color;
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1), {Qt::ForegroundRole});
}

void TLogEntryModel::SetFrameForm(TFrameForm form)
{
    if (form == m_form)
        return;
    m_form = form;
    if (m_rows > 0)
        emit dataChanged(index(0, ColumnEntry), index(m_rows - 1, ColumnEntry), {Qt::DisplayRole});
}

QByteArrayView TLogEntryModel::Payload(const TEntry &entry) const
{
    return QByteArrayView(m_pool.constData() + entry.Offset, entry.Size);
}

void TLogEntryModel::AppendForm(QString &out, const TEntry &entry, TFrameForm form) const
{
    out += Prefix(entry.Side);
    const QByteArrayView payload = Payload(entry);
    if (entry.Kind == TKind::Message) {
        out += QString::fromUtf8(payload);
        return;
    }
    if (form != FormText)
        TCommLogFormatter::AppendHex(out, payload);
    if (form == FormBoth)
        out += FormGap;
    if (form != FormHex)
        TCommLogFormatter::AppendText(out, payload);
}

QString TLogEntryModel::TimeText(int row) const
{
    return TCommLogFormatter::TimeStamp(m_entries[size_t(row)].Us);
}

QString TLogEntryModel::EntryText(int row) const
{
    QString text;
    AppendForm(text, m_entries[size_t(row)], m_form);
    return text;
}

bool TLogEntryModel::Matches(const TEntry &entry, QStringView folded, QString &buffer) const
{
    const TFoldedForms &forms = Folded();
    const QByteArrayView payload = Payload(entry);
    const QString &prefix = forms.Prefixes[size_t(entry.Side)];
    if (entry.Kind == TKind::Message) {
        // Truncated, not cleared, so the buffer keeps its room from entry to entry.
        buffer.truncate(0);
        buffer += prefix;
        buffer += QString::fromUtf8(payload).toCaseFolded();
        return buffer.contains(folded);
    }
    // Each form on its own, so a match never spans the two; the characters
    // are copied straight into the buffer, which a search meets by the
    // hundred thousand.
    const auto fill = [&](const std::array<QString, 256> &table) {
        qsizetype length = prefix.size();
        for (const char c : payload)
            length += table[static_cast<unsigned char>(c)].size();
        buffer.resize(length);
        QChar *to = buffer.data();
        to = std::copy(prefix.cbegin(), prefix.cend(), to);
        for (const char c : payload) {
            const QString &form = table[static_cast<unsigned char>(c)];
            to = std::copy(form.cbegin(), form.cend(), to);
        }
        return buffer.contains(folded);
    };
    return fill(forms.Hex) || fill(forms.Text);
}

int TLogEntryModel::Find(const QString &text, int from, bool forward) const
{
    if (text.isEmpty() || m_rows == 0)
        return -1;
    const QString folded = text.toCaseFolded();
    QString buffer;
    buffer.reserve(1024);
    const int step = forward ? 1 : -1;
    int row = from < 0 ? (forward ? 0 : m_rows - 1) : from + step;
    for (int seen = 0; seen < m_rows; ++seen, row += step) {
        row = (row + m_rows) % m_rows;
        if (Matches(m_entries[size_t(row)], folded, buffer))
            return row;
    }
    return -1;
}

int TLogEntryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TLogEntryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TLogEntryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == ColumnTime ? TimeText(index.row()) : EntryText(index.row());
    case Qt::ForegroundRole: {
        const QColor &color = m_colors[size_t(m_entries[size_t(index.row())].Side)];
        return color.isValid() ? QVariant(color) : QVariant();
    }
    default:
        return {};
    }
}
