// Saving text and pictures a user exports: the save dialog, then writing through a
// temporary file so a failed write never harms a file already there.
#pragma once

#include <QString>
#include <string>

class QByteArray;
class QWidget;

namespace tarvell {

class ProgramContext;

// Asks for a file name (filter e.g. "CSV File (*.csv)", default suffix "csv") and writes the
// bytes there. Returns the chosen path, or an empty string when the user cancelled or the
// write failed (the failure is shown through the program's error message).
QString saveExport(ProgramContext& context, QWidget* parent, const QString& title,
                   const QString& suggestedName, const QString& filter, const QString& suffix,
                   const QByteArray& bytes);

// Writes the bytes to `path` through the program's one safe writer (SafeWrite.h, which the
// report tool uses too); returns an empty string or the reason.
QString writeFileSafely(const QString& path, const QByteArray& bytes);

}  // namespace tarvell
