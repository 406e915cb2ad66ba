#include "editors/form_edit_cmd_ans.h"
#include "editors/record_grid.h"
#include "support_editors.h"
#include "terminal_model/command_field.h"
#include "terminal_model/ext_ini_file.h"
#include "widgets/field_type_combo_box.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace EditorTest;

namespace {

const QByteArray Head = "; printer definition\n[General]\nProtocol=1\n\n[Groups]\nReports=\n\n"
                        "[Reports]\nDaily close=\n\n";
const QByteArray Tail = "\n[FiscalAnswer]\nRecord1=1,1,0001,0001,\"Open\",clRed\n";
const QString Section = QStringLiteral("ReportsDaily close");

QByteArray ThreeFields(const QByteArray &lines)
{
    return Head + "[ReportsDaily close]\n"
                  "Commands=0,\"A\",\"\",0,\"\",1,5,0,0,0,0,0,0,\"B\",\"\",0,\"\",1,5,0,0,0,0,0,"
                  "0,\"C\",\"\",0,\"\",1,5,0,0,0,0,0\n"
           + lines + "Notes=\"keep\"\nAnswers=\n" + Tail;
}

} // namespace

class TstFormEditCmdAns : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showsFieldsNormalised();
    void answersGridFollowsTheFile();
    void firstFieldWritesLinesNotesAndQuotes();
    void secondFieldFollowsFirstMode();
    void seventyFirstFieldRefused_data();
    void seventyFirstFieldRefused();
    void removeMovesComboLines_data();
    void removeMovesComboLines();
    void removeCancelledChangesNothing();
    void modifyKeepsNotesOfOtherFields();
    void answersStoreDecimalsOnlyForCurrency();
    void doubleClickOnEmptyGridAdds();
    void unreadableFileReported();
    void overlongListRefused();
    void notesKeptThroughRemovalOfEveryField();
    void columnsFitTheirContents();
    void answerWithoutCaptionRefused();

private:
    QString Path() const { return m_dir.filePath("printer.tsy"); }

    QTemporaryDir m_dir;
    TDialogScript m_prompts;
};

void TstFormEditCmdAns::init()
{
    m_prompts = TDialogScript();
}

void TstFormEditCmdAns::showsFieldsNormalised()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=7,\"Amount\",\"Hint\",12,\"x\",8,007,1,x,0,2,1\n"
                             "Answers=\"Total\",2,2,\"Count\",3,4\n");
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Edit ReportsDaily close commands and answers"));
    auto *grid = Child<TRecordGrid>(&editor, "StringGridCommands");
    QCOMPARE(grid->Rows(), (QList<QStringList>{{"1", "Fiscal", "Amount", "Hint", "AlphaNumeric", "x", "Simple", "7",
                                                "Yes", "No", "0", "2", "Yes"}}));
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(1);
    QCOMPARE(Child<TRecordGrid>(&editor, "StringGridAnswers")->Rows(),
             (QList<QStringList>{{"1", "Total", "Currency", "2"}, {"2", "Count", "Numeric", "4"}}));
    QVERIFY(Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
}

void TstFormEditCmdAns::answersGridFollowsTheFile()
{
    const QByteArray head = Head + "[ReportsDaily close]\nCommands=\n";
    WriteFile(Path(), head + "Answers=\"Total\",2,2,\"Count\",3,4\n");
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(1);
    auto *grid = Child<TRecordGrid>(&editor, "StringGridAnswers");
    QCOMPARE(grid->Cell(1, 3), QStringLiteral("4"));
    // A write stores decimals for Currency only, and the grid shows what was stored.
    grid->SelectRecord(0);
    m_prompts.Scripts.enqueue([](QDialog *dialog) { return Click(dialog, "ButtonOk"); });
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QCOMPARE(ReadFile(Path()), head + "Answers=\"Total\",2,2,\"Count\",3,0\n");
    QCOMPARE(grid->Rows(), (QList<QStringList>{{"1", "Total", "Currency", "2"}, {"2", "Count", "Numeric", "0"}}));
}

