#pragma once

#include "terminal_model/terminal_document.h"

#include <QString>

// A long, repeatable series of command-tree operations on the sample
// terminal file: every operation of the tree, in rounds that leave the file
// as they found it. Step n of two runs does the same to the same file.
class TDocumentSteps
{
public:
    static constexpr int StepsPerRound = 10;

    // Does step number (from 0); the result of the operation.
    TTerminalDocument::TResult Apply(TTerminalDocument &document, int step);

private:
    QString m_duplicate;
};
