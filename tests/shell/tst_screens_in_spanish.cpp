#include "editors/form_edit_answer_record.h"
#include "editors/form_edit_cmd_ans.h"
#include "editors/form_edit_command_record.h"
#include "editors/form_edit_fix_answer.h"
#include "editors/form_edit_fix_answer_record.h"
#include "editors/form_edit_return_code.h"
#include "editors/form_preferences.h"
#include "editors/form_rc_record.h"
#include "editors/form_test_fixed_answer.h"
#include "execution/plan_reader.h"
#include "main_window_fixture.h"
#include "shell/form_about_box.h"
#include "terminal_model/translations.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/form_overwrite_new_command.h"
#include "terminal_window/form_plan_run.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace {

enum TScreen {
    MainWindow,
    Preferences,
    FieldsEditor,
    FixAnswerEditor,
    ReturnCodeEditor,
    CommandRecord,
    AnswerRecord,
    FixAnswerRecord,
    RcRecord,
    OverwriteNewCommand,
    Tester,
    About,
    PlanRun,
    ScreenCount
};

const char *const ScreenNames[] = {"main window",   "preferences",       "fields editor",   "fixed answers editor",
                                   "return codes editor", "command field", "answer field", "fixed answer",
                                   "return code",   "overwrite or new",  "tester",          "about",
                                   "plan run"};

// The command of the sample file with the most fields.
const QString Group = QStringLiteral("Receipt");
const QString Command = QStringLiteral("Sell item");

// The room a push button's text needs inside the style's margins; the
// style's least button width is left out, it does not cut a text.
int PushButtonNeed(QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.features = button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
    QSize content = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (!button->icon().isNull())
        content.rwidth() += button->iconSize().width() + 4;
    return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, content, button).width();
}

QString Entry(const QWidget *widget, const QString &text)
{
    return QStringLiteral("%1 %2 \"%3\" (%4 wide)")
        .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(), text)
        .arg(widget->width());
}

// Every text in sight under root that its widget does not show whole,
// column titles included.
QStringList ClippedInSight(QWidget *root)
{
    QStringList found;
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(root) || label->text().isEmpty())
            continue;
        const bool clipped = label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                                               : label->width() < label->sizeHint().width();
        if (clipped)
            found << Entry(label, label->text());
    }
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        if (!button->isVisibleTo(root) || button->text().isEmpty())
            continue;
        auto *tool = qobject_cast<QToolButton *>(button);
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            continue;
        auto *push = qobject_cast<QPushButton *>(button);
        if (button->width() < (push ? PushButtonNeed(push) : button->sizeHint().width()))
            found << Entry(button, button->text());
    }
    for (QGroupBox *box : root->findChildren<QGroupBox *>())
        if (box->isVisibleTo(root) && !box->title().isEmpty() && box->width() < box->minimumSizeHint().width())
            found << Entry(box, box->title());
    for (QTabBar *bar : root->findChildren<QTabBar *>()) {
        if (!bar->isVisibleTo(root))
            continue;
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            int need = bar->fontMetrics().size(Qt::TextShowMnemonic, bar->tabText(i)).width()
                       + bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
            if (!bar->tabIcon(i).isNull())
                need += bar->iconSize().width();
            if (tab.width() < need || tab.right() >= bar->width() || tab.left() < 0)
                found << Entry(bar, bar->tabText(i));
        }
    }
    for (QHeaderView *header : root->findChildren<QHeaderView *>()) {
        if (!header->isVisibleTo(root) || header->orientation() != Qt::Horizontal || !header->model())
            continue;
        for (int section = 0; section < header->count(); ++section)
            if (!header->isSectionHidden(section) && header->sectionSize(section) < header->sectionSizeHint(section))
                found << Entry(header, header->model()->headerData(section, Qt::Horizontal).toString())
                             + QStringLiteral(", its column %1 wide").arg(header->sectionSize(section));
    }
    return found;
}

} // namespace

// Every window and dialog in Spanish, the longer language: no text cut
// short. Screenshots of what was judged go to the build folder.
class TstScreensInSpanish : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstScreensInSpanish() : TMainWindowFixture(QStringLiteral("TessalyScreens")) {}

