#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TExtIniFile;

// One description of an extended-protocol return code.
struct TReturnCode {
    int Code = 0;
    QString Description;

    bool operator==(const TReturnCode &other) const = default;
};

inline const QString ReturnCodesSection = QStringLiteral("Return codes");

// "RC" and the code in decimal without leading zeros.
QString ReturnCodeKey(int code);
// The code of a key "RC<digits>"; false for any other key.
bool ParseReturnCodeKey(const QString &key, int *code);
// Empty when the code has no description.
QString ReturnCodeDescription(const TExtIniFile &ini, int code);

// The codes in file order. Keys that are not RC<digits> are left out, each
// named in *errors.
QList<TReturnCode> ReadReturnCodes(const TExtIniFile &ini, QStringList *errors = nullptr);
// Erases the section and writes the codes in ascending order; codes that
// compare equal keep their list order (the later one's text wins).
void WriteReturnCodes(TExtIniFile &ini, const QList<TReturnCode> &codes);
