#pragma once

#include <QString>

// A hint "short|long" of an action, a button or an input box: the short part
// for tool tips, the long one for the status bar; a hint without a bar is both.
namespace HintText {

QString ShortHint(const QString &hint);
QString LongHint(const QString &hint);

} // namespace HintText
