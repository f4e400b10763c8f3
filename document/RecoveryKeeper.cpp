// The recovery file kept while the design is unsaved (see RecoveryKeeper.h).
#include "RecoveryKeeper.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "DataFile.h"
#include "DataFileCommands.h"
#include "ProgramContext.h"
#include "SaveText.h"

namespace tarvell {
namespace {

constexpr int kWatchMs = 2000;

}  // namespace

RecoveryKeeper::RecoveryKeeper(ProgramContext& context, DataFileCommands& files)
    : context_(context), files_(files) {
    askRestore = [this](const QString& question) { return askUser(question); };
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, [this] { check(); });
    connect(&files_, &DataFileCommands::saved, this, [this] { discard(); });
}

QString RecoveryKeeper::recoveryPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath("recovery.tvr");
}

void RecoveryKeeper::start() {
    watch_.start();
}

void RecoveryKeeper::check() {
    if (!context_.designModified()) {
        if (written_) discard();
        return;
    }
    const DesignSnapshot now = designSnapshot(context_.model());
    if (written_ && *written_ == now) return;
    const QString path = recoveryPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const std::vector<unsigned char> bytes = encodeRecoveryFile(headerNow(), context_.model());
    // A write that fails is tried again at the next watch; it never troubles the user.
    if (writeFileSafely(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())))
            .isEmpty())
        written_ = now;
}

RecoveryHeader RecoveryKeeper::headerNow() const {
    RecoveryHeader header;
    header.dataSetName = context_.model().DataSetName;
    header.sourcePath = files_.currentPath().toStdString();
    header.writtenAt = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss").toStdString();
    header.unsaved = context_.designModified();
    return header;
}

QString RecoveryKeeper::writeCarryOver(const QString& path) {
    const std::vector<unsigned char> bytes = encodeRecoveryFile(headerNow(), context_.model());
    return writeFileSafely(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size())));
}

QString RecoveryKeeper::takeCarryOver(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    const QByteArray bytes = file.read(64 * 1024);
    file.close();
    QFile::remove(path);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const DecodedRecoveryFile decoded =
        decodeRecoveryFile({data, static_cast<std::size_t>(bytes.size())});
    if (!decoded.dataSet) return QString::fromStdString(decoded.reason);
    restore(*decoded.header, *decoded.dataSet);
    return {};
}

void RecoveryKeeper::restore(const RecoveryHeader& h, const DataSet& design) {
    Model& m = context_.model();
    const ReverseArmBar bar = applyDataSet(m, design);
    m.DataSetName = h.dataSetName;
    files_.setCurrentPath(QString::fromStdString(h.sourcePath));
    emit context_.dataSetLoaded();
    emit context_.reverseArmRangeChanged();
    emit context_.reverseArmMoveRequested(bar.position);
    if (h.unsaved) {
        context_.markDesignUnsaved();
    } else {
        context_.markDesignSaved();
        discard();  // nothing unsaved: a recovery file from before is out of date
    }
    written_.reset();
}

void RecoveryKeeper::discard() {
    QFile::remove(recoveryPath());
    written_.reset();
}

bool RecoveryKeeper::askUser(const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                    QMessageBox::Yes | QMessageBox::No, nullptr);
    box.setObjectName("RestoreBox");
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool RecoveryKeeper::offerRecovery() {
    const QString path = recoveryPath();
    QFile file(path);
    if (!file.exists()) return false;
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(64 * 1024);
    file.close();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const DecodedRecoveryFile decoded =
        decodeRecoveryFile({data, static_cast<std::size_t>(bytes.size())});
    if (!decoded.dataSet) {
        // Kept aside under another name for whoever wants to look at it, never loaded.
        const QString aside =
            path + "." + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss") + ".damaged";
        QFile::rename(path, aside);
        QFile::remove(path);
        context_.showErrorMessage("A design kept from an earlier run could not be read: " +
                                  QString::fromStdString(decoded.reason) +
                                  " It has been set aside as " + QDir::toNativeSeparators(aside) +
                                  ".");
        return false;
    }
    const RecoveryHeader& h = *decoded.header;
    const QString question = "The design \"" + QString::fromStdString(h.dataSetName) +
                             "\" was not saved when the program last ended (kept at " +
                             QString::fromStdString(h.writtenAt) + "). Restore it?";
    if (!askRestore(question)) {
        discard();
        return false;
    }
    restore(h, *decoded.dataSet);
    written_ = designSnapshot(context_.model());  // the file holds it already
    return true;
}

}  // namespace tarvell
