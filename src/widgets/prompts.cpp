#include "widgets/prompts.h"

TPrompts::~TPrompts() = default;

const QString TPrompts::InputPrompt = QStringLiteral("Input text:");
const QString TPrompts::ErrorCaption = QStringLiteral(" E R R O R ");
const QString TPrompts::WarningCaption = QStringLiteral(" W A R N I N G ");
