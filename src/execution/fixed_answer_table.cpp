#include "execution/fixed_answer_table.h"

#include "terminal_model/ext_ini_file.h"

TFixedAnswerTable::TFixedAnswerTable(const QList<TFixedAnswer> &records, const QString &section,
                                     QStringList *errors)
{
    for (int i = 0; i < records.size(); ++i) {
        const TFixedAnswer &record = records.at(i);
        if (record.Panel < 1 || record.Panel > MaxPanels) {
            if (errors)
                errors->append(QStringLiteral("[%1] record %2: panel %3 is outside 1..%4")
                                   .arg(section)
                                   .arg(i + 1)
                                   .arg(record.Panel)
                                   .arg(MaxPanels));
            continue;
        }
        m_records.append(record);
        m_maxPanel = std::max(m_maxPanel, record.Panel);
    }
}

TFixedAnswerTable TFixedAnswerTable::Load(const TExtIniFile &ini, const QString &section,
                                          QStringList *errors)
{
    return TFixedAnswerTable(ReadFixedAnswers(ini, section, errors), section, errors);
}

QList<TFixedAnswerTable::TPanel> TFixedAnswerTable::Decode(quint16 word) const
{
    QList<TPanel> panels(m_maxPanel);
    for (const TFixedAnswer &record : m_records) {
        if ((word & record.Mask) == record.Result)
            panels[record.Panel - 1] = {true, record.Text, record.Color};
    }
    return panels;
}