void TstFormEditCmdAns::firstFieldWritesLinesNotesAndQuotes()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=\nAnswers=\n" + Tail);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
    QVERIFY(!Child<QPushButton>(&editor, "ButtonRemove")->isEnabled());
    m_prompts.Scripts.enqueue([](QDialog *dialog) {
        Choose(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxControlType"), 1);
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxCaption"), "Say \"hi\"");
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxHint"), "A, B");
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxMaxLength"), "007");
        Child<QPlainTextEdit>(dialog, "MemoComboLines")->setPlainText("X\nY");
        Child<QPlainTextEdit>(dialog, "MemoNotes")->setPlainText("first");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=0,\"Say \"\"hi\"\"\",\"A, B\",0,\"\",1,7,0,0,0,0,0\n"
                                      "Answers=\nCL1=\"X,Y\"\nNotes=\"first\"\n" + Tail);
    TExtIniFile ini(Path());
    const QList<TCommandField> fields = ReadCommandFields(ini, Section, TFieldReading::Strict);
    QCOMPARE(fields.size(), 1);
    QCOMPARE(fields.first().Caption, QStringLiteral("Say \"hi\""));
    QCOMPARE(fields.first().Hint, QStringLiteral("A, B"));
    QCOMPARE(Child<TRecordGrid>(&editor, "StringGridCommands")->Cell(0, 7), QStringLiteral("7"));
    QVERIFY(Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
}

void TstFormEditCmdAns::secondFieldFollowsFirstMode()
{
    const QByteArray file = Head + "[ReportsDaily close]\nCommands=1,\"A\",\"\",0,\"\",0,5,0,0,0,0,0\nNotes=\"n\"\n";
    WriteFile(Path(), file);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    bool checked = false;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        auto *mode = Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxMode");
        checked = mode->currentText() == "Fiscal" && !mode->isEnabled()
                  && !Child<QPlainTextEdit>(dialog, "MemoNotes")->isEnabled();
        return Click(dialog, "ButtonCancel");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QVERIFY(checked);
    QCOMPARE(ReadFile(Path()), file);
}

void TstFormEditCmdAns::seventyFirstFieldRefused_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("command field") << 0;
    QTest::newRow("answer field") << 1;
}

// The 71st field is refused before its dialog opens: nothing is typed in
// vain.
void TstFormEditCmdAns::seventyFirstFieldRefused()
{
    QFETCH(int, page);
    QByteArray commands;
    QByteArray answers;
    for (int i = 0; i < TFormEditCmdAns::MaxFields; ++i) {
        commands += QByteArray(i ? "," : "") + "0,\"F" + QByteArray::number(i + 1) + "\",\"\",0,\"\",0,0,0,0,0,0,0";
        answers += QByteArray(i ? "," : "") + "\"A" + QByteArray::number(i + 1) + "\",0,0";
    }
    const QByteArray file = Head + "[ReportsDaily close]\nCommands=" + commands + "\nAnswers=" + answers + "\n" + Tail;
    WriteFile(Path(), file);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(page);
    m_prompts.Scripts.enqueue([](QDialog *dialog) { return Click(dialog, "ButtonOk"); });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindDialog), 0);
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError),
             QStringList{QStringLiteral("Maximum number of dynamic controls reached!!!")});
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindError), QStringList{QStringLiteral(" E R R O R ")});
    QCOMPARE(ReadFile(Path()), file);
    auto *grid = Child<TRecordGrid>(&editor, page == 0 ? "StringGridCommands" : "StringGridAnswers");
    QCOMPARE(grid->RecordCount(), 70);
}

void TstFormEditCmdAns::removeMovesComboLines_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QByteArray>("appended");

    QTest::newRow("field 2 of 3") << 1 << QByteArray("CL2=\"X,Z\"\n") << QByteArray("") << QByteArray("");
    // Keys that did not exist before go to the end of the section.
    QTest::newRow("field 1 of 3") << 0 << QByteArray("CL2=\"A\"\nCL3=\"B,C\"\n") << QByteArray("CL2=\"B,C\"\n")
                                  << QByteArray("CL1=\"A\"\n");
    QTest::newRow("last field") << 2 << QByteArray("CL1=\"P\"\nCL3=\"Q\"\n") << QByteArray("CL1=\"P\"\n")
                                << QByteArray("");
}

void TstFormEditCmdAns::removeMovesComboLines()
{
    QFETCH(int, row);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, appended);
    WriteFile(Path(), ThreeFields(before));
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    auto *grid = Child<TRecordGrid>(&editor, "StringGridCommands");
    grid->SelectRecord(row);
    m_prompts.Confirms.enqueue(true);
    Child<QPushButton>(&editor, "ButtonRemove")->click();

    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm),
             QStringList{QStringLiteral("Do you wish to delete this field number? %1").arg(row + 1)});
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindConfirm), QStringList{QStringLiteral(" W A R N I N G ")});
    QStringList names = {"A", "B", "C"};
    names.removeAt(row);
    QByteArray commands;
    for (const QString &name : names)
        commands += QByteArray(commands.isEmpty() ? "" : ",") + "0,\"" + name.toLatin1() + "\",\"\",0,\"\",1,5,0,0,0,0,0";
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=" + commands + "\n" + after
                                   + "Notes=\"keep\"\nAnswers=\n" + appended + Tail);
    QCOMPARE(grid->RecordCount(), 2);
    QCOMPARE(grid->Cell(1, 0), QStringLiteral("2"));
}

