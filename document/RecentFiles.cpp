// The recent files (see RecentFiles.h).
#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tarvell {
namespace {

const QString kFilesKey = "files/recent";
const QString kFolderKey = "files/lastFolder";

QString canonical(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentFiles::RecentFiles() {
    for (const QString& f : QSettings().value(kFilesKey).toStringList())
        if (!f.isEmpty() && !files_.contains(f) && files_.size() < kMost) files_.append(f);
}

void RecentFiles::add(const QString& path) {
    const QString f = canonical(path);
    files_.removeAll(f);
    files_.prepend(f);
    while (files_.size() > kMost) files_.removeLast();
    store();
}

void RecentFiles::remove(const QString& path) {
    if (files_.removeAll(canonical(path)) + files_.removeAll(path) > 0) store();
}

QString RecentFiles::lastFolder() const {
    return QSettings().value(kFolderKey).toString();
}

void RecentFiles::setLastFolder(const QString& folder) {
    QSettings().setValue(kFolderKey, folder);
}

void RecentFiles::store() {
    QSettings().setValue(kFilesKey, files_);
    emit changed();
}

}  // namespace tarvell
