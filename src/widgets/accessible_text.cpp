#include "widgets/accessible_text.h"

#include "widgets/field_type_combo_box_accessible.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

namespace AccessibleText {

namespace {

bool IsInput(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QAbstractItemView *>(widget)
           || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}

// An input that belongs to another one (the edit of a combo box or a spin
// box, a grid's cell editor) is named by its owner.
bool IsPartOfInput(const QWidget *widget)
{
    for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget())
        if (IsInput(up))
            return true;
    return false;
}

// The caption of the group box or of the page it sits on; a grid without
// either is named after its column headers.
QString EnclosingCaption(const QWidget *widget)
{
    for (const QWidget *up = widget; up; up = up->parentWidget()) {
        if (const auto *group = qobject_cast<const QGroupBox *>(up); group && up != widget)
            return group->title();
        if (const auto *pages = up->parentWidget() ? qobject_cast<const QTabWidget *>(
                                                         up->parentWidget()->parentWidget())
                                                   : nullptr;
            pages && pages->indexOf(const_cast<QWidget *>(up)) >= 0)
            return pages->tabText(pages->indexOf(const_cast<QWidget *>(up)));
    }
    QStringList headers;
    if (const auto *grid = qobject_cast<const QTableWidget *>(widget))
        for (int column = 0; column < grid->columnCount(); ++column)
            if (const QTableWidgetItem *header = grid->horizontalHeaderItem(column))
                headers << header->text();
    return headers.join(QLatin1String(", "));
}

} // namespace

QString StripMnemonic(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

QChar Mnemonic(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toUpper();
        ++i;
    }
    return QChar();
}

void Describe(QWidget *control, const QString &caption, const QString &description)
{
    TFieldTypeComboBoxAccessible::Install();
    control->setAccessibleName(StripMnemonic(caption));
    if (!description.isEmpty())
        control->setAccessibleDescription(description);
}

void DescribeInputs(QWidget *root)
{
    TFieldTypeComboBoxAccessible::Install();
    for (QLabel *label : root->findChildren<QLabel *>())
        if (QWidget *buddy = label->buddy(); buddy && buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(StripMnemonic(label->text()));
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (!IsInput(widget) || IsPartOfInput(widget))
            continue;
        if (widget->accessibleName().isEmpty())
            widget->setAccessibleName(StripMnemonic(EnclosingCaption(widget)));
        if (widget->accessibleDescription().isEmpty())
            widget->setAccessibleDescription(widget->toolTip());
    }
}

} // namespace AccessibleText
