// Reading an instruction text (see InstructionFile.h).
#include "InstructionFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Assets.h"

namespace tarvell {

InstructionText loadInstructionText(const QString& fileName) {
    InstructionText result;
    auto fail = [&](const QString& reason) {
        result.error = "Error Loading " + fileName + ": " + reason;
        return result;
    };
    const QString tooLarge =
        QString("The file is larger than %1 MB").arg(kMostInstructionBytes >> 20);

    QString path = locateAsset(fileName);
    if (path.isEmpty()) {
        // Something that is not a plain file (a folder, a pipe) is refused without opening
        // it: a pipe would wait for a writer. Nothing at all: open it where it was first
        // looked for, so the platform names the reason.
        const QFileInfo here(QDir::current(), fileName);
        if (here.exists()) return fail("Not a plain file");
        path = here.filePath();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    if (file.size() > kMostInstructionBytes) return fail(tooLarge);
    const QByteArray bytes = file.read(kMostInstructionBytes + 1);
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    if (bytes.size() > kMostInstructionBytes) return fail(tooLarge);  // grew while being read

    QString text = QString::fromUtf8(bytes);
    text.replace("\r\n", "\n");  // written on another desktop
    text.replace('\r', '\n');
    result.loaded = true;
    result.text = text;
    return result;
}

}  // namespace tarvell
