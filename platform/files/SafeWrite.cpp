// Writing a whole file through a temporary one (see SafeWrite.h).
#include "SafeWrite.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <csignal>
#include <mutex>

#include "FileAccess.h"

namespace tarvell {
namespace {

// A write past the process's file-size limit raises SIGXFSZ, which ends the process unless
// it is ignored; ignored, the write fails with EFBIG like a full disk, and is reported.
void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
#endif
}

std::string shortWrite(qint64 written, qint64 wanted) {
    return "only " + std::to_string(std::max<qint64>(written, 0)) + " of " +
           std::to_string(wanted) +
           " bytes could be written: the disk may be full, or the file larger than allowed";
}

}  // namespace

std::string writeFileSafely(const std::string& path, std::span<const unsigned char> bytes) {
    if (path.empty()) return "no file name was given";
    switch (pathKind(path)) {
        case PathKind::Folder:
            return "this is a folder, not a file";
        case PathKind::Other:
            return "this is a device or a pipe, not an ordinary file; only ordinary files are "
                   "saved to";
        case PathKind::Missing:
        case PathKind::RegularFile:
            break;
    }
    ignoreFileSizeSignal();
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    file.setDirectWriteFallback(false);  // never write over the old file in place
    // Unbuffered, so that every failure is seen by the write itself: a buffered QSaveFile
    // flushes at commit, where a failed flush goes unnoticed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString().toStdString();
    const auto size = static_cast<qint64>(bytes.size());
    const qint64 written = file.write(reinterpret_cast<const char*>(bytes.data()), size);
    if (written != size) {
        const std::string reason = written < 0 && file.error() != QFileDevice::NoError
                                       ? file.errorString().toStdString()
                                       : shortWrite(written, size);
        file.cancelWriting();
        return reason;
    }
    if (file.size() != size) {
        file.cancelWriting();
        return shortWrite(file.size(), size);
    }
    if (!file.commit()) return file.errorString().toStdString();
    // What now stands at the name must be what was written.
    const FileBytes back = readRegularFile(path, bytes.size());
    if (!back.ok() || back.longer ||
        !std::equal(bytes.begin(), bytes.end(), back.bytes.begin(), back.bytes.end()))
        return "the file was written but does not read back as written";
    return {};
}

}  // namespace tarvell
