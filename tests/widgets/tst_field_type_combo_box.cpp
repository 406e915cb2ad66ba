#include "widgets/field_type_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// Types the text key by key, as a keyboard would deliver it.
void typeText(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, QString(c), Qt::NoModifier);
    }
}

void paste(TFieldTypeComboBox &box, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

// One press and release with the text the platform gives the key.
void pressKey(QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// The editing keys, each with the text X11 gives it: Delete's is 0x7F, the
// Ctrl letters' their control codes.
struct TEditKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *text;
};

const TEditKey EditKeys[] = {
    {Qt::Key_Delete, Qt::NoModifier, "\x7f"},
    {Qt::Key_Backspace, Qt::NoModifier, "\b"},
    {Qt::Key_Home, Qt::NoModifier, ""},
    {Qt::Key_End, Qt::NoModifier, ""},
    {Qt::Key_Left, Qt::NoModifier, ""},
    {Qt::Key_Right, Qt::ShiftModifier, ""},
    {Qt::Key_A, Qt::ControlModifier, "\x01"},
    {Qt::Key_Z, Qt::ControlModifier, "\x1a"},
    {Qt::Key_Delete, Qt::ControlModifier, "\x7f"},
    {Qt::Key_Backspace, Qt::ControlModifier, "\b"},
};

} // namespace

class TestFieldTypeComboBox : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void typing_data();
    void typing();
    void keysDeliveredToTheLineEdit();
    void editingKeysWorkInEveryType_data();
    void editingKeysWorkInEveryType();
    void altGrCharacterIsFiltered_data();
    void altGrCharacterIsFiltered();
    void pasting_data();
    void pasting();
    void currencySeparatorLooksAtSelection();
    void booleanLimitsLength();
    void programTextIsNotValidatedOrCut();
    void changedFollowsUserEditsOnly();
    void listChoiceIsValidated_data();
    void listChoiceIsValidated();
    void styles();
    void simpleStyleDrawsAsLineEdit();
    void inputMethodCommitIsFiltered();
    void requiredKeepsFocus();
    void requiredReclaimsFocusFromClick();
    void twoEmptyRequiredBoxesDoNotFight();
};

void TestFieldTypeComboBox::defaults()
{
    TFieldTypeComboBox box;
    QCOMPARE(box.GetFieldType(), ftdAlphaNumeric);
    QCOMPARE(box.GetRequired(), false);
    QCOMPARE(box.property("FldType").toInt(), int(ftdAlphaNumeric));
    QVERIFY(box.setProperty("FldType", int(ftdHexadecimal)));
    QCOMPARE(box.GetFieldType(), ftdHexadecimal);
    QVERIFY(box.setProperty("Required", true));
    QVERIFY(box.GetRequired());
}

void TestFieldTypeComboBox::typing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("numeric") << 3 << "12a3" << "123";
    QTest::newRow("decimal") << 4 << "4.2" << "42";
    QTest::newRow("currency one separator") << 2 << "10,5.3" << "10,53";
    QTest::newRow("hexa upper-cased") << 5 << "f0x1a" << "F01A";
    QTest::newRow("binary") << 6 << "01210" << "0110";
    QTest::newRow("boolean one character") << 7 << "yn" << "Y";
    QTest::newRow("boolean refuses others") << 7 << "tq" << "";
    QTest::newRow("alpha with accents") << 1 << QString::fromUtf8("aé1 ß") << QString::fromUtf8("aéß");
    QTest::newRow("numeric refuses accented") << 3 << QString::fromUtf8("1é2") << "12";
    QTest::newRow("alphanumeric anything") << 0 << "a, \"b\"" << "a, \"b\"";
    QTest::newRow("date type anything") << 8 << "x,y\"" << "x,y\"";
    QTest::newRow("time type anything") << 9 << "12:3a" << "12:3a";
}

void TestFieldTypeComboBox::typing()
{
    QFETCH(int, type);
    QFETCH(QString, keys);
    QFETCH(QString, text);

    TFieldTypeComboBox box;
    box.SetFieldTypeCode(type);
    typeText(&box, keys);
    QCOMPARE(box.GetText(), text);

    // Backspace works whatever the type.
    if (!text.isEmpty()) {
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.GetText(), text.chopped(1));
    }
}

void TestFieldTypeComboBox::keysDeliveredToTheLineEdit()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdHexadecimal);
    typeText(box.lineEdit(), QStringLiteral("fg1"));
    QCOMPARE(box.GetText(), QStringLiteral("F1"));
}

