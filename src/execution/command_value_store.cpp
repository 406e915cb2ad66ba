#include "execution/command_value_store.h"

#include "execution/command_definition.h"

void TCommandValueStore::Keep(const TCommandDefinition &definition, const QList<TFieldInput> &inputs)
{
    if (definition.key.isEmpty() || definition.fields.isEmpty() || inputs.size() != definition.fields.size())
        return;
    m_entries.insert(definition.key, {definition.fields, definition.comboLines, inputs});
}

QList<TFieldInput> TCommandValueStore::Values(const TCommandDefinition &definition) const
{
    const auto entry = m_entries.constFind(definition.key);
    if (entry == m_entries.cend() || entry->fields != definition.fields
        || entry->comboLines != definition.comboLines)
        return {};
    return entry->inputs;
}

void TCommandValueStore::Rename(const QString &from, const QString &to)
{
    const auto entry = m_entries.constFind(from);
    if (entry == m_entries.cend())
        return;
    const TEntry moved = *entry;
    m_entries.erase(entry);
    m_entries.insert(to, moved);
}
