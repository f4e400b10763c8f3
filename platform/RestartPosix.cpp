// Restarting in place on a POSIX system: exec replaces the running program (see Restart.h).
#include "Restart.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <vector>

namespace tarvell {

void restartProgram(const QStringList& arguments) {
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    std::vector<QByteArray> words{program};
    for (const QString& a : arguments) words.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    // The same process, so the terminal, the desktop's launch and the window position stay.
    ::execv(program.constData(), argv.data());
}

}  // namespace tarvell
