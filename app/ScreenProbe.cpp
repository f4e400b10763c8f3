// Looking at the screen before the program starts (see ScreenProbe.h).
#include "ScreenProbe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyleFactory>
#include <vector>

#include "FrameView.h"
#include "InterfaceSize.h"

namespace tarvell {
namespace {

// What the desktop adds above a window for its title bar, for judging what fits the screen
// before the window has one.
constexpr int kTitleBarAllowance = 30;

}  // namespace

int interfaceSizeForScreen(int argc, char** argv) {
    // The probe takes its own copy of the arguments: QApplication removes the ones it reads.
    std::vector<char*> words(argv, argv + argc);
    int count = argc;
    QApplication probe(count, words.data());
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return kInterfaceSizes.front();
    // The main window at 100 %: the picture, its menu bar and status line, and a title bar.
    QMainWindow window;
    window.menuBar()->addMenu("&File");
    const QSize frame(kClientWidth, kClientHeight + window.menuBar()->sizeHint().height() +
                                        window.statusBar()->sizeHint().height() +
                                        kTitleBarAllowance);
    return fittingInterfaceSize(screen->availableGeometry().size(), frame);
}

}  // namespace tarvell
