#include "editors/form_edit_return_code.h"
#include "editors/form_rc_record.h"
#include "editors/record_grid.h"
#include "support_editors.h"
#include "widgets/field_type_combo_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace EditorTest;

namespace {

const QByteArray Head = "[General]\nProtocol=1\n\n";
const QByteArray Tail = "\n[Groups]\nSales=\n";

TDialogScript::TScript Enter(const QString &number, const QString &description)
{
    return [=](QDialog *dialog) {
        Type(Child<TFieldTypeComboBox>(dialog, "EditNumber"), number);
        auto *text = Child<QLineEdit>(dialog, "EditDescription");
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Backspace);
        QTest::keyClicks(text, description);
        return Click(dialog, "ButtonOk");
    };
}

} // namespace

class TstFormEditReturnCode : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void addKeepsAscendingOrder();
    void duplicateRefused_data();
    void duplicateRefused();
    void modifyToSameNumberAccepted();
    void removeDoesNotSort();
    void removeOnlyCode();
    void sortIsStable();
    void recordDialogOkRule();

private:
    QString Path() const { return m_dir.filePath("printer.tsy"); }

    QTemporaryDir m_dir;
    TDialogScript m_prompts;
};

void TstFormEditReturnCode::init()
{
    m_prompts = TDialogScript();
}

void TstFormEditReturnCode::addKeepsAscendingOrder()
{
    WriteFile(Path(), Head + "[Return codes]\n" + Tail);
    TFormEditReturnCode editor(Path(), m_prompts);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Edit return codes"));
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
    m_prompts.Scripts << Enter("30", "Thirty") << Enter("5", "Five") << Enter("017", "Seventeen");
    for (int i = 0; i < 3; ++i)
        Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC5=Five\nRC17=Seventeen\nRC30=Thirty\n" + Tail);
    auto *grid = Child<TRecordGrid>(&editor, "StringGrid");
    QCOMPARE(grid->Rows(), (QList<QStringList>{{"5", "Five"}, {"17", "Seventeen"}, {"30", "Thirty"}}));
    QCOMPARE(grid->SelectedRecord(), 1);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindDialog), QStringList(3, QStringLiteral("Add new return code")));
}

void TstFormEditReturnCode::duplicateRefused_data()
{
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("007 against 7") << QByteArray("RC7=Seven\n") << "007" << true
                                   << QByteArray("RC7=Seven\nRC9=Nine\n");
    QTest::newRow("007 new") << QByteArray("RC8=Eight\n") << "007" << false << QByteArray("RC7=New\nRC8=Eight\n");
    QTest::newRow("7 against a key with zeros") << QByteArray("RC007=Seven\n") << "7" << true
                                                << QByteArray("RC007=Seven\nRC9=Nine\n");
}

// A taken number is refused while the dialog is open: it keeps what was
// typed, with the number focused, and the user corrects it there.
void TstFormEditReturnCode::duplicateRefused()
{
    QFETCH(QByteArray, codes);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    WriteFile(Path(), Head + "[Return codes]\n" + codes + Tail);
    TFormEditReturnCode editor(Path(), m_prompts);
    int first = 0;
    bool open = false;
    QString kept;
    bool numberFocused = false;
    m_prompts.Scripts << [&](QDialog *dialog) {
        first = Enter(typed, "New")(dialog);
        open = dialog->isVisible();
        auto *number = Child<TFieldTypeComboBox>(dialog, "EditNumber");
        kept = number->GetText() + "/" + Child<QLineEdit>(dialog, "EditDescription")->text();
        numberFocused = dialog->focusWidget() == number;
        return first == -1 ? Enter("9", "Nine")(dialog) : first;
    };
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(first, refused ? -1 : int(QDialog::Accepted));
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError),
             refused ? QStringList{QStringLiteral("The return codes already exits !!!")} : QStringList());
    if (refused) {
        QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindError), QStringList{QStringLiteral(" E R R O R ")});
        QVERIFY(open);
        QCOMPARE(kept, typed + "/New");
        QVERIFY(numberFocused);
    }
    QFETCH(QByteArray, after);
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\n" + after + Tail);
}

