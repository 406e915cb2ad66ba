#include "support_editors.h"
#include "support_every_dialog.h"
#include "terminal_model/settings.h"
#include "terminal_model/translations.h"
#include "widgets/accessible_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace EditorTest;
using namespace EveryDialog;

namespace {

bool IsInput(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QAbstractItemView *>(widget)
           || qobject_cast<const QPlainTextEdit *>(widget);
}

bool IsClosingButton(const QWidget *widget)
{
    const QString name = widget->objectName();
    return name == QLatin1String("ButtonOk") || name == QLatin1String("ButtonCancel")
           || name == QLatin1String("ButtonClose");
}

// The widget the user sees as holding the focus: an input rather than the
// edit inside it.
QWidget *Stop(QWidget *focus, const QWidget *dialog)
{
    QWidget *stop = focus;
    for (QWidget *up = focus; up && up != dialog; up = up->parentWidget())
        if (IsInput(up))
            stop = up;
    return stop;
}

QString Label(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// Reading order: the first ancestors that differ are compared, so a group
// box is read whole before what stands beside it.
bool ReadsBefore(const QWidget *a, const QWidget *b)
{
    QList<const QWidget *> pathA;
    QList<const QWidget *> pathB;
    for (const QWidget *w = a; w; w = w->parentWidget())
        pathA.prepend(w);
    for (const QWidget *w = b; w; w = w->parentWidget())
        pathB.prepend(w);
    qsizetype i = 0;
    while (i < pathA.size() && i < pathB.size() && pathA.at(i) == pathB.at(i))
        ++i;
    if (i == pathA.size() || i == pathB.size())
        return i == pathA.size();
    const QRect ra = pathA.at(i)->geometry();
    const QRect rb = pathB.at(i)->geometry();
    const bool sameRow = ra.top() < rb.bottom() && rb.top() < ra.bottom();
    return sameRow ? ra.left() < rb.left() : ra.top() < rb.top();
}

} // namespace

// The dialogs from the keyboard and for a screen reader.
class TstEditorDialogAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogs_data();
    void tabFollowsTheLayoutClosingButtonsLast_data() { dialogs_data(); }
    void tabFollowsTheLayoutClosingButtonsLast();
    void inputsAreNamedAndDescribed_data() { dialogs_data(); }
    void inputsAreNamedAndDescribed();
    void mnemonicsDoNotClash_data();
    void mnemonicsDoNotClash();
    void namesFollowTheirCaptions_data();
    void namesFollowTheirCaptions();

private:
    std::unique_ptr<QDialog> Make(int kind);
    QString Path() const { return m_dir.filePath("access.tsy"); }

    QTemporaryDir m_dir;
    TDialogScript m_prompts;
    TSettings m_settings;
};

void TstEditorDialogAccess::initTestCase()
{
    WriteFile(Path(), File);
}

std::unique_ptr<QDialog> TstEditorDialogAccess::Make(int kind)
{
    return EveryDialog::Make(kind, Path(), m_prompts, m_settings);
}

void TstEditorDialogAccess::dialogs_data()
{
    QTest::addColumn<int>("kind");
    for (int kind = 0; kind < KindCount; ++kind)
        QTest::newRow(KindNames[kind]) << kind;
}

