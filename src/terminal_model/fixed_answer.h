#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class TExtIniFile;

// A rule that decodes a status word into a coloured panel text: when
// (word & Mask) == Result, panel Panel shows Text in Color.
struct TFixedAnswer {
    static constexpr int MaxPanel = 16;

    int Panel = 1;
    quint16 Mask = 0;
    quint16 Result = 0;
    QString Text;
    quint32 Color = 0;

    bool operator==(const TFixedAnswer &other) const = default;

    // The stored value of record number: number,panel,MASK,RESULT,"text",colour.
    QString ToRecord(int number) const;
    // False with *reason set when the value is not a record of six readable
    // items; the leading number is not read.
    static bool Parse(const QString &value, TFixedAnswer *record, QString *reason = nullptr);
};

// Sections of the two status words.
inline const QString FiscalAnswerSection = QStringLiteral("FiscalAnswer");
inline const QString PrinterAnswerSection = QStringLiteral("PrinterAnswer");

// Every key of the section in file order, whatever its name. Records that
// cannot be read are left out, each with a message naming section, key and
// value in *errors.
QList<TFixedAnswer> ReadFixedAnswers(const TExtIniFile &ini, const QString &section,
                                     QStringList *errors = nullptr);
// Erases the section and writes Record1, Record2, ... in list order.
void WriteFixedAnswers(TExtIniFile &ini, const QString &section, const QList<TFixedAnswer> &records);
