#pragma once

#include "widgets/scripted_prompts.h"

#include <QByteArray>
#include <QComboBox>
#include <QDialog>
#include <QQueue>
#include <QString>

#include <functional>

class TFieldTypeComboBox;

// Prompts whose dialogs are driven by the test: each dialog the editor
// runs is handed to the next script, which works its widgets and returns
// the result. No script left: the user cancels.
class TDialogScript : public TScriptedPrompts
{
public:
    using TScript = std::function<int(QDialog *)>;

    int Exec(QDialog *dialog) override;

    QQueue<TScript> Scripts;
};

namespace EditorTest {

void WriteFile(const QString &path, const QByteArray &data);
QByteArray ReadFile(const QString &path);

template <typename T>
T *Child(const QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// The user picks an item of a list.
void Choose(QComboBox *list, int index);
void Choose(QComboBox *list, const QString &text);
// The user replaces the text of a typed box by typing.
void Type(TFieldTypeComboBox *box, const QString &text);
// The user clicks a button of the dialog; the script returns its result.
int Click(QDialog *dialog, const char *button);

} // namespace EditorTest
