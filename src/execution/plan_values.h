#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The values a plan's run has kept from answer fields, and their use in the
// texts of later steps: "${name}" stands for the kept value, "$${" for a
// plain "${".
class TPlanValues {
public:
    // A name of letters, digits and "_", not starting with a digit.
    static bool IsName(const QString &name);
    // The names a text refers to, in order; false with *error set when a
    // reference is not closed or holds no valid name.
    static bool References(const QString &text, QStringList *names, QString *error = nullptr);

    void Keep(const QString &name, const QString &value);
    bool Has(const QString &name) const { return m_values.contains(name); }
    QString Value(const QString &name) const { return m_values.value(name); }
    void Clear() { m_values.clear(); }

    // The text with every reference replaced; false with *missing set to
    // the first name that holds no value.
    bool Expand(const QString &text, QString *expanded, QString *missing = nullptr) const;

private:
    QHash<QString, QString> m_values;
};
