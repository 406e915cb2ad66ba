#include "terminal_window/form_overwrite_new_command.h"

#include "widgets/dialog_buttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

const QString TFormOverwriteNewCommand::Text = QStringLiteral("Command already exists, choose action");

TFormOverwriteNewCommand::TFormOverwriteNewCommand(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOverwriteNewCommand"));
    setWindowTitle(QStringLiteral("Warning"));

    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto *text = new QLabel(Text, this);
    text->setObjectName(QStringLiteral("LabelText"));

    const auto button = [this](const QString &caption, const QString &name, const QString &hint,
                               int result) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(hint);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        return b;
    };
    QPushButton *overwrite = button(QStringLiteral("&Overwrite"), QStringLiteral("ButtonOverwrite"),
                                    QStringLiteral("Overwrite command name"), Overwrite);
    QPushButton *newName = button(QStringLiteral("&New"), QStringLiteral("ButtonNew"),
                                  QStringLiteral("New command name"), New);
    QPushButton *cancel = button(QStringLiteral("&Cancel"), QStringLiteral("ButtonCancel"),
                                 QStringLiteral("Cancel paste"), Cancel);
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
