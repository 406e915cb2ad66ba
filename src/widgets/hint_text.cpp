#include "widgets/hint_text.h"

namespace HintText {

QString ShortHint(const QString &hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

QString LongHint(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace HintText