void TstEditorDialogAccess::tabFollowsTheLayoutClosingButtonsLast()
{
    QFETCH(int, kind);
    const std::unique_ptr<QDialog> dialog = Make(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    if (!QApplication::focusWidget())
        QTest::keyClick(dialog.get(), Qt::Key_Tab);
    QTRY_VERIFY(QApplication::focusWidget());
    QList<QWidget *> cycle{Stop(QApplication::focusWidget(), dialog.get())};
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *stop = Stop(QApplication::focusWidget(), dialog.get());
        if (stop == cycle.first())
            break;
        cycle.append(stop);
    }
    QStringList walked;
    for (const QWidget *stop : cycle)
        walked << Label(stop);
    // The cycle read from just after the last closing button.
    qsizetype start = 0;
    for (qsizetype i = 0; i < cycle.size(); ++i)
        if (IsClosingButton(cycle.at(i)) && !IsClosingButton(cycle.at((i + 1) % cycle.size())))
            start = (i + 1) % cycle.size();
    std::rotate(walked.begin(), walked.begin() + start, walked.end());
    std::rotate(cycle.begin(), cycle.begin() + start, cycle.end());
    const QString order = walked.join(QLatin1String(", "));
    bool closing = false;
    for (qsizetype i = 0; i < cycle.size(); ++i) {
        QVERIFY2(!closing || IsClosingButton(cycle.at(i)), qPrintable("closing buttons not last: " + order));
        closing = IsClosingButton(cycle.at(i));
        if (i > 0 && !closing)
            QVERIFY2(ReadsBefore(cycle.at(i - 1), cycle.at(i)), qPrintable("not in reading order: " + order));
    }
    QVERIFY2(closing, qPrintable("no closing button: " + order));
}

void TstEditorDialogAccess::inputsAreNamedAndDescribed()
{
    QFETCH(int, kind);
    const std::unique_ptr<QDialog> dialog = Make(kind);
    for (QWidget *widget : dialog->findChildren<QWidget *>()) {
        if (!IsInput(widget) || Stop(widget, dialog.get()) != widget)
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(accessible, qPrintable(Label(widget)));
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(Label(widget) + " has no name"));
        QVERIFY2(!accessible->text(QAccessible::Name).contains('&'), qPrintable(Label(widget)));
        if (!widget->toolTip().isEmpty())
            QCOMPARE(accessible->text(QAccessible::Description), widget->toolTip());
    }
}

void TstEditorDialogAccess::mnemonicsDoNotClash_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("language");
    for (const QString &language : TTranslations::Languages())
        for (int kind = 0; kind < KindCount; ++kind)
            QTest::addRow("%s %s", KindNames[kind], qPrintable(language)) << kind << language;
}

void TstEditorDialogAccess::mnemonicsDoNotClash()
{
    QFETCH(int, kind);
    QFETCH(QString, language);
    TTranslations translations;
    translations.Install(language);
    const std::unique_ptr<QDialog> dialog = Make(kind);
    QHash<QChar, QString> seen;
    QStringList clashes;
    const auto check = [&seen, &clashes](const QString &caption) {
        const QChar key = AccessibleText::Mnemonic(caption);
        if (key.isNull())
            return;
        if (seen.contains(key))
            clashes << seen.value(key) + " / " + caption;
        else
            seen.insert(key, caption);
    };
    for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        check(button->text());
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        if (label->buddy())
            check(label->text());
    for (const QGroupBox *group : dialog->findChildren<QGroupBox *>())
        check(group->title());
    for (const QTabBar *tabs : dialog->findChildren<QTabBar *>())
        for (int i = 0; i < tabs->count(); ++i)
            check(tabs->tabText(i));
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(", ")));
}

void TstEditorDialogAccess::namesFollowTheirCaptions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("name");
    QTest::newRow("return code number") << int(RcRecord) << "EditNumber" << "Return code number";
    QTest::newRow("return code text") << int(RcRecord) << "EditDescription" << "Description text";
    QTest::newRow("answer caption") << int(AnswerRecord) << "EditCaption" << "Caption";
    QTest::newRow("command caption") << int(CommandRecord) << "FieldTypeComboBoxCaption" << "Caption";
    QTest::newRow("fields grid") << int(FieldsEditor) << "StringGridAnswers" << "Answers";
    QTest::newRow("host port") << int(Preferences) << "ComboBoxHostPort" << "Comm port";
}

void TstEditorDialogAccess::namesFollowTheirCaptions()
{
    QFETCH(int, kind);
    QFETCH(QString, input);
    const std::unique_ptr<QDialog> dialog = Make(kind);
    QWidget *widget = dialog->findChild<QWidget *>(input);
    QVERIFY(widget);
    QTEST(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), "name");
}

QTEST_MAIN(TstEditorDialogAccess)
#include "tst_editor_dialog_access.moc"
