// Finding the program's files (wave files, instruction texts, example data files): the working
// directory first, then the folder of the executable, so the program works from any directory
// in a build tree, and for an installed program the share/tarvell folder beside its bin folder.
#pragma once

#include <QDir>
#include <QString>

namespace tarvell {

// The path of the named file, or an empty string when it is in none of the places.
QString locateAsset(const QString& name);

// The folder of the example data files an installed program comes with, or an empty string
// (a build tree has them in the sources' examples/ folder, which the program does not look for).
QString locateExamplesFolder();

// The same searches for a program whose executable is in `programDir`, run in `workingDir`.
QString locateAssetFrom(const QDir& workingDir, const QDir& programDir, const QString& name);
QString examplesFolderFrom(const QDir& programDir);

}  // namespace tarvell
