#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QString>

#include <array>
#include <vector>

// The entries of the log window, kept compactly (time, side, kind and the
// bytes of each in one pool) so that hundreds of thousands of them cost
// little; the text of a row is made only when a view asks for it. Appended
// entries stay out of the rows until Publish(), so a burst reaches the view
// in one step.
class TLogEntryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Who an entry comes from; it gives the prefix and the colour.
    enum class TSide : quint8 { Host, Printer, Fiscal, Failure, Elapsed };
    static constexpr int SideCount = 5;
    // A frame's bytes are shown in the chosen form; a message as it is.
    enum class TKind : quint8 { Frame, Message };
    enum TFrameForm : quint8 { FormHex, FormText, FormBoth };
    enum TColumn { ColumnTime, ColumnEntry, ColumnCount };

    explicit TLogEntryModel(QObject *parent = nullptr);

    void AppendFrame(qint64 us, TSide side, QByteArrayView bytes);
    void AppendMessage(qint64 us, TSide side, const QString &text);
    // Makes the appended entries rows.
    void Publish();
    void Clear();

    void SetColor(TSide side, const QColor &color);
    void SetFrameForm(TFrameForm form);
    TFrameForm FrameForm() const { return m_form; }

    // Every entry published or not.
    int EntryCount() const { return int(m_entries.size()); }
    // "14:03:27.512", on the event clock.
    QString TimeText(int row) const;
    // Prefix and text in the chosen form: "HOST --> 02 41 03 ".
    QString EntryText(int row) const;
    // The longest entry text of the rows in the chosen form, in characters.
    qsizetype WidestEntry() const { return m_widest[m_form]; }
    // The next row after `from` (before it, going back), round the end,
    // whose hex or text form holds the text, whatever the case; -1 if none.
    // From -1 the search starts at the first (last) row.
    int Find(const QString &text, int from, bool forward) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    struct TEntry
    {
        qint64 Us;
        qint64 Offset;
        qint32 Size;
        TSide Side;
        TKind Kind;
    };

    void Append(qint64 us, TSide side, TKind kind, QByteArrayView payload);
    QByteArrayView Payload(const TEntry &entry) const;
    // The text is case-folded.
    bool Matches(const TEntry &entry, QStringView folded, QString &buffer) const;
    void AppendForm(QString &out, const TEntry &entry, TFrameForm form) const;

    std::vector<TEntry> m_entries;
    QByteArray m_pool;
    int m_rows = 0;
    TFrameForm m_form = FormHex;
    std::array<QColor, SideCount> m_colors;
    // Per form, the longest published entry and the longest of all.
    std::array<qsizetype, 3> m_widest = {0, 0, 0};
    std::array<qsizetype, 3> m_widestPending = {0, 0, 0};
};
