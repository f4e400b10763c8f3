// Finding the program's files (see Assets.h).
#include "Assets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tarvell {

QString locateAsset(const QString& name) {
    const QFileInfo here(QDir::current(), name);
    if (here.isFile()) return here.absoluteFilePath();
    if (QCoreApplication::instance()) {
        const QDir bin(QCoreApplication::applicationDirPath());
        const QFileInfo beside(bin, name);
        if (beside.isFile()) return beside.absoluteFilePath();
        // Installed: the executable in bin/, its files in share/tarvell/.
        const QFileInfo installed(bin.filePath("../share/tarvell/" + name));
        if (installed.isFile()) return installed.absoluteFilePath();
    }
    return {};
}

}  // namespace tarvell
