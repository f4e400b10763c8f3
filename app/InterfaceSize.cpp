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
    const QStringList valued{"--interface-size",   "--carry-over",  "--export-sheet",
                             "--export-animation", "--reverse-arm", "--step"};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
            continue;
        }
        if (a == "--version") {
            out.version = true;
            continue;
        }
        const QString name = a.section('=', 0, 0);
        if (!valued.contains(name)) {
            out.rest << a;
            continue;
        }
        QString value;
        if (a.contains('=')) {
            value = a.section('=', 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            out.error = a + " needs a value";
            return out;
        }
        if (value.isEmpty() && name != "--carry-over") {
            out.error = name + " needs a value";
            return out;
        }
        if (name == "--carry-over") {
            out.carryOver = value;
        } else if (name == "--export-sheet") {
            out.exportSheet = value;
        } else if (name == "--export-animation") {
            out.exportAnimation = value;
        } else if (name == "--reverse-arm") {
            out.reverseArm = value;
        } else if (name == "--step") {
            bool ok = false;
            const double step = value.toDouble(&ok);
            if (!ok || !(step > 0 && step <= 90)) {
                out.error = "--step takes degrees above 0 and at most 90, not \"" + value + "\"";
                return out;
            }
            out.step = step;
        } else if (const auto size = parseInterfaceSize(value)) {
            out.interfaceSize = size;
        } else {
            out.error = "--interface-size takes 100, 125, 150, 175 or 200 (per cent), not \"" +
                        value + "\"";
            return out;
        }
    }
    if (!out.exportSheet.isEmpty() && !out.exportAnimation.isEmpty()) {
        out.error = "--export-sheet and --export-animation are made by separate runs";
    } else if ((!out.reverseArm.isEmpty() || out.step) && out.exportAnimation.isEmpty()) {
        out.error = "--reverse-arm and --step go with --export-animation";
    } else if (out.exports()) {
        // Without a window nothing can ask what a stray word meant.
        for (const QString& word : out.rest)
            if (word.startsWith('-')) {
                out.error = "unknown option \"" + word + "\"";
                return out;
            }
        if (out.rest.size() > 1) out.error = "an export reads one data file at most";
    }
    return out;
}

QString startUsage() {
    return "Usage: tarvell [--interface-size PERCENT] [FILE.dtv]\n"
           "       tarvell --export-sheet OUT.pdf [FILE.dtv]\n"
           "       tarvell --export-animation OUT.webp [--reverse-arm POS] [--step DEG] "
           "[FILE.dtv]\n"
           "\n"
           "The Tarvell valve gear simulator: opens the data file FILE.dtv, or the default\n"
           "dimension set when none is named.\n"
           "\n"
           "  --interface-size PERCENT  draw every window at 100, 125, 150, 175 or 200 per\n"
           "                            cent for this run (SetUp, Interface Size keeps one)\n"
           "  --export-sheet OUT.pdf    write the design sheet (dimensions, valve events,\n"
           "                            mechanism and diagrams) as a PDF, without a window\n"
           "  --export-animation OUT.webp\n"
           "                            write one turn of the mechanism as an animated WebP,\n"
           "                            without a window\n"
           "  --reverse-arm POS         the animation's reverse arm position: a number, mid,\n"
           "                            fwd or rev (default fwd, the normal forward position)\n"
           "  --step DEG                degrees between the animation's frames, above 0 and\n"
           "                            at most 90 (default: the main window's step, 10)\n"
           "  --version                 show the program's version\n"
           "  --help                    show this text\n"
           "\n"
           "An export exits with 0 when the file is written, 1 when the data file cannot be\n"
           "used or the file cannot be written (an existing file is then left as it was), and\n"
           "2 for a bad option.\n"
           "\n"
           "The report tool, tarvell-report, prints the gear's motion and events as CSV.\n";
}

}  // namespace tarvell
