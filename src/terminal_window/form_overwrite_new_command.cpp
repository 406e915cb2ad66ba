#include "terminal_window/form_overwrite_new_command.h"

#include "widgets/dialog_buttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

const QString TFormOverwriteNewCommand::Text = QStringLiteral(QT_TR_NOOP("Command already exists, choose action"));

TFormOverwriteNewCommand::TFormOverwriteNewCommand(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOverwriteNewCommand"));
    setWindowTitle(tr("Warning"));

    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto *text = new QLabel(tr(Text.toUtf8().constData()), this);
    text->setObjectName(QStringLiteral("LabelText"));

    const auto button = [this](const QString &caption, const QString &name, const QString &hint,
                               int result) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(hint);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        return b;
    };
    QPushButton *overwrite = button(tr("&Overwrite"), QStringLiteral("ButtonOverwrite"),
                                    tr("Overwrite command name"), Overwrite);
    QPushButton *newName = button(tr("&New"), QStringLiteral("ButtonNew"),
                                  tr("New command name"), New);
    QPushButton *cancel = button(tr("&Cancel"), QStringLiteral("ButtonCancel"),
                                 tr("Cancel paste"), Cancel);
    TDialogButtons::SetDefault(this, cancel);
    cancel->setFocus();

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(overwrite);
    buttons->addWidget(newName);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void TFormOverwriteNewCommand::reject()
{
    done(Cancel);
}
