#include "widgets/dialog_prompts.h"

#include "widgets/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

int TDialogPrompts::TitleWidth(const QWidget *dialog, const QString &title)
{
    // Title bars commonly set their text in bold and hold an icon and three
    // buttons, each about as wide as the bar is high.
    QFont font = dialog->font();
    font.setBold(true);
    const int buttons = 4 * dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, dialog);
    return QFontMetrics(font).horizontalAdvance(title) + buttons;
}

QString TDialogPrompts::InputText(QWidget *parent, const QString &caption)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("InputTextDialog"));
    dialog.setWindowTitle(Shown(caption));
    auto *edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("EditText"));
    auto *label = new QLabel(Shown(InputPrompt), &dialog);
    label->setBuddy(edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    TDialogButtons::SetDefault(&dialog, buttons->button(QDialogButtonBox::Ok));
    // Wide enough for its title, which the window frame would cut short.
    const QScreen *screen = parent ? parent->screen() : dialog.screen();
    const QMargins margins = layout->contentsMargins();
    const int width = qMin(TitleWidth(&dialog, Shown(caption)), screen->availableGeometry().width() * 9 / 10);
    edit->setMinimumWidth(width - margins.left() - margins.right());
    return dialog.exec() == QDialog::Accepted ? edit->text() : QString();
}

bool TDialogPrompts::Confirm(QWidget *parent, const QString &caption, const QString &text)
{
    return QMessageBox::warning(parent, Shown(caption), Shown(text), QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel)
        == QMessageBox::Ok;
}

void TDialogPrompts::Error(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::critical(parent, Shown(caption), Shown(text), QMessageBox::Ok);
}

void TDialogPrompts::Information(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::information(parent, Shown(caption), Shown(text), QMessageBox::Ok);
}

int TDialogPrompts::Exec(QDialog *dialog)
{
    return dialog->exec();
}

QString TDialogPrompts::OpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString TDialogPrompts::SaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // The caller asks before it replaces a file, once the default extension
    // is on the name: asked here as well, the question would come twice.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
