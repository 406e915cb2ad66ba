#include "support_editors.h"

#include "widgets/field_type_combo_box.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

int TDialogScript::Exec(QDialog *dialog)
{
    Questions.append({KindDialog, dialog->windowTitle(), dialog->objectName()});
    if (Scripts.isEmpty())
        return QDialog::Rejected;
    dialog->show();
    const int result = Scripts.dequeue()(dialog);
    dialog->hide();
    return result;
}

namespace EditorTest {

void WriteFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Choose(QComboBox *list, int index)
{
    if (!list->isEnabled())
        qFatal("list %s is locked", qPrintable(list->objectName()));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void Choose(QComboBox *list, const QString &text)
{
    const int index = list->findText(text);
    if (index < 0)
        qFatal("no item %s in %s", qPrintable(text), qPrintable(list->objectName()));
    Choose(list, index);
}

void Type(TFieldTypeComboBox *box, const QString &text)
{
    QLineEdit *edit = box->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

int Click(QDialog *dialog, const char *button)
{
    auto *target = Child<QPushButton>(dialog, button);
    if (!target->isEnabled())
        return -1;
    dialog->setResult(-1);
    target->click();
    return dialog->result();
}

} // namespace EditorTest