void TstFormEditCmdAns::removeCancelledChangesNothing()
{
    const QByteArray file = Head + "[ReportsDaily close]\nCommands=0,\"A\",\"\",0,\"\",0,5,0,0,0,0,0\nCL1=\"x\"\n";
    WriteFile(Path(), file);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    m_prompts.Confirms.enqueue(false);
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()), file);

    // Removing the only field leaves an empty list and locks Modify and Remove.
    m_prompts.Confirms.enqueue(true);
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=\n");
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
    QVERIFY(!Child<QPushButton>(&editor, "ButtonRemove")->isEnabled());
    QCOMPARE(Child<TRecordGrid>(&editor, "StringGridCommands")->rowCount(), 1);
}

void TstFormEditCmdAns::modifyKeepsNotesOfOtherFields()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=0,\"A\",\"\",0,\"\",1,5,0,0,0,0,0,"
                             "0,\"B\",\"\",0,\"\",0,5,0,0,0,0,0\nCL1=\"L1\"\nCL2=\"L2\"\nNotes=\"keep\"\n");
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    auto *grid = Child<TRecordGrid>(&editor, "StringGridCommands");

    // Field 2 is a plain box: its stale lines go, the notes stay.
    grid->SelectRecord(1);
    QStringList seen;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        seen << Child<QPlainTextEdit>(dialog, "MemoComboLines")->toPlainText();
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxCaption"), "B2");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=0,\"A\",\"\",0,\"\",1,5,0,0,0,0,0,"
                                      "0,\"B2\",\"\",0,\"\",0,5,0,0,0,0,0\nCL1=\"L1\"\nNotes=\"keep\"\n");

    // Field 1 with its notes cleared: stored as an empty list.
    grid->SelectRecord(0);
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        seen << Child<QPlainTextEdit>(dialog, "MemoComboLines")->toPlainText()
             << Child<QPlainTextEdit>(dialog, "MemoNotes")->toPlainText();
        Child<QPlainTextEdit>(dialog, "MemoNotes")->clear();
        return Click(dialog, "ButtonOk");
    });
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
    QCOMPARE(seen, QStringList({"", "L1", "keep"}));
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=0,\"A\",\"\",0,\"\",1,5,0,0,0,0,0,"
                                      "0,\"B2\",\"\",0,\"\",0,5,0,0,0,0,0\nCL1=\"L1\"\nNotes=\"\"\n");
}

void TstFormEditCmdAns::answersStoreDecimalsOnlyForCurrency()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=\nAnswers=\n" + Tail);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(1);
    for (int textType : {3, 2}) {
        m_prompts.Scripts.enqueue([textType](QDialog *dialog) {
            Child<QLineEdit>(dialog, "EditCaption")->setText(textType == 2 ? "Total" : "Count");
            Choose(Child<QComboBox>(dialog, "ComboBoxFormat"), 2);
            Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxDecimals"), "02");
            Choose(Child<QComboBox>(dialog, "ComboBoxFormat"), textType);
            return Click(dialog, "ButtonOk");
        });
        Child<QPushButton>(&editor, "ButtonAdd")->click();
    }
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=\nAnswers=\"Count\",3,0,\"Total\",2,2\n" + Tail);
    QCOMPARE(Child<TRecordGrid>(&editor, "StringGridAnswers")->Rows(),
             (QList<QStringList>{{"1", "Count", "Numeric", "0"}, {"2", "Total", "Currency", "2"}}));
    // The commands page still has no field.
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(0);
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
}

void TstFormEditCmdAns::doubleClickOnEmptyGridAdds()
{
    const QByteArray file = Head + "[ReportsDaily close]\nCommands=\n";
    WriteFile(Path(), file);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    editor.show();
    bool free = false;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        free = dialog->windowTitle() == "Add new field"
               && Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxMode")->isEnabled()
               && Child<QPlainTextEdit>(dialog, "MemoNotes")->isEnabled();
        return Click(dialog, "ButtonCancel");
    });
    auto *grid = Child<TRecordGrid>(&editor, "StringGridCommands");
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, grid->viewport()->height() - 5));
    QVERIFY(free);
    QCOMPARE(ReadFile(Path()), file);
}

