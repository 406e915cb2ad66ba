#include "terminal_model/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

const QString English = QStringLiteral("en");

} // namespace

TTranslations::~TTranslations()
{
    Remove();
}

QStringList TTranslations::Languages()
{
    return {English, QStringLiteral("es")};
}

QString TTranslations::LanguageOption(const QStringList &arguments)
{
    const QString option = QStringLiteral("--lang");
    const QString withValue = option + QLatin1Char('=');
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QStringLiteral("--"))
            break;
        if (argument.startsWith(withValue))
            return argument.mid(withValue.size());
        if (argument == option || argument == QStringLiteral("-lang"))
            return i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
    }
    return {};
}

QStringList TTranslations::WithoutLanguageOption(const QStringList &arguments)
{
    const QString option = QStringLiteral("--lang");
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QStringLiteral("--")) {
            kept += arguments.mid(i);
            break;
        }
        if (i > 0 && (argument == option || argument == QStringLiteral("-lang"))) {
            ++i;
            continue;
        }
        if (i > 0 && argument.startsWith(option + QLatin1Char('=')))
            continue;
        kept += argument;
    }
    return kept;
}

QString TTranslations::Choose(const QString &option, const QLocale &locale, QString *error)
{
    const QStringList known = Languages();
    if (!option.isEmpty()) {
        const QString language = option.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
        if (known.contains(language))
            return language;
        if (error) {
            *error = QCoreApplication::translate("TTranslations", "Unknown language \"%1\": choose one of %2.")
                         .arg(option, known.join(QStringLiteral(", ")));
        }
        return English;
    }
    for (const QString &uiLanguage : locale.uiLanguages()) {
        const QString language = uiLanguage.section(QLatin1Char('-'), 0, 0).toLower();
        if (known.contains(language))
            return language;
    }
    return English;
}

void TTranslations::Install(const QString &language)
{
    Remove();
    if (language == English)
        return;
    if (m_qt.load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
    // Built into the program, so a copy run from its build folder finds it too.
    if (m_own.load(QStringLiteral(":/i18n/tessaly_") + language))
        QCoreApplication::installTranslator(&m_own);
    m_installed = true;
}

void TTranslations::Remove()
{
    if (!m_installed)
        return;
    QCoreApplication::removeTranslator(&m_own);
    QCoreApplication::removeTranslator(&m_qt);
    m_installed = false;
}