void TestFieldTypeComboBox::editingKeysWorkInEveryType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("toLineEdit");

    const char *const texts[] = {"", "ab", "12,5", "123", "4294", "1F0", "0110", "Y"};
    for (int type = ftdAlpha; type <= ftdBool; ++type) {
        const QString name = TFieldTypes::TextTypeGridName(type);
        QTest::addRow("%s", qPrintable(name)) << type << QString::fromLatin1(texts[type]) << false;
        QTest::addRow("%s, keys to the line edit", qPrintable(name))
            << type << QString::fromLatin1(texts[type]) << true;
    }
}

// Every editing key does in a filtered box what it does in a plain line edit
// holding the same text, wherever the cursor stands.
void TestFieldTypeComboBox::editingKeysWorkInEveryType()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    QFETCH(bool, toLineEdit);

    for (const TEditKey &editKey : EditKeys) {
        for (int cursor = 0; cursor <= text.size(); ++cursor) {
            TFieldTypeComboBox box;
            box.SetStyle(TFieldTypeComboBox::csSimple);
            box.SetFieldTypeCode(type);
            // Typed, so that Ctrl+Z has something to undo.
            box.lineEdit()->insert(text);
            box.lineEdit()->setCursorPosition(cursor);
            QLineEdit plain;
            plain.insert(text);
            plain.setCursorPosition(cursor);

            const QString keyText = QString::fromLatin1(editKey.text);
            pressKey(toLineEdit ? static_cast<QWidget *>(box.lineEdit()) : &box, editKey.key,
                     editKey.modifiers, keyText);
            pressKey(&plain, editKey.key, editKey.modifiers, keyText);
            const QString where = QStringLiteral("key %1 with modifiers %2 at %3")
                                      .arg(editKey.key, 0, 16)
                                      .arg(int(editKey.modifiers), 0, 16)
                                      .arg(cursor);
            QVERIFY2(box.GetText() == plain.text(),
                     qPrintable(where + ": " + box.GetText() + " instead of " + plain.text()));
            QVERIFY2(box.lineEdit()->cursorPosition() == plain.cursorPosition(), qPrintable(where));
            QVERIFY2(box.lineEdit()->selectedText() == plain.selectedText(), qPrintable(where));
        }
    }
}

void TestFieldTypeComboBox::altGrCharacterIsFiltered_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("numeric refuses at sign") << int(ftdNumerical) << "12" << "@" << "12";
    QTest::newRow("currency refuses euro") << int(ftdCurrency) << "10,5" << QString::fromUtf8("€") << "10,5";
    QTest::newRow("currency refuses a second separator") << int(ftdCurrency) << "10,5" << "." << "10,5";
    QTest::newRow("hexa upper-cases") << int(ftdHexadecimal) << "1" << "b" << "1B";
    QTest::newRow("binary refuses brace") << int(ftdBinary) << "01" << "{" << "01";
    QTest::newRow("alpha takes a letter") << int(ftdAlpha) << "a" << QString::fromUtf8("ł") << QString::fromUtf8("ał");
}

// AltGr arrives as Ctrl+Alt with the character's text.
void TestFieldTypeComboBox::altGrCharacterIsFiltered()
{
    QFETCH(int, type);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    for (bool toLineEdit : {false, true}) {
        TFieldTypeComboBox box;
        box.SetFieldTypeCode(type);
        typeText(&box, before);
        QSignalSpy changed(&box, &TFieldTypeComboBox::Changed);
        pressKey(toLineEdit ? static_cast<QWidget *>(box.lineEdit()) : &box, Qt::Key_unknown,
                 Qt::ControlModifier | Qt::AltModifier, typed);
        QCOMPARE(box.GetText(), after);
        QCOMPARE(changed.isEmpty(), before == after);
    }
}

void TestFieldTypeComboBox::pasting_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");

    QTest::newRow("numeric with a letter clears") << 3 << "" << "12a3" << "";
    QTest::newRow("numeric digits") << 3 << "1" << "23" << "123";
    QTest::newRow("numeric refused whole, typed text kept") << 3 << "99" << "x" << "99";
    QTest::newRow("numeric partly fitting refused whole") << 3 << "12" << "3a4" << "12";
    QTest::newRow("currency pasted over its digits") << 2 << "10,5" << "7;" << "10,5";
    QTest::newRow("hexa partly fitting") << 5 << "A" << "BZ" << "A";
    QTest::newRow("binary partly fitting") << 6 << "1" << "012" << "1";
    QTest::newRow("boolean refused") << 7 << "" << "x" << "";
    QTest::newRow("currency several separators kept") << 2 << "" << "1.2.3" << "1.2.3";
    QTest::newRow("hexa 0x clears") << 5 << "" << "0x1F" << "";
    QTest::newRow("hexa lower case kept") << 5 << "" << "1f" << "1f";
    QTest::newRow("boolean lower case kept") << 7 << "" << "s" << "s";
    QTest::newRow("binary with 2 clears") << 6 << "" << "0102" << "";
    QTest::newRow("alpha with blank clears") << 1 << "" << "ab c" << "";
    QTest::newRow("alphanumeric comma and quote") << 0 << "" << "a,\"b\"" << "a,\"b\"";
}

