// The interface size: how large every window is drawn, 100 to 200 per cent, as a whole
// (controls, texts and drawings together, at the screen's resolution). Qt scales the program
// by a factor set before it starts, so a new size takes a restart; the specified pixel
// positions stay the windows' coordinates. The choice is kept with QSettings; a first start
// picks the largest size at which the main window fits the screen.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tarvell {

inline constexpr std::array<int, 5> kInterfaceSizes{100, 125, 150, 175, 200};

// "150" or "150%" as one of the sizes offered; nothing otherwise.
std::optional<int> parseInterfaceSize(const QString& text);

// The largest size at which a window of `windowAt100` (its whole frame at 100 %) fits within
// 90 % of the screen's available area.
int fittingInterfaceSize(QSize available, QSize windowAt100);

// The size kept from an earlier run, if any.
std::optional<int> storedInterfaceSize();
void storeInterfaceSize(int percent);

// The program's own options, taken out of its arguments: "--interface-size PERCENT" (for this
// run only) and "--carry-over PATH" (a design handed over by a run that restarted itself).
struct StartOptions {
    std::optional<int> interfaceSize;
    QString carryOver;
    QStringList rest;  // what the options leave, e.g. a data file to open
    QString error;     // a bad option, said in one sentence
};
StartOptions parseStartOptions(const QStringList& arguments);

}  // namespace tarvell
