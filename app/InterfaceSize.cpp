// The interface size (see InterfaceSize.h).
#include "InterfaceSize.h"

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

std::optional<int> storedInterfaceSize() {
    const QVariant v = QSettings().value(kSizeKey);
    if (!v.isValid()) return std::nullopt;
    return parseInterfaceSize(v.toString());
}

void storeInterfaceSize(int percent) {
    QSettings settings;
    settings.setValue(kSizeKey, percent);
    settings.sync();
}

StartOptions parseStartOptions(const QStringList& arguments) {
    StartOptions out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString value;
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

}  // namespace tarvell