private slots:
    void initTestCase();
    void init() { SetUpTest(); }
    void cleanup() { TearDownTest(); }
    void clippedTextsAreFound();
    void noTextIsClipped_data();
    void noTextIsClipped();

private:
    std::unique_ptr<QWidget> Make(int screen);
    std::unique_ptr<QWidget> StartOnCommand();
    QStringList ClippedOnEveryPage(QWidget *root, const QString &name);

    TTranslations m_translations;
    TSettings m_settings;
    QString m_file;
    QString m_shotDir;
    // The plan window's terminal window, kept while the plan window is judged.
    std::unique_ptr<TFormChildTerminalWindow> m_planTerminal;
};

void TstScreensInSpanish::initTestCase()
{
    SetUpStore();
    m_translations.Install(QStringLiteral("es"));
    m_file = m_root.filePath("demo.tsy");
    QVERIFY(QFile::copy(QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy"), m_file));
    QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
    m_shotDir = QStringLiteral(QT_TESTCASE_BUILDDIR "/screens");
    QVERIFY(QDir().mkpath(m_shotDir));
    qInfo("screenshots in %s", qPrintable(m_shotDir));
}

std::unique_ptr<QWidget> TstScreensInSpanish::StartOnCommand()
{
    std::unique_ptr<TFormMain> window = Start({m_file});
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    if (!terminal)
        return {};
    terminal->showMaximized();
    QTreeWidgetItem *root = terminal->CommandTree()->RootNode();
    for (int g = 0; g < root->childCount(); ++g)
        for (int c = 0; c < root->child(g)->childCount(); ++c)
            if (root->child(g)->text(0) == Group && root->child(g)->child(c)->text(0) == Command)
                terminal->CommandTree()->setCurrentItem(root->child(g)->child(c));
    return window;
}

std::unique_ptr<QWidget> TstScreensInSpanish::Make(int screen)
{
    TCommandField field;
    field.Caption = QStringLiteral("Amount");
    switch (screen) {
    case MainWindow:
        return StartOnCommand();
    case Preferences:
        return std::make_unique<TFormPreferences>(m_settings, m_prompts, TPortComboBox::TSource());
    case FieldsEditor:
        return std::make_unique<TFormEditCmdAns>(m_file, Group + Command, m_prompts);
    case FixAnswerEditor:
        return std::make_unique<TFormEditFixAnswer>(m_file, m_prompts);
    case ReturnCodeEditor:
        return std::make_unique<TFormEditReturnCode>(m_file, m_prompts);
    case CommandRecord:
        return std::make_unique<TFormEditCommandRecord>(1, field, QStringList(), QStringList(), m_prompts);
    case AnswerRecord:
        return std::make_unique<TFormEditAnswerRecord>(1, TAnswerField{QStringLiteral("Total"), 2, 2}, m_prompts);
    case FixAnswerRecord:
        return std::make_unique<TFormEditFixAnswerRecord>(0x0000FF, QStringLiteral("Open"), QStringLiteral("0001"),
                                                          QStringLiteral("0001"), QStringLiteral("1"), m_prompts);
    case RcRecord:
        return std::make_unique<TFormRcRecord>(QStringLiteral("5"), QStringLiteral("Five"), m_prompts);
    case OverwriteNewCommand:
        return std::make_unique<TFormOverwriteNewCommand>();
    case Tester:
        return std::make_unique<TFormTestFixedAnswer>();
    case PlanRun: {
        m_planTerminal = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, m_file);
        const TPlanReader::TResult read = TPlanReader::Parse(
            "[Plan]\nTerminal = demo.tsy\n[Step Open a ticket]\nCommand = Receipt/Open receipt\n"
            "[Step]\nWait = 10 ms\n",
            m_root.filePath("screen.plan"));
        return std::make_unique<TFormPlanRun>(m_planTerminal.get(), m_prompts, read.Plan, TPlanRun::TOptions());
    }
    default:
        return std::make_unique<TFormAboutBox>();
    }
}

QStringList TstScreensInSpanish::ClippedOnEveryPage(QWidget *root, const QString &name)
{
    QStringList found = ClippedInSight(root);
    root->grab().save(QStringLiteral("%1/%2.png").arg(m_shotDir, name));
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        if (!tabs->isVisibleTo(root))
            continue;
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            found += ClippedInSight(root);
            root->grab().save(QStringLiteral("%1/%2 - %3 %4.png").arg(m_shotDir, name, tabs->objectName()).arg(i));
        }
        tabs->setCurrentIndex(shown);
    }
    found.removeDuplicates();
    return found;
}

