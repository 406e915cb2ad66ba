#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

class TExtIniFile;

// Every problem a reader of a terminal file would meet, each with the
// section and key it sits in and a plain message. Warnings are things a
// user trips over although the file reads and sends as it should (two
// fields of a command with the same accelerator); they do not make the file
// unclean.
class TFileChecker {
public:
    struct TProblem {
        QString section;
        QString key;   // empty for a problem of the whole section
        QString message;
        bool warning = false;

        bool operator==(const TProblem &other) const = default;
    };

    static bool IsClean(const QList<TProblem> &problems);

    // data is the file as stored; repeated sections and keys are only
    // visible there, the parsed document reads the first of each.
    static QList<TProblem> Check(const TExtIniFile &ini, const QByteArray &data);

    // One line per problem; a warning's message starts with "warning: ".
    static QString Text(const QList<TProblem> &problems);
    // {"file", "clean", "problems", "warnings"}.
    static QJsonObject Json(const QString &fileName, const QList<TProblem> &problems);
};
