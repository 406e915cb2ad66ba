#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

class TExtIniFile;

// Every problem a reader of a terminal file would meet, each with the
// section and key it sits in and a plain message.
class TFileChecker {
public:
    struct TProblem {
        QString section;
        QString key;   // empty for a problem of the whole section
        QString message;

        bool operator==(const TProblem &other) const = default;
    };

    // data is the file as stored; repeated sections and keys are only
    // visible there, the parsed document reads the first of each.
    static QList<TProblem> Check(const TExtIniFile &ini, const QByteArray &data);

    static QString Text(const QList<TProblem> &problems);
    static QJsonObject Json(const QString &fileName, const QList<TProblem> &problems);
};
