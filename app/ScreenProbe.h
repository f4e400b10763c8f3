// The first start's interface size, chosen by looking at the screen before the program's
// application exists: Qt's scale factor must be set before that application starts, so a
// short-lived one looks at the screen and the window's natural size, and is gone again.
#pragma once

namespace tarvell {

// The largest interface size at which the main window, with its title bar, fits the primary
// screen (see fittingInterfaceSize); 100 when there is no screen to look at.
int interfaceSizeForScreen(int argc, char** argv);

}  // namespace tarvell
