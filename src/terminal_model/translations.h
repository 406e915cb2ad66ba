#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

class QLocale;

// The language of the texts a person reads. Every program picks it once at
// start: a --lang option wins, otherwise the system's locale (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG); any Spanish locale gives Spanish, everything
// else English, the language of the source texts. The program's own
// translation is built into it; Qt's (standard buttons, the option parser)
// comes from the system's Qt.
class TTranslations
{
public:
    TTranslations() = default;
    ~TTranslations();
    TTranslations(const TTranslations &) = delete;
    TTranslations &operator=(const TTranslations &) = delete;

    // Languages there is a translation for, English first.
    static QStringList Languages();

    // The value of --lang in arguments (program name first), "--lang x" or
    // "--lang=x"; empty when it is not given.
    static QString LanguageOption(const QStringList &arguments);

    // arguments without --lang and its value, for a program whose own
    // parser does not know the option.
    static QStringList WithoutLanguageOption(const QStringList &arguments);

    // The language to show: option when given, else the first of the
    // locale's user-interface languages that is one of Languages().
    // An option that names no known language is an error: *error says so.
    static QString Choose(const QString &option, const QLocale &locale, QString *error = nullptr);

    // Installs the translators of language into the running application
    // (nothing for English); replaces what an earlier call installed.
    void Install(const QString &language);

private:
    void Remove();

    QTranslator m_qt;
    QTranslator m_own;
    bool m_installed = false;
};
