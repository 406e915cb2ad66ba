#pragma once

#include <QChar>
#include <QString>

class QWidget;

// Accessible names and descriptions drawn from what the user sees: a control
// is named after its caption without the '&' of its mnemonic and described by
// its hint, read when the window is built, so a translated caption names the
// control in the same language.
namespace AccessibleText {

// "&Host port" gives "Host port"; "&&" stands for one '&'.
QString StripMnemonic(const QString &caption);
// The letter after a single '&', upper case; a null character without one.
QChar Mnemonic(const QString &caption);
// Names the control after the caption and describes it by the description;
// an empty description leaves the one it has.
void Describe(QWidget *control, const QString &caption, const QString &description = QString());
// Names every input, list and grid inside `root` that has no name yet after
// its buddy label, or else after the title of the group box it sits in, and
// describes each by its tool tip.
void DescribeInputs(QWidget *root);

} // namespace AccessibleText
