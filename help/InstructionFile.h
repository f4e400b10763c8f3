// Reading an instruction text for the help windows: the named file in the working directory,
// or else beside the executable. A failure gives the message the user sees at start-up.
#pragma once

#include <QString>

namespace tarvell {

struct InstructionText {
    bool loaded = false;
    QString text;   // the file's text, line ends as "\n"
    QString error;  // "Error Loading <name>: <the platform's reason>" when not loaded
};

// Files beyond this size are refused rather than read into a memo.
inline constexpr qint64 kMostInstructionBytes = 4 * 1024 * 1024;

InstructionText loadInstructionText(const QString& fileName);

}  // namespace tarvell
