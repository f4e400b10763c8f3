// The interface size: how large every window is drawn, 100 to 200 per cent, as a whole
// (controls, texts and drawings together, at the screen's resolution). Qt scales the program
// by a factor set before it starts, so a new size chosen from the menu takes a restart; the
// specified pixel positions stay the windows' coordinates. The choice is kept with QSettings;
// a first start picks the largest size at which the main window fits the screen, looking at
// the screen before the program's application starts, so it needs no restart.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace tarvell {

inline constexpr std::array<int, 5> kInterfaceSizes{100, 125, 150, 175, 200};

// "150" or "150%" as one of the sizes offered; nothing otherwise.
std::optional<int> parseInterfaceSize(const QString& text);

// The largest size at which a window of `windowAt100` (its whole frame at 100 %) fits within
// 90 % of the screen's available area.
int fittingInterfaceSize(QSize available, QSize windowAt100);

// The size kept from an earlier run: none, one of the sizes, or a value that is none of them
// (`invalid` holds its text then).
struct StoredInterfaceSize {
    std::optional<int> percent;
    QString invalid;
};
StoredInterfaceSize storedInterfaceSize();
// Keeps the size for later starts; returns an empty string, or why it could not be kept.
QString storeInterfaceSize(int percent);

// The size this run is drawn at: the one asked for on the command line, else the one kept from
// before, else (a first start, or a kept value that is no size) what `lookAtScreen` finds,
// which is then kept. Nothing here restarts the program. `notes` says what the user should
// know: a kept value that was no size, or a choice that could not be kept.
struct ChosenInterfaceSize {
    int percent = 100;
    QStringList notes;
};
ChosenInterfaceSize chooseInterfaceSize(std::optional<int> asked,
                                        const std::function<int()>& lookAtScreen);

// The program's own options, taken out of its arguments: "--interface-size PERCENT" (for this
// run only), "--help", "--version", "--carry-over PATH" (a design handed over by a run that
// restarted itself; not for users, so not in the help), and the exports made without a window:
// "--export-sheet OUT.pdf", or "--export-animation OUT.webp" with "--reverse-arm POS" and
// "--step DEG" (above 0, at most 90).
struct StartOptions {
    std::optional<int> interfaceSize;
    QString carryOver;
    QString exportSheet;
    QString exportAnimation;
    QString reverseArm;  // as given: a number, mid, fwd or rev; checked once the design is read
    std::optional<double> step;
    bool exports() const { return !exportSheet.isEmpty() || !exportAnimation.isEmpty(); }
    bool help = false;
    bool version = false;
    QStringList rest;  // what the options leave, e.g. a data file to open
    QString error;     // a bad option, said in one sentence
};
StartOptions parseStartOptions(const QStringList& arguments);

// What "tarvell --help" prints.
QString startUsage();

}  // namespace tarvell
