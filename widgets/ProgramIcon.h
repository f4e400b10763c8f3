// The program's icon (the same picture as the desktop entry's), for its windows.
#pragma once

#include <QIcon>

namespace tarvell {

QIcon programIcon();

}  // namespace tarvell
