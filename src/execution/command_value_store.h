#pragma once

#include "execution/field_value.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

struct TCommandDefinition;
struct TCommandField;

// What the user entered per command while the file is open, so that coming
// back to a command finds its fields as they were left. Values are kept
// with the field records and list lines they were entered for: once the
// command's fields are edited, it starts again from its defaults.
class TCommandValueStore
{
public:
    void Keep(const TCommandDefinition &definition, const QList<TFieldInput> &inputs);
    // The inputs kept for the command, one per field; empty when none are
    // kept or its fields have changed since.
    QList<TFieldInput> Values(const TCommandDefinition &definition) const;
    // The command's section was given a new name.
    void Rename(const QString &from, const QString &to);

private:
    struct TEntry {
        QList<TCommandField> fields;
        QList<QStringList> comboLines;
        QList<TFieldInput> inputs;
    };

    QHash<QString, TEntry> m_entries;
};
