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
        const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()), name);
        if (beside.isFile()) return beside.absoluteFilePath();
    }
    return {};
}

}  // namespace tarvell
