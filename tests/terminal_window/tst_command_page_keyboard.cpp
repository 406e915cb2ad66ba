#include "terminal_model/ext_ini_file.h"
#include "terminal_model/settings.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "widgets/scripted_prompts.h"
#include "test_files.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Five fields in three columns: a typed box, a list, a date, a
// read-only box (no stop for Tab) and a second-row box with a hint of two parts.
const QByteArray Sample =
    "[General]\nProtocol=1\n\n"
    "[Groups]\nG=\n\n"
    "[G]\nSell=\n\n"
    "[GSell]\nCommands="
    "0,\"&Amount\",\"Amount to sell\",0,\"1\",0,0,0,0,0,0,0,"
    "0,\"&Tax\",\"\",0,\"A\",2,0,0,0,0,0,0,"
    "0,\"Da&te\",\"Sale date\",8,\"\",3,0,0,0,0,0,0,"
    "0,\"Fixed\",\"\",0,\"F\",0,0,0,1,0,0,0,"
    "0,\"R&&D code\",\"Code|Code of the department\",0,\"7\",0,0,0,0,0,0,0\n"
    "Answers=\n";

QString Name(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(text) : QStringLiteral("<none>");
}

// The named widget that holds the focus: the page's control itself, not the
// edit inside it.
QString FocusName(const QWidget *page)
{
    for (QWidget *w = QApplication::focusWidget(); w && w != page; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return QStringLiteral("<outside>");
}

} // namespace

// The command page from the keyboard: Tab order and what a screen reader says.
class TstCommandPageKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void tabWalksFieldsRowByRowThenButtons();
    void fieldsAreNamedAndDescribed_data();
    void fieldsAreNamedAndDescribed();

private:
    QTemporaryDir m_dir;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    TExtIniFile m_file;
    std::unique_ptr<TCommandPage> m_page;
};

void TstCommandPageKeyboard::init()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath("printer.tsy");
    TestFiles::Write(path, Sample);
    m_file.Load(path);
    m_settings = TSettings();
    m_settings.HostPortOpen = true;
    m_page = std::make_unique<TCommandPage>(m_settings, m_prompts, m_file);
    m_page->resize(720, 400);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
    m_page->ShowSelectedCommand(QStringLiteral("GSell"));
    QCOMPARE(m_page->InputPanel()->FieldCount(), 5);
}

void TstCommandPageKeyboard::tabWalksFieldsRowByRowThenButtons()
{
    // Another command first: its controls go, the new ones come after the
    // buttons in creation order.
    m_page->ShowCommand(QStringLiteral("GSell"));
    QVERIFY(m_page->ButtonRepeat()->isEnabled());
    m_page->InputPanel()->Control(0)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(FocusName(m_page.get()), QStringLiteral("Control1"));
    QStringList walked{FocusName(m_page.get())};
    // Tab also walks the sections of the date picker.
    for (int i = 0; i < 20 && walked.last() != QLatin1String("ButtonCancel"); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (FocusName(m_page.get()) != walked.last())
            walked << FocusName(m_page.get());
    }
    const QStringList expected{"Control1",   "Control2",     "Control3",    "Control5",
                               "ButtonSend", "ButtonRepeat", "ButtonCancel"};
    QCOMPARE(walked, expected);
    // Shift+Tab walks back from the buttons into the last field.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(FocusName(m_page.get()), QStringLiteral("Control5"));
}

void TstCommandPageKeyboard::fieldsAreNamedAndDescribed_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("typed box") << 0 << "Amount" << "Amount to sell";
    QTest::newRow("list, no hint") << 1 << "Tax" << "";
    QTest::newRow("date picker") << 2 << "Date" << "Sale date";
    QTest::newRow("read-only box") << 3 << "Fixed" << "";
    QTest::newRow("doubled ampersand, two-part hint") << 4 << "R&D code" << "Code of the department";
}

void TstCommandPageKeyboard::fieldsAreNamedAndDescribed()
{
    QFETCH(int, field);
    QWidget *control = m_page->InputPanel()->Control(field);
    QTEST(Name(control, QAccessible::Name), "name");
    QTEST(Name(control, QAccessible::Description), "description");
}

QTEST_MAIN(TstCommandPageKeyboard)
#include "tst_command_page_keyboard.moc"
