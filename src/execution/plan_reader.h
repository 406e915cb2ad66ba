#pragma once

#include "execution/plan.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads a plan file: UTF-8 text in sections and "Key = value" lines, ";" or
// "#" starting a comment line. [Plan] names the terminal file; each [Step]
// or [Step NAME] block sends one command (or waits) and states what it
// expects. Every mistake is listed with its line, not only the first.
class TPlanReader {
public:
    static inline const QString Extension = QStringLiteral("plan");

    struct TResult {
        TPlan Plan;
        QList<TPlan::TProblem> Problems;
        bool Ok() const { return Problems.isEmpty(); }
    };

    static TResult Read(const QString &fileName);
    static TResult Parse(const QByteArray &content, const QString &fileName);

    // A plan by its extension, or a file whose first section is [Plan].
    static bool IsPlanFile(const QString &fileName);
};
