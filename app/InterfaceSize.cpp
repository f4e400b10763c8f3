// The interface size (see InterfaceSize.h).
#include "InterfaceSize.h"

#include <QDir>
#include <QSettings>
#include <algorithm>

namespace tarvell {
namespace {

const QString kSizeKey = "interface/size";
constexpr double kShareOfScreen = 0.9;

}  // namespace

std::optional<int> parseInterfaceSize(const QString& text) {
    QString t = text.trimmed();
    if (t.endsWith('%')) t.chop(1);
    bool ok = false;
    const int percent = t.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    if (std::find(kInterfaceSizes.begin(), kInterfaceSizes.end(), percent) == kInterfaceSizes.end())
        return std::nullopt;
    return percent;
}

int fittingInterfaceSize(QSize available, QSize windowAt100) {
    int best = kInterfaceSizes.front();
    for (int percent : kInterfaceSizes) {
        const double f = percent / 100.0;
        if (windowAt100.height() * f <= kShareOfScreen * available.height() &&
            windowAt100.width() * f <= kShareOfScreen * available.width())
            best = percent;
    }
    return best;
}

StoredInterfaceSize storedInterfaceSize() {
    StoredInterfaceSize stored;
    const QVariant v = QSettings().value(kSizeKey);
    if (!v.isValid()) return stored;
    stored.percent = parseInterfaceSize(v.toString());
    if (!stored.percent) stored.invalid = v.toString();
    return stored;
}

QString storeInterfaceSize(int percent) {
    QSettings settings;
    settings.setValue(kSizeKey, percent);
    settings.sync();
    if (settings.status() == QSettings::NoError) return {};
    return "the settings file " + QDir::toNativeSeparators(settings.fileName()) +
           " cannot be written";
}

ChosenInterfaceSize chooseInterfaceSize(std::optional<int> asked,
                                        const std::function<int()>& lookAtScreen) {
    ChosenInterfaceSize chosen;
    if (asked) {
        chosen.percent = *asked;
        return chosen;
    }
    const StoredInterfaceSize stored = storedInterfaceSize();
    if (stored.percent) {
        chosen.percent = *stored.percent;
        return chosen;
    }
    if (!stored.invalid.isEmpty())
        chosen.notes << "The interface size kept from before, \"" + stored.invalid +
                            "\", is not one the program offers; it was chosen afresh.";
    chosen.percent = lookAtScreen();
    if (const QString error = storeInterfaceSize(chosen.percent); !error.isEmpty())
        chosen.notes << "The interface size cannot be kept for later starts: " + error + ".";
    return chosen;
}

StartOptions parseStartOptions(const QStringList& arguments) {
    StartOptions out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString value;
        if (a == "--help" || a == "-h") {
            out.help = true;
            continue;
        }
        if (a == "--version") {
            out.version = true;
            continue;
        }
        const bool sizeOption = a == "--interface-size" || a.startsWith("--interface-size=");
        const bool carryOption = a == "--carry-over";
        if (!sizeOption && !carryOption) {
            out.rest << a;
            continue;
        }
        if (a.contains('=')) {
            value = a.section('=', 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            out.error = a + " needs a value";
            return out;
        }
        if (carryOption) {
            out.carryOver = value;
        } else if (const auto size = parseInterfaceSize(value)) {
            out.interfaceSize = size;
        } else {
            out.error = "--interface-size takes 100, 125, 150, 175 or 200 (per cent), not \"" +
                        value + "\"";
            return out;
        }
    }
    return out;
}

QString startUsage() {
    return "Usage: tarvell [--interface-size PERCENT] [FILE.dtv]\n"
           "\n"
           "The Tarvell valve gear simulator: opens the data file FILE.dtv, or the default\n"
           "dimension set when none is named.\n"
           "\n"
           "  --interface-size PERCENT  draw every window at 100, 125, 150, 175 or 200 per\n"
           "                            cent for this run (SetUp, Interface Size keeps one)\n"
           "  --version                 show the program's version\n"
           "  --help                    show this text\n"
           "\n"
           "The report tool, tarvell-report, prints the gear's motion and events as CSV.\n";
}

}  // namespace tarvell
