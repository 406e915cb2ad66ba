#pragma once

#include "terminal_model/command_field.h"

#include <QList>
#include <QString>

class TExtIniFile;

// One answer field: caption, text type and implied decimals, stored back to
// back in Answers.
struct TAnswerField {
    static constexpr int AttributeCount = 3;
    static constexpr int CurrencyTextType = 2;

    QString Caption;
    int TextType = 0;
    int DecimalDigits = 0;

    bool operator==(const TAnswerField &other) const = default;

    // DecimalDigits is written for Currency fields only, 0 otherwise.
    QString ToRecord() const;

    static QList<TAnswerField> Parse(const QString &value, TFieldReading reading, QString *error = nullptr);
    static QString Format(const QList<TAnswerField> &fields);
};

QList<TAnswerField> ReadAnswerFields(const TExtIniFile &ini, const QString &section, TFieldReading reading,
                                     QString *error = nullptr);
void WriteAnswerFields(TExtIniFile &ini, const QString &section, const QList<TAnswerField> &fields);
