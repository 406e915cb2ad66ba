#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What the simulated printer answers, read from a profile file (an INI text,
// described in docs/simulator.md) or built in: per host command its status
// words, return code and answer fields; per fiscal-port request its answer
// frames. Answer values may echo the command's own fields.
class TSimProfile
{
public:
    struct THostReply
    {
        qint16 PrinterStatus = 0;
        qint16 FiscalStatus = 0;
        qint16 ReturnCode = 0;
        QList<QByteArray> Fields;
    };

    TSimProfile();

    // False with ErrorString() on a file that cannot be read or a bad line;
    // the profile is then left as it was.
    bool Load(const QString &fileName);
    bool LoadFromText(const QByteArray &text, const QString &origin = QStringLiteral("profile"));
    QString ErrorString() const { return m_error; }

    // Built-in fiscal answers for requests no profile rule matches: count
    // frames, all but the last intermediate.
    void SetFiscalFrames(int count);

    // The reply to a host command (its first field is the command code).
    THostReply HostReply(const QList<QByteArray> &commandFields,
                         const QDateTime &now = QDateTime::currentDateTime()) const;
    // The answer frame texts for a fiscal-port request, the last one final.
    QList<QByteArray> FiscalReplies(const QByteArray &request,
                                    const QDateTime &now = QDateTime::currentDateTime()) const;

    // One value of a list: literal bytes, an echo or the current time.
    struct TPart
    {
        enum TKind { Literal, Field, AllFields, Now };
        TKind Kind = Literal;
        QByteArray Bytes;   // Literal: the bytes; Now: the date-time format
        int Index = 0;      // Field: 1-based command field
    };
    using TItem = QList<TPart>;

    // Splits a value list: items separated by commas, each a run of
    // "quoted text" ("" is a quote), x'hex', $n, $*, $now(format) and
    // plain text. False with error on malformed input.
    static bool ParseList(const QByteArray &text, QList<TItem> &items, QString &error);
    // A status word or return code: decimal, or hex after 0x or $.
    static bool ParseWord(const QByteArray &text, qint16 &value);

private:
    struct TRule
    {
        std::optional<QByteArray> Match;   // command code or request prefix
        std::optional<qint16> PrinterStatus;
        std::optional<qint16> FiscalStatus;
        std::optional<qint16> ReturnCode;
        std::optional<QList<TItem>> Items;  // host: Fields; fiscal: Answers
    };

    static QList<QByteArray> Expand(const QList<TItem> &items, const QList<QByteArray> &fields,
                                    const QByteArray &whole, const QDateTime &now,
                                    bool spreadAll);

    TRule m_hostDefault;
    QList<TRule> m_commands;
    TRule m_fiscalDefault;
    QList<TRule> m_fiscalRules;
    QString m_error;
};
