#include "terminal_model/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TstTranslations : public QObject
{
    Q_OBJECT

private slots:
    void choosesLanguage_data();
    void choosesLanguage();
    void readsLanguageOption_data();
    void readsLanguageOption();
    void installsSpanishAndBack();
    void translationFilesMatchSources();
};

void TstTranslations::choosesLanguage_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("refused");

    QTest::newRow("Argentina") << QString() << "es_AR" << "es" << false;
    QTest::newRow("Spain") << QString() << "es_ES" << "es" << false;
    QTest::newRow("Mexico") << QString() << "es_MX" << "es" << false;
    QTest::newRow("United States") << QString() << "en_US" << "en" << false;
    QTest::newRow("no translation: English") << QString() << "fr_FR" << "en" << false;
    QTest::newRow("C locale") << QString() << "C" << "en" << false;
    QTest::newRow("--lang en wins over Spanish") << "en" << "es_AR" << "en" << false;
    QTest::newRow("--lang es wins over English") << "es" << "en_US" << "es" << false;
    QTest::newRow("--lang with a country") << "es_MX" << "en_US" << "es" << false;
    QTest::newRow("--lang in capitals") << "ES" << "en_US" << "es" << false;
    QTest::newRow("--lang unknown") << "klingon" << "es_AR" << "en" << true;
}

void TstTranslations::choosesLanguage()
{
    QFETCH(QString, option);
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(bool, refused);

    QString error;
    QCOMPARE(TTranslations::Choose(option, QLocale(locale), &error), language);
    QCOMPARE(!error.isEmpty(), refused);
    if (refused)
        QVERIFY2(error.contains(option) && error.contains(QStringLiteral("en, es")), qPrintable(error));
}

void TstTranslations::readsLanguageOption_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("without");

    QTest::newRow("none") << QStringList{"prog", "a.tsy"} << QString() << QStringList{"prog", "a.tsy"};
    QTest::newRow("separate value") << QStringList{"prog", "--lang", "es", "a.tsy"} << "es"
                                    << QStringList{"prog", "a.tsy"};
    QTest::newRow("joined value") << QStringList{"prog", "list", "--lang=en", "a.tsy"} << "en"
                                  << QStringList{"prog", "list", "a.tsy"};
    QTest::newRow("missing value") << QStringList{"prog", "--lang"} << QString() << QStringList{"prog"};
    QTest::newRow("after --") << QStringList{"prog", "--", "--lang", "es"} << QString()
                              << QStringList{"prog", "--", "--lang", "es"};
}

void TstTranslations::readsLanguageOption()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, option);
    QFETCH(QStringList, without);

    QCOMPARE(TTranslations::LanguageOption(arguments), option);
    QCOMPARE(TTranslations::WithoutLanguageOption(arguments), without);
}

// The Spanish translation is built into the library: no file to find.
void TstTranslations::installsSpanishAndBack()
{
    const char *source = "Unknown language \"%1\": choose one of %2.";
    {
        TTranslations translations;
        translations.Install(QStringLiteral("es"));
        QVERIFY(QCoreApplication::translate("TTranslations", source) != QLatin1String(source));
        translations.Install(QStringLiteral("en"));
        QCOMPARE(QCoreApplication::translate("TTranslations", source), QLatin1String(source));
        translations.Install(QStringLiteral("es"));
    }
    QCOMPARE(QCoreApplication::translate("TTranslations", source), QLatin1String(source));
}

// lupdate over the sources, into a copy of the committed translation: a text
// that is not in it comes out unfinished, one no source has any more comes
// out vanished or obsolete, and an entry never translated stays unfinished.
void TstTranslations::translationFilesMatchSources()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QDir sources(QStringLiteral(TESSALY_SOURCE_DIR));
    const QStringList translations = QDir(sources.filePath(QStringLiteral("translations")))
                                         .entryList({QStringLiteral("*.ts")}, QDir::Files);
    QVERIFY(!translations.isEmpty());
    for (const QString &name : translations) {
        const QString copy = folder.filePath(name);
        QVERIFY(QFile::copy(sources.filePath(QStringLiteral("translations/") + name), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(TESSALY_LUPDATE),
                      {QStringLiteral("-locations"), QStringLiteral("none"), sources.filePath(QStringLiteral("src")),
                       QStringLiteral("-ts"), copy});
        QVERIFY(lupdate.waitForFinished(120000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

        QFile updated(copy);
        QVERIFY(updated.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(updated.readAll());
        QStringList faults;
        static const QRegularExpression message(
            QStringLiteral("<message[^>]*>\\s*<source>(.*?)</source>.*?<translation([^>]*)>(.*?)</translation>"),
            QRegularExpression::DotMatchesEverythingOption);
        for (auto match = message.globalMatch(text); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            const QString attributes = found.captured(2);
            if (attributes.contains(QStringLiteral("unfinished")) || attributes.contains(QStringLiteral("vanished"))
                || attributes.contains(QStringLiteral("obsolete")) || found.captured(3).isEmpty())
                faults << attributes.trimmed() + QStringLiteral(": ") + found.captured(1);
        }
        QVERIFY2(text.contains(QStringLiteral("<message")), qPrintable(name));
        QVERIFY2(faults.isEmpty(),
                 qPrintable(name + QStringLiteral(" (run the update_translations target and translate):\n")
                            + faults.join(QLatin1Char('\n'))));
    }
}

QTEST_GUILESS_MAIN(TstTranslations)
#include "tst_translations.moc"