// The judge itself: each kind of text squeezed below its room is named, and
// the same texts given their room pass.
void TstScreensInSpanish::clippedTextsAreFound()
{
    QDialog dialog;
    auto *label = new QLabel(QStringLiteral("Formato de fecha de entrada"), &dialog);
    auto *wrapped = new QLabel(QStringLiteral("Una nota larga que ocupa varias líneas cuando se ajusta"), &dialog);
    wrapped->setWordWrap(true);
    auto *button = new QPushButton(QStringLiteral("&Sobrescribir"), &dialog);
    auto *check = new QCheckBox(QStringLiteral("Mostrar campos reservados"), &dialog);
    auto *box = new QGroupBox(QStringLiteral("Respuesta de la impresora"), &dialog);
    auto *tabs = new QTabWidget(&dialog);
    tabs->addTab(new QWidget(tabs), QStringLiteral("Respuesta del host"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("Respuesta fiscal"));
    const QList<QWidget *> texts{label, wrapped, button, check, box, tabs};
    int top = 0;
    for (QWidget *widget : texts) {
        widget->setGeometry(0, top, 40, 16);
        top += 60;
    }
    dialog.resize(600, top);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString found = ClippedInSight(&dialog).join('\n');
    for (const QString &text : {"Formato de fecha", "Una nota larga", "&Sobrescribir", "Mostrar campos",
                                "Respuesta de la impresora", "Respuesta del host", "Respuesta fiscal"})
        QVERIFY2(found.contains(text), qPrintable(text + " not found in:\n" + found));

    for (QWidget *widget : texts)
        widget->resize(widget == wrapped ? QSize(200, wrapped->heightForWidth(200))
                                         : widget->sizeHint().expandedTo(widget->minimumSizeHint()));
    tabs->resize(500, 40);
    QVERIFY2(ClippedInSight(&dialog).isEmpty(), qPrintable(ClippedInSight(&dialog).join('\n')));
}

void TstScreensInSpanish::noTextIsClipped_data()
{
    QTest::addColumn<int>("screen");
    for (int screen = 0; screen < ScreenCount; ++screen)
        QTest::newRow(ScreenNames[screen]) << screen;
}

void TstScreensInSpanish::noTextIsClipped()
{
    QFETCH(int, screen);
    const std::unique_ptr<QWidget> widget = Make(screen);
    QVERIFY(widget);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    if (screen == MainWindow) {
        auto *window = static_cast<TFormMain *>(widget.get());
        TCommandInputPanel *panel = window->TerminalWindow()->CommandPage()->InputPanel();
        // The sample command's fields are in the panel, the window in Spanish.
        QTRY_VERIFY(panel->findChildren<QLabel *>().size() > 3);
        QCOMPARE(window->TerminalWindow()->CommandPage()->findChild<QTabWidget *>()->tabText(0),
                 QCoreApplication::translate("TCommandPage", "Co&mmands"));
        QVERIFY(QCoreApplication::translate("TCommandPage", "Co&mmands") != QStringLiteral("Co&mmands"));
        const QList<QLabel *> labels = panel->findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel *label) {
            return label->buddy() && label->buddy()->objectName() == QLatin1String("MemoNotes")
                   && label->text() == QStringLiteral("Notas");
        }));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QStringList clipped = ClippedOnEveryPage(widget.get(), QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY2(clipped.isEmpty(), qPrintable("\n" + clipped.join('\n')));
}

QTEST_MAIN(TstScreensInSpanish)
#include "tst_screens_in_spanish.moc"
