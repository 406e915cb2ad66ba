#include "editors/editor_widgets.h"

#include "editors/memo.h"
#include "widgets/accessible_text.h"
#include "widgets/dialog_buttons.h"
#include "widgets/prompts.h"

#include <QCoreApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QPushButton>

namespace {

QStyleOptionFrame InputFrameOption(const QWidget *input)
{
    QStyleOptionFrame option;
    option.initFrom(input);
    option.lineWidth = input->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, input);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    return option;
}

} // namespace

namespace EditorWidgets {

QPushButton *Button(const QString &name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

QLabel *Label(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    AccessibleText::Describe(buddy, label->text());
    return label;
}

QPlainTextEdit *Memo(const QString &name, const QString &hint, QWidget *parent)
{
    auto *memo = new TMemo(parent);
    memo->setObjectName(name);
    memo->setToolTip(hint);
    return memo;
}

QStringList Lines(const QPlainTextEdit *memo)
{
    QString text = memo->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

void SetLines(QPlainTextEdit *memo, const QStringList &lines)
{
    memo->setPlainText(lines.join(QLatin1Char('\n')));
}

TRecordButtons RecordButtons(QDialog *dialog, QWidget *content, const QString &addHint,
                             const QString &modifyHint, const QString &removeHint)
{
    const TRecordButtons result{
        Button(QStringLiteral("ButtonAdd"), QCoreApplication::translate("EditorWidgets", "&Add"), addHint, dialog),
        Button(QStringLiteral("ButtonModify"), QCoreApplication::translate("EditorWidgets", "&Modify"), modifyHint, dialog),
        Button(QStringLiteral("ButtonRemove"), QCoreApplication::translate("EditorWidgets", "&Remove"), removeHint, dialog),
        Button(QStringLiteral("ButtonClose"), QCoreApplication::translate("EditorWidgets", "&Close"), QCoreApplication::translate("EditorWidgets", "Close dialog"), dialog)};
    TDialogButtons::SetDefault(dialog, result.Close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(result.Add);
    buttons->addWidget(result.Modify);
    buttons->addWidget(result.Remove);
    buttons->addStretch();
    buttons->addWidget(result.Close);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(content);
    layout->addLayout(buttons);
    AccessibleText::DescribeInputs(dialog);
    return result;
}

void PaintInputFrame(QWidget *input)
{
    QPainter painter(input);
    const QStyleOptionFrame option = InputFrameOption(input);
    input->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, input);
}

void Refuse(TPrompts &prompts, QWidget *dialog, QWidget *input, const QString &message)
{
    prompts.Error(dialog, TPrompts::ErrorCaption, message);
    input->setFocus(Qt::OtherFocusReason);
    if (auto *box = qobject_cast<QComboBox *>(input); box && box->lineEdit())
        box->lineEdit()->selectAll();
    else if (auto *edit = qobject_cast<QLineEdit *>(input))
        edit->selectAll();
}

} // namespace EditorWidgets
