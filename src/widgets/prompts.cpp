#include "widgets/prompts.h"

#include <QCoreApplication>

TPrompts::~TPrompts() = default;

// Kept in English, as tests and callers compare them; shown translated.
const QString TPrompts::InputPrompt = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", "Input text:"));
const QString TPrompts::ErrorCaption = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", " E R R O R "));
const QString TPrompts::WarningCaption = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", " W A R N I N G "));

QString TPrompts::Shown(const QString &text)
{
    return QCoreApplication::translate("TPrompts", text.toUtf8().constData());
}
