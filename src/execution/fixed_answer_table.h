#pragma once

#include "terminal_model/fixed_answer.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class TExtIniFile;

// The fixed-answer records of one status word ("FiscalAnswer" or
// "PrinterAnswer") and the rule that decodes the word into panels.
class TFixedAnswerTable {
public:
    // Panels a status box holds.
    static constexpr int MaxPanels = 70;

    struct TPanel {
        bool shown = false;   // a record matched; otherwise the panel stays empty
        QString text;
        quint32 color = 0;    // colour notation value
    };

    TFixedAnswerTable() = default;
    // Records with a panel outside 1..70 have no panel to fill; each is named
    // in *errors and left out.
    explicit TFixedAnswerTable(const QList<TFixedAnswer> &records, const QString &section = QString(),
                               QStringList *errors = nullptr);
    // Unreadable records are left out, each named in *errors.
    static TFixedAnswerTable Load(const TExtIniFile &ini, const QString &section,
                                  QStringList *errors = nullptr);

    const QList<TFixedAnswer> &Records() const { return m_records; }
    // The highest panel number: this many panels are created.
    int MaxPanel() const { return m_maxPanel; }

    // One entry per panel, panel k at index k - 1. Records are applied in
    // order; a record matches when (word AND Mask) = Result, and a later
    // match replaces an earlier one on the same panel.
    QList<TPanel> Decode(quint16 word) const;

private:
    QList<TFixedAnswer> m_records;
    int m_maxPanel = 0;
};
