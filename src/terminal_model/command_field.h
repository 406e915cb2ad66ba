#pragma once

#include <QList>
#include <QString>

class TExtIniFile;

// How numeric attributes of field records are read: the terminal window stops
// at a bad Mode, TextType, ControlType, Required or ReadOnly; the editors read
// any bad number as 0.
enum class TFieldReading { Strict, Lenient };

// One command field: twelve attributes, stored back to back in Commands.
struct TCommandField {
    static constexpr int AttributeCount = 12;

    int Mode = 0;              // 0 host port, 1 fiscal port
    QString Caption;
    QString Hint;
    int TextType = 0;
    QString DefaultText;
    int ControlType = 0;
    int MaxLength = 0;
    bool Required = false;
    bool ReadOnly = false;
    int MinLength = 0;
    int DecimalDigits = 0;
    bool AutoIncrement = false;

    bool operator==(const TCommandField &other) const = default;

    // The record's twelve items, joined by commas.
    QString ToRecord() const;

    // Items beyond the last whole record are ignored. On a strict error the
    // fields before the bad record are returned and *error holds the message
    // "'<item>' is not a valid integer value".
    static QList<TCommandField> Parse(const QString &value, TFieldReading reading, QString *error = nullptr);
    static QString Format(const QList<TCommandField> &fields);
};

QList<TCommandField> ReadCommandFields(const TExtIniFile &ini, const QString &section, TFieldReading reading,
                                       QString *error = nullptr);
void WriteCommandFields(TExtIniFile &ini, const QString &section, const QList<TCommandField> &fields);

// The message of a strict reading that met a bad number.
QString NotAnIntegerMessage(const QString &item);
// MaxLength, MinLength and DecimalDigits as typed: an integer, 0 when not one.
int NormalisedNumber(const QString &text);
