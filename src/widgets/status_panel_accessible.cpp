#include "widgets/status_panel_accessible.h"

#include <QLabel>

namespace {

const char *const PanelProperty = "statusPanelMeaning";

QString Meaning(const QObject *panel)
{
    return panel->property(PanelProperty).toString();
}

QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object && !Meaning(object).isEmpty())
        return new TStatusPanelAccessible(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

TStatusPanelAccessible::TStatusPanelAccessible(QLabel *panel) : QAccessibleWidget(panel, QAccessible::StaticText)
{
}

QString TStatusPanelAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    const QString shown = static_cast<const QLabel *>(widget())->text();
    const QString meaning = Meaning(widget());
    return shown.isEmpty() ? meaning : meaning + QLatin1String(": ") + shown;
}

void TStatusPanelAccessible::Describe(QLabel *panel, const QString &what)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
    panel->setProperty(PanelProperty, what);
}