void TestFieldTypeComboBox::pasting()
{
    QFETCH(int, type);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, text);

    TFieldTypeComboBox box;
    box.SetFieldTypeCode(type);
    typeText(&box, before);
    paste(box, pasted);
    QCOMPARE(box.GetText(), text);
}

void TestFieldTypeComboBox::currencySeparatorLooksAtSelection()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdCurrency);
    box.SetText(QStringLiteral("1.5"));
    box.lineEdit()->setSelection(1, 1);
    typeText(&box, QStringLiteral(","));
    QCOMPARE(box.GetText(), QStringLiteral("1.5"));
}

void TestFieldTypeComboBox::booleanLimitsLength()
{
    TFieldTypeComboBox box;
    box.SetMaxLength(10);
    box.SetFieldType(ftdBool);
    QCOMPARE(box.GetMaxLength(), 1);
    typeText(&box, QStringLiteral("ny"));
    QCOMPARE(box.GetText(), QStringLiteral("N"));

    // Another type keeps the limit until the owner sets a new one.
    box.SetFieldType(ftdNumerical);
    QCOMPARE(box.GetMaxLength(), 1);
    box.SetMaxLength(0);
    box.SetText(QString());
    typeText(&box, QStringLiteral("12345"));
    QCOMPARE(box.GetText(), QStringLiteral("12345"));
}

void TestFieldTypeComboBox::programTextIsNotValidatedOrCut()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdNumerical);
    box.SetText(QStringLiteral("12345"));
    box.SetMaxLength(3);
    QCOMPARE(box.GetText(), QStringLiteral("12345"));
    box.addItem(QStringLiteral("987654"));
    box.setCurrentIndex(0);
    QCOMPARE(box.GetText(), QStringLiteral("987654"));

    // The user may shorten an over-long text but not lengthen it.
    box.lineEdit()->end(false);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.GetText(), QStringLiteral("98765"));
    typeText(&box, QStringLiteral("1"));
    QCOMPARE(box.GetText(), QStringLiteral("98765"));

    // A text that does not fit stays until the user changes it.
    box.SetText(QStringLiteral("ab"));
    QCOMPARE(box.GetText(), QStringLiteral("ab"));
    box.lineEdit()->end(false);
    typeText(&box, QStringLiteral("1"));
    QCOMPARE(box.GetText(), QString());
}

void TestFieldTypeComboBox::changedFollowsUserEditsOnly()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdNumerical);
    QSignalSpy changed(&box, &TFieldTypeComboBox::Changed);

    box.SetText(QStringLiteral("12"));
    QCOMPARE(changed.count(), 0);

    typeText(&box, QStringLiteral("3"));
    QCOMPARE(changed.count(), 1);

    // A refused key changes nothing and raises nothing.
    typeText(&box, QStringLiteral("x"));
    QCOMPARE(changed.count(), 1);

    // A refused paste changes nothing and raises nothing.
    paste(box, QStringLiteral("z"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.GetText(), QStringLiteral("123"));

    // An edit that clears a program-set text that does not fit is reported.
    box.SetText(QStringLiteral("1x"));
    box.lineEdit()->end(false);
    typeText(&box, QStringLiteral("2"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(box.GetText(), QString());
}

void TestFieldTypeComboBox::listChoiceIsValidated_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("drop-down") << int(TFieldTypeComboBox::csDropDown);
    QTest::newRow("drop-down list") << int(TFieldTypeComboBox::csDropDownList);
}

void TestFieldTypeComboBox::listChoiceIsValidated()
{
    QFETCH(int, style);

    TFieldTypeComboBox box;
    box.SetStyle(TFieldTypeComboBox::TComboStyle(style));
    box.SetFieldType(ftdNumerical);
    box.addItems({QStringLiteral("12"), QStringLiteral("34"), QStringLiteral("5x")});
    box.setCurrentIndex(0);
    QSignalSpy changed(&box, &TFieldTypeComboBox::Changed);

    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.GetText(), QStringLiteral("34"));
    QCOMPARE(changed.count(), 1);

    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.GetText(), QString());
    QCOMPARE(changed.count(), 2);
}

