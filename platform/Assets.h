// Finding the program's files (wave files, instruction texts): the working directory
// first, then the folder of the executable, so the program works from any directory, and
// for an installed program the share/tarvell folder beside its bin folder.
#pragma once

#include <QString>

namespace tarvell {

// The path of the named file, or an empty string when it is in neither place.
QString locateAsset(const QString& name);

}  // namespace tarvell