void TstFormEditCmdAns::unreadableFileReported()
{
    TFormEditCmdAns editor(m_dir.filePath("missing.tsy"), Section, m_prompts);
    // Said once, not once per grid nor again at every page switch.
    auto *pages = Child<QTabWidget>(&editor, "PageControl");
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(0);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    m_prompts.Scripts.enqueue([](QDialog *dialog) {
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxCaption"), "A");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QVERIFY(!QFile::exists(m_dir.filePath("missing.tsy")));
    QVERIFY(!Child<TRecordGrid>(&editor, "StringGridCommands")->HasRecords());
}

void TstFormEditCmdAns::overlongListRefused()
{
    const QByteArray file = Head + "[ReportsDaily close]\nCommands=0,\"A\",\"\",0,\"\",0,5,0,0,0,0,0\n" + Tail;
    WriteFile(Path(), file);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    m_prompts.Scripts.enqueue([](QDialog *dialog) {
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxCaption"), "B");
        Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxDefaultText")->SetText(QString(8200, 'd'));
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    const QStringList errors = m_prompts.Texts(TScriptedPrompts::KindError);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith("The value of Commands would be 8255 characters long; a terminal file holds "
                                       "at most 8191."),
             qPrintable(errors.first()));
    QCOMPARE(ReadFile(Path()), file);
    QCOMPARE(Child<TRecordGrid>(&editor, "StringGridCommands")->RecordCount(), 1);
}

void TstFormEditCmdAns::notesKeptThroughRemovalOfEveryField()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=0,\"A\",\"\",0,\"\",0,5,0,0,0,0,0\nNotes=\"keep\"\n");
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    m_prompts.Confirms.enqueue(true);
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=\nNotes=\"keep\"\n");

    // The next first field shows them and keeps them.
    QString shown;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        shown = Child<QPlainTextEdit>(dialog, "MemoNotes")->toPlainText();
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxCaption"), "B");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(shown, QStringLiteral("keep"));
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=0,\"B\",\"\",0,\"\",0,0,0,0,0,0,0\nNotes=\"keep\"\n");
}


namespace {

// Titles of the columns too narrow for their title or a text of theirs.
QStringList CutColumns(const TRecordGrid *grid)
{
    QStringList cut;
    const QFontMetrics header = grid->horizontalHeader()->fontMetrics();
    const QFontMetrics cells = grid->fontMetrics();
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QString title = grid->horizontalHeaderItem(column)->text();
        int needed = header.horizontalAdvance(title);
        for (int row = 0; row < grid->rowCount(); ++row)
            needed = qMax(needed, cells.horizontalAdvance(grid->Cell(row, column)));
        if (grid->columnWidth(column) < needed)
            cut.append(title);
    }
    return cut;
}

} // namespace

void TstFormEditCmdAns::columnsFitTheirContents()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=0,\"Department of the sale\",\"Pick the department\","
                             "3,\"\",2,2,1,0,0,0,0\nAnswers=\"Total amount of the ticket\",2,2\n" + Tail);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    editor.show();
    auto *commands = Child<TRecordGrid>(&editor, "StringGridCommands");
    QCOMPARE(CutColumns(commands), QStringList());
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(1);
    QCOMPARE(CutColumns(Child<TRecordGrid>(&editor, "StringGridAnswers")), QStringList());

    // A longer caption widens its column as soon as it is shown.
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(0);
    const int before = commands->columnWidth(2);
    m_prompts.Scripts.enqueue([](QDialog *dialog) {
        Type(Child<TFieldTypeComboBox>(dialog, "FieldTypeComboBoxCaption"), "Amount paid in cash by the customer");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(commands->RecordCount(), 2);
    QVERIFY(commands->columnWidth(2) > before);
    QCOMPARE(CutColumns(commands), QStringList());
}

// A field without a caption would show unnamed in every answer: it is
// refused while the dialog stays open, the caption focused.
void TstFormEditCmdAns::answerWithoutCaptionRefused()
{
    WriteFile(Path(), Head + "[ReportsDaily close]\nCommands=\nAnswers=\n" + Tail);
    TFormEditCmdAns editor(Path(), Section, m_prompts);
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(1);
    int first = 0;
    bool open = false;
    bool captionFocused = false;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        auto *caption = Child<QLineEdit>(dialog, "EditCaption");
        QTest::keyClicks(caption, "  ");
        Choose(Child<QComboBox>(dialog, "ComboBoxFormat"), 2);
        first = Click(dialog, "ButtonOk");
        open = dialog->isVisible();
        captionFocused = dialog->focusWidget() == caption;
        QTest::keyClicks(caption, "Total");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(first, -1);
    QVERIFY(open);
    QVERIFY(captionFocused);
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{QStringLiteral("An answer field needs a caption")});
    QCOMPARE(ReadFile(Path()), Head + "[ReportsDaily close]\nCommands=\nAnswers=\"Total\",2,0\n" + Tail);
}

QTEST_MAIN(TstFormEditCmdAns)
#include "tst_form_edit_cmd_ans.moc"
