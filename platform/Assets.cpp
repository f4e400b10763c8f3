// Finding the program's files (see Assets.h).
#include "Assets.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tarvell {
namespace {

// The installed data folder, from the folder of the executable (set by the build from the
// install rules' folders).
QDir installedDataFolder(const QDir& programDir) {
    return QDir(programDir.filePath(QStringLiteral(TARVELL_DATA_FROM_BIN)));
}

}  // namespace

QString locateAssetFrom(const QDir& workingDir, const QDir& programDir, const QString& name) {
    for (const QFileInfo& candidate : {QFileInfo(workingDir, name), QFileInfo(programDir, name),
                                       QFileInfo(installedDataFolder(programDir), name)}) {
        if (candidate.isFile()) return candidate.absoluteFilePath();
    }
    return {};
}

QString examplesFolderFrom(const QDir& programDir) {
    const QFileInfo examples(installedDataFolder(programDir), QStringLiteral("examples"));
    return examples.isDir() ? examples.absoluteFilePath() : QString();
}

QString locateAsset(const QString& name) {
    if (!QCoreApplication::instance()) {
        const QFileInfo here(QDir::current(), name);
        return here.isFile() ? here.absoluteFilePath() : QString();
    }
    return locateAssetFrom(QDir::current(), QDir(QCoreApplication::applicationDirPath()), name);
}

QString locateExamplesFolder() {
    if (!QCoreApplication::instance()) return {};
    return examplesFolderFrom(QDir(QCoreApplication::applicationDirPath()));
}

}  // namespace tarvell
