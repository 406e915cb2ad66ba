#include "widgets/field_type_combo_box_accessible.h"

#include "widgets/field_type_combo_box.h"

#include <QLineEdit>

namespace {

QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if ((className == QLatin1String("TFieldTypeComboBox") || className == QLatin1String("QComboBox")) && object
        && object->isWidgetType())
        return new TFieldTypeComboBoxAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

TFieldTypeComboBoxAccessible::TFieldTypeComboBoxAccessible(QWidget *box)
    : QAccessibleWidget(box, QAccessible::ComboBox)
{
}

QString TFieldTypeComboBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) {
        const auto *box = static_cast<const QComboBox *>(widget());
        return box->lineEdit() ? box->lineEdit()->text() : box->currentText();
    }
    const QString text = QAccessibleWidget::text(t);
    return t == QAccessible::Description && text.isEmpty() ? widget()->toolTip() : text;
}

void TFieldTypeComboBoxAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}