void TestFieldTypeComboBox::styles()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdNumerical);

    box.SetStyle(TFieldTypeComboBox::csSimple);
    QVERIFY(box.isEditable());
    box.addItem(QStringLiteral("1"));
    box.show();
    box.showPopup();
    QVERIFY(!box.view()->isVisible());
    QVERIFY(!box.grab().isNull());
    box.hide();

    box.SetStyle(TFieldTypeComboBox::csDropDownList);
    QVERIFY(!box.isEditable());
    QCOMPARE(box.GetStyle(), TFieldTypeComboBox::csDropDownList);

    // A new edit box after a style change filters as before.
    box.SetStyle(TFieldTypeComboBox::csDropDown);
    QVERIFY(box.isEditable());
    box.SetText(QString());
    typeText(&box, QStringLiteral("7a"));
    QCOMPARE(box.GetText(), QStringLiteral("7"));
    paste(box, QStringLiteral("q"));
    QCOMPARE(box.GetText(), QStringLiteral("7"));
}

// The edit-box style is drawn exactly as a line edit of the same size and
// text: frame, background and text position, no button.
void TestFieldTypeComboBox::simpleStyleDrawsAsLineEdit()
{
    QWidget window;
    auto *elsewhere = new QLineEdit(&window);
    auto *box = new TFieldTypeComboBox(&window);
    auto *plain = new QLineEdit(&window);
    box->SetStyle(TFieldTypeComboBox::csSimple);
    box->SetText(QStringLiteral("1234"));
    plain->setText(QStringLiteral("1234"));
    plain->setCursorPosition(0);
    box->lineEdit()->setCursorPosition(0);
    box->setGeometry(10, 10, 213, 24);
    plain->setGeometry(10, 50, 213, 24);
    elsewhere->setGeometry(10, 80, 50, 24);
    window.resize(240, 110);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus();
    QTRY_VERIFY(elsewhere->hasFocus());

    const QImage boxImage = box->grab().toImage();
    const QImage plainImage = plain->grab().toImage();
    QCOMPARE(boxImage.size(), plainImage.size());
    QCOMPARE(boxImage, plainImage);
    QCOMPARE(box->lineEdit()->geometry().right(), box->width() - 1 - box->lineEdit()->x());

    // Read-only fields are disabled boxes.
    box->setEnabled(false);
    plain->setEnabled(false);
    QCOMPARE(box->grab().toImage(), plain->grab().toImage());
}

void TestFieldTypeComboBox::inputMethodCommitIsFiltered()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdHexadecimal);
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("1éa"));
    QApplication::sendEvent(&box, &event);
    QCOMPARE(box.GetText(), QStringLiteral("1A"));
}

void TestFieldTypeComboBox::requiredKeepsFocus()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new TFieldTypeComboBox(&window);
    auto *next = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(next);
    box->SetStyle(TFieldTypeComboBox::csSimple);
    box->SetRequired(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(box->hasFocus());

    // A blank is not empty.
    typeText(QApplication::focusWidget(), QStringLiteral(" "));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(next->hasFocus());

    // Not required: the box may be left empty.
    box->SetRequired(false);
    box->SetText(QString());
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(next->hasFocus());
}

void TestFieldTypeComboBox::requiredReclaimsFocusFromClick()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new TFieldTypeComboBox(&window);
    auto *next = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(next);
    box->SetRequired(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());

    QTest::mouseClick(next, Qt::LeftButton);
    QTRY_VERIFY(box->hasFocus());

    typeText(QApplication::focusWidget(), QStringLiteral("x"));
    QTest::mouseClick(next, Qt::LeftButton);
    QTRY_VERIFY(next->hasFocus());
    // A reclaim the box would have queued runs before this later marker.
    bool markerRan = false;
    QMetaObject::invokeMethod(&window, [&markerRan] { markerRan = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(markerRan);
    QVERIFY(next->hasFocus());
}

void TestFieldTypeComboBox::twoEmptyRequiredBoxesDoNotFight()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new TFieldTypeComboBox(&window);
    auto *second = new TFieldTypeComboBox(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    first->SetRequired(true);
    second->SetRequired(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(first->hasFocus());

    second->setFocus(Qt::MouseFocusReason);
    // Let every queued reclaim run; the focus must settle, not bounce.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QWidget *settled = QApplication::focusWidget();
    QVERIFY(settled);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), settled);
}

QTEST_MAIN(TestFieldTypeComboBox)
#include "tst_field_type_combo_box.moc"
