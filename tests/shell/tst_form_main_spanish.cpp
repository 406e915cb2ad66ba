#include "execution/execution_texts.h"
#include "main_window_fixture.h"
#include "shell/form_main.h"
#include "terminal_model/translations.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>

namespace {

// The letter after the first single "&" of a caption, upper case; null
// without one.
QChar Accelerator(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toUpper();
        ++i;
    }
    return QChar();
}

// Captions of the items of a menu, separators left out.
QStringList Captions(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *action : actions)
        if (!action->isSeparator())
            captions.append(action->text());
    return captions;
}

} // namespace

// The main window as a Spanish-speaking technician sees it: menus, hints
// and status panels in Spanish, one accelerator per letter in each menu,
// and no text cut off.
class TstFormMainSpanish : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstFormMainSpanish() : TMainWindowFixture(QStringLiteral("TessalySpanish")) {}

private slots:
    void initTestCase();
    void init() { SetUpTest(); }
    void cleanup() { TearDownTest(); }
    void cleanupTestCase() { m_translations.Install(QStringLiteral("en")); }
    void menusInSpanish_data();
    void menusInSpanish();
    void statePanelShowsRunnerTextsInSpanish();
    void noTextCutOff();

private:
    std::unique_ptr<TFormMain> StartWithSample();

    TTranslations m_translations;
};

void TstFormMainSpanish::initTestCase()
{
    SetUpStore();
    m_translations.Install(QStringLiteral("es"));
}

std::unique_ptr<TFormMain> TstFormMainSpanish::StartWithSample()
{
    // A copy, so the log window's file stays out of the source tree.
    const QString copy = QDir::current().absoluteFilePath(QStringLiteral("demo.tsy"));
    if (!QFile::exists(copy) && !QFile::copy(QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy"), copy))
        return nullptr;
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return Start({copy});
}

void TstFormMainSpanish::menusInSpanish_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "MenuFile" << "&Archivo"
                          << QStringList{"&Nuevo", "&Abrir", "&Cerrar", "&Guardar archivo de terminal como ...",
                                         "Ejecutar &plan ...", "&Salir"};
    QTest::newRow("edit") << "MenuEdit" << "&Edición"
                          << QStringList{"C&opiar", "&Pegar", "Cor&tar", "&Editar campos"};
    QTest::newRow("options") << "MenuOptions" << "&Opciones"
                             << QStringList{"&Editar campos de respuesta fija", "&Probar campos de respuesta fija",
                                            "Editar código de &retorno", "Reiniciar puertos &serie",
                                            "Grabar &captura...", "Pre&ferencias"};
    QTest::newRow("window") << "MenuWindow" << "&Ventana"
                            << QStringList{"&Cascada", "Mosaico &horizontal", "Mosaico &vertical",
                                           "&Minimizar todas", "&Organizar"};
    QTest::newRow("help") << "MenuHelp" << "Ay&uda" << QStringList{"&Acerca de..."};
}

void TstFormMainSpanish::menusInSpanish()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    auto window = StartWithSample();
    QVERIFY(window && window->TerminalWindow());
    auto *shown = window->findChild<QMenu *>(menu);
    QVERIFY(shown);
    QCOMPARE(shown->title(), title);
    emit shown->aboutToShow();
    const QStringList captions = Captions(shown->actions());
    QCOMPARE(captions.mid(0, items.size()), items);

    // Alt+letter reaches one item of the menu, and one menu of the bar.
    for (const QStringList &texts : {captions, Captions(window->menuBar()->actions())}) {
        QSet<QChar> letters;
        for (const QString &text : texts) {
            const QChar letter = Accelerator(text);
            QVERIFY2(!letter.isNull(), qPrintable(text));
            QVERIFY2(!letters.contains(letter), qPrintable(QStringLiteral("%1 shares Alt+%2").arg(text, letter)));
            letters.insert(letter);
        }
    }
}

void TstFormMainSpanish::statePanelShowsRunnerTextsInSpanish()
{
    auto window = Start();
    QCOMPARE(window->StatusText(1), QStringLiteral("Listo"));
    QCOMPARE(window->StatusText(3), QStringLiteral("Deshabilitado"));
    // The runner and the preferences hand their state texts over in English.
    window->SetStatusText(ExecutionTexts::Sending);
    QCOMPARE(window->StatusText(1), QStringLiteral("Enviando ..."));
    window->SetStatusText(ExecutionTexts::FiscalPortClosed);
    QCOMPARE(window->StatusText(1), QStringLiteral("Puerto fiscal cerrado"));
    window->SetStatusText(ExecutionTexts::RepeatProgress(125, 999));
    QCOMPARE(window->StatusText(1), QStringLiteral("125/999"));

    auto *fiscal = window->findChild<QAction *>(QStringLiteral("ToolButtonFiscal"));
    QVERIFY(fiscal);
    QCOMPARE(fiscal->toolTip(), QStringLiteral("Habilitar puerto fiscal"));
}

void TstFormMainSpanish::noTextCutOff()
{
    auto window = StartWithSample();
    QVERIFY(window && window->TerminalWindow());
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->SetStatusText(ExecutionTexts::FiscalPortClosed);
    for (int panel = 0; panel < TFormMain::StatusPanelCount; ++panel) {
        auto *label = window->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(panel));
        QVERIFY(label);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(label->text()));
    }
    QMenuBar *bar = window->menuBar();
    for (QAction *menu : bar->actions())
        QVERIFY2(bar->rect().contains(bar->actionGeometry(menu)), qPrintable(menu->text()));
    auto *tools = window->findChild<QToolBar *>(QStringLiteral("ToolBarMain"));
    QVERIFY(tools);
    for (QAction *action : tools->actions())
        QVERIFY2(action->isSeparator() || tools->widgetForAction(action)->isVisible(), qPrintable(action->toolTip()));

    // For a look at the window: TESSALY_SCREENSHOT_DIR names where the picture goes.
    const QString pictures = qEnvironmentVariable("TESSALY_SCREENSHOT_DIR");
    if (!pictures.isEmpty())
        QVERIFY(window->grab().save(QDir(pictures).filePath(QStringLiteral("main_window_es.png"))));
}

QTEST_MAIN(TstFormMainSpanish)
#include "tst_form_main_spanish.moc"
