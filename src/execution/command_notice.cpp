#include "execution/command_notice.h"

#include "execution/command_definition.h"
#include "execution/execution_texts.h"

#include <QStringList>

QString CommandNotice(const TCommandDefinition &definition, bool hostOpen, bool fiscalOpen)
{
    QStringList notices;
    if (!definition.error.isEmpty())
        notices << ExecutionTexts::CommandUnreadable(definition.fileFieldCount + 1, definition.error);
    else if (definition.fields.isEmpty())
        notices << ExecutionTexts::Shown(ExecutionTexts::NoCommandFields);
    else if (definition.port == cpHostPort && !hostOpen)
        notices << ExecutionTexts::Shown(ExecutionTexts::HostPortClosedNotice);
    else if (definition.port == cpFiscalPort && !fiscalOpen)
        notices << ExecutionTexts::Shown(ExecutionTexts::FiscalPortClosedNotice);
    if (definition.IsCut())
        notices << ExecutionTexts::FieldsCut(TCommandDefinition::MaxFields, definition.fileFieldCount);
    return notices.join(QLatin1Char('\n'));
}
