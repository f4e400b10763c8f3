// Writing a whole file through a temporary one (see SafeWrite.h).
#include "SafeWrite.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

namespace tarvell {

std::string writeFileSafely(const std::string& path, std::span<const unsigned char> bytes) {
    if (path.empty()) return "no file name was given";
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.commit())
        return file.errorString().toStdString();
    return {};
}

}  // namespace tarvell