void TstFormEditReturnCode::modifyToSameNumberAccepted()
{
    WriteFile(Path(), Head + "[Return codes]\nRC7=Seven\nRC9=Nine\n" + Tail);
    TFormEditReturnCode editor(Path(), m_prompts);
    auto *grid = Child<TRecordGrid>(&editor, "StringGrid");
    grid->SelectRecord(0);
    QStringList shown;
    m_prompts.Scripts << [&](QDialog *dialog) {
        shown << dialog->windowTitle() << Child<TFieldTypeComboBox>(dialog, "EditNumber")->GetText()
              << Child<QLineEdit>(dialog, "EditDescription")->text();
        return Enter("0007", "Seven again")(dialog);
    };
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QCOMPARE(shown, QStringList({"Modify return code", "7", "Seven"}));
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC7=Seven again\nRC9=Nine\n" + Tail);

    // Onto another existing number: refused.
    m_prompts.Scripts << Enter("9", "Clash");
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC7=Seven again\nRC9=Nine\n" + Tail);

    // A new number moves the pair to its place.
    m_prompts.Scripts << Enter("12", "Twelve");
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC9=Nine\nRC12=Twelve\n" + Tail);
}

void TstFormEditReturnCode::removeDoesNotSort()
{
    WriteFile(Path(), Head + "[Return codes]\nRC9=Nine\nRC3=Three\nRC5=Five\n" + Tail);
    TFormEditReturnCode editor(Path(), m_prompts);
    auto *grid = Child<TRecordGrid>(&editor, "StringGrid");
    QCOMPARE(grid->Cell(0, 0), QStringLiteral("9"));
    grid->SelectRecord(1);
    m_prompts.Confirms << true;
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm), QStringList{QStringLiteral("Do you wish to delete return code 3")});
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC9=Nine\nRC5=Five\n" + Tail);
    m_prompts.Scripts << Enter("1", "One");
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC1=One\nRC5=Five\nRC9=Nine\n" + Tail);
}

void TstFormEditReturnCode::removeOnlyCode()
{
    WriteFile(Path(), Head + "[Return codes]\nRC1=One\n" + Tail);
    TFormEditReturnCode editor(Path(), m_prompts);
    m_prompts.Confirms << false;
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\nRC1=One\n" + Tail);
    m_prompts.Confirms << true;
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()), Head + "[Return codes]\n" + Tail);
    QCOMPARE(Child<TRecordGrid>(&editor, "StringGrid")->rowCount(), 1);
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
    QVERIFY(!Child<QPushButton>(&editor, "ButtonRemove")->isEnabled());
}

void TstFormEditReturnCode::sortIsStable()
{
    QList<QStringList> rows = {{"9", "a"}, {"x", "b"}, {"09", "c"}, {"0", "d"}, {"3", "e"}};
    TFormEditReturnCode::SortRows(rows);
    QList<QStringList> expected = {{"x", "b"}, {"0", "d"}, {"3", "e"}, {"9", "a"}, {"09", "c"}};
    QCOMPARE(rows, expected);
    QCOMPARE(TFormEditReturnCode::NormalisedNumber("00120"), QStringLiteral("120"));
}

void TstFormEditReturnCode::recordDialogOkRule()
{
    TFormRcRecord fresh(m_prompts);
    QCOMPARE(fresh.windowTitle(), QStringLiteral("Add new return code"));
    auto *ok = Child<QPushButton>(&fresh, "ButtonOk");
    QVERIFY(!ok->isEnabled());
    QVERIFY(Child<QPushButton>(&fresh, "ButtonOk")->isDefault());
    Type(Child<TFieldTypeComboBox>(&fresh, "EditNumber"), "12a34567");
    QCOMPARE(fresh.Number(), QStringLiteral("12345"));
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(Child<QLineEdit>(&fresh, "EditDescription"), "Paper");
    QVERIFY(ok->isEnabled());

    TFormRcRecord existing(QStringLiteral("5"), QStringLiteral("Five"), m_prompts);
    QVERIFY(Child<QPushButton>(&existing, "ButtonOk")->isEnabled());
    Type(Child<TFieldTypeComboBox>(&existing, "EditNumber"), "");
    QVERIFY(!Child<QPushButton>(&existing, "ButtonOk")->isEnabled());
}

QTEST_MAIN(TstFormEditReturnCode)
#include "tst_form_edit_return_code.moc"
