// The recovery files kept while the design is unsaved (see RecoveryKeeper.h).
#include "RecoveryKeeper.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "DataFile.h"
#include "DataFileCommands.h"
#include "FileAccess.h"
#include "ProgramContext.h"
#include "SaveText.h"

namespace tarvell {
namespace {

constexpr int kWatchMs = 2000;
// More copies than this running at once share no recovery file; the last is unprotected.
constexpr int kMostCopies = 32;
// The file an earlier version kept, one for every copy; still offered when found.
const QString kSingleFileName = "recovery.tvr";
const QString kCarryOverTemplate = "tarvell-carry-over-XXXXXX.tvr";

QString slotFileName(int n, const char* suffix) {
    return QString("recovery-%1.%2").arg(n).arg(suffix);
}

// The slot number of "recovery-N.tvr", or 0 for any other name.
int slotOf(const QString& fileName) {
    static const QRegularExpression pattern("^recovery-([0-9]+)\\.tvr$");
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QByteArray asBytes(const std::vector<unsigned char>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

// A lock on a numbered recovery file; a lock left by a copy that is gone is taken over, one
// held by a running copy never (however long it has run).
std::unique_ptr<QLockFile> lockSlot(const QDir& folder, int n) {
    auto lock = std::make_unique<QLockFile>(folder.filePath(slotFileName(n, "lock")));
    lock->setStaleLockTime(0);
    return lock;
}

// What a recovery file's reader makes of it: the header and design, or the reason not.
DecodedRecoveryFile readRecoveryFile(const QString& path) {
    const FileBytes read = readRegularFile(localPath(path), kLongestRecoveryFile);
    if (!read.ok()) {
        DecodedRecoveryFile failed;
        failed.reason = read.reason;
        return failed;
    }
    if (read.longer) {
        DecodedRecoveryFile failed;
        failed.reason = "it is longer than any recovery file this program writes.";
        return failed;
    }
    return decodeRecoveryFile(read.bytes);
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(ProgramContext& context, DataFileCommands& files)
    : context_(context), files_(files) {
    askRestore = [this](const QString& question) { return askUser(question); };
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, [this] { check(); });
    connect(&files_, &DataFileCommands::saved, this, [this] { discard(); });
    claimSlot();
}

RecoveryKeeper::~RecoveryKeeper() = default;

QString RecoveryKeeper::recoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool RecoveryKeeper::claimSlot() {
    const QString folder = recoveryFolder();
    if (!QDir().mkpath(folder)) {
        slotError_ = "the folder " + QDir::toNativeSeparators(folder) + " cannot be made.";
        return false;
    }
    for (int n = 1; n <= kMostCopies; ++n) {
        // A file left by a copy that is gone waits to be offered; this copy starts afresh.
        if (QFileInfo::exists(QDir(folder).filePath(slotFileName(n, "tvr")))) continue;
        std::unique_ptr<QLockFile> lock = lockSlot(QDir(folder), n);
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            path_ = QDir(folder).filePath(slotFileName(n, "tvr"));
            return true;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            slotError_ =
                "the folder " + QDir::toNativeSeparators(folder) + " cannot be written to.";
            return false;
        }
    }
    slotError_ = QString("more than %1 copies of the program are running.").arg(kMostCopies);
    return false;
}

void RecoveryKeeper::start() {
    watch_.start();
}

void RecoveryKeeper::sayUnprotected(const QString& reason) {
    if (unprotectedSaid_) return;
    unprotectedSaid_ = true;
    context_.note("unsaved changes are not protected: " + reason + " Save the design to keep it.");
}

void RecoveryKeeper::check() {
    if (!context_.designModified()) {
        if (written_) discard();
        return;
    }
    const DesignSnapshot now = designSnapshot(context_.model());
    if (written_ && *written_ == now) return;
    if (path_.isEmpty()) {
        sayUnprotected("no recovery file can be kept, because " + slotError_);
        return;
    }
    const std::vector<unsigned char> bytes = encodeRecoveryFile(headerNow(), context_.model());
    const QString error = writeFileSafely(path_, asBytes(bytes));
    if (!error.isEmpty()) {
        // Tried again at the next watch; said once.
        sayUnprotected("the recovery file " + QDir::toNativeSeparators(path_) +
                       " cannot be written (" + error + ").");
        return;
    }
    written_ = now;
    unprotectedSaid_ = false;
}

RecoveryHeader RecoveryKeeper::headerNow() const {
    RecoveryHeader header;
    header.dataSetName = context_.model().DataSetName;
    header.sourcePath = files_.currentPath().toStdString();
    header.writtenAt = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss").toStdString();
    header.unsaved = context_.designModified();
    return header;
}

QString RecoveryKeeper::writeCarryOver(QString& path) {
    // A new file of our own, made so that nothing another user put in the temporary folder is
    // written through.
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(kCarryOverTemplate));
    file.setAutoRemove(false);
    if (!file.open()) return file.errorString();
    path = file.fileName();
    file.close();
    const std::vector<unsigned char> bytes = encodeRecoveryFile(headerNow(), context_.model());
    const QString error = writeFileSafely(path, asBytes(bytes));
    if (!error.isEmpty()) removeRegularFile(localPath(path));
    return error;
}

QString RecoveryKeeper::takeCarryOver(const QString& path) {
    // Only a file this program made for the purpose is taken, and only such a one removed: a
    // design named here by mistake stays as it is.
    const QFileInfo info(path);
    static const QRegularExpression name(
        "^" + QRegularExpression::escape(kCarryOverTemplate).replace("XXXXXX", "[A-Za-z0-9]+") +
        "$");
    const bool ours = name.match(info.fileName()).hasMatch() &&
                      info.absoluteDir().canonicalPath() == QDir(QDir::tempPath()).canonicalPath();
    if (!ours)
        return QDir::toNativeSeparators(path) +
               " is not a file the program hands over between runs, so it was left alone.";
    const DecodedRecoveryFile decoded = readRecoveryFile(path);
    if (!decoded.dataSet)
        return QDir::toNativeSeparators(path) + ": " + QString::fromStdString(decoded.reason);
    restore(*decoded.header, *decoded.dataSet);
    removeRegularFile(localPath(path));
    return {};
}

void RecoveryKeeper::restore(const RecoveryHeader& h, const DataSet& design) {
    context_.replaceDesign(design, h.dataSetName);
    files_.setCurrentPath(QString::fromStdString(h.sourcePath));
    if (h.unsaved) {
        context_.markDesignUnsaved();
    } else {
        context_.markDesignSaved();
        discard();  // nothing unsaved: a recovery file from before is out of date
    }
    written_.reset();
}

void RecoveryKeeper::discard() {
    if (!path_.isEmpty()) removeRegularFile(localPath(path_));
    written_.reset();
}

void RecoveryKeeper::abandon() {
    watch_.stop();
    lock_.reset();
    path_.clear();
    slotError_ = "the program is ending.";
    written_.reset();
}

bool RecoveryKeeper::askUser(const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                    QMessageBox::Yes | QMessageBox::No, context_.messageParent());
    box.setObjectName("RestoreBox");
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void RecoveryKeeper::setAside(const QString& file, const QString& reason) {
    const QString aside =
        file + "." + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss") + ".damaged";
    // A plain rename: never a copy, which would open what may be a pipe.
    std::error_code ec;
    std::filesystem::rename(localPath(file), localPath(aside), ec);
    const QString what = "A design kept from an earlier run could not be read: " + reason;
    if (!ec) {
        context_.showErrorMessage(what + " It has been set aside as " +
                                  QDir::toNativeSeparators(aside) + ".");
    } else {
        context_.showErrorMessage(what + " It could not be set aside (" +
                                  QString::fromStdString(ec.message()).toLower() +
                                  "), so it stays at " + QDir::toNativeSeparators(file) +
                                  " and is reported again at the next start.");
    }
}

bool RecoveryKeeper::offer(const QString& file) {
    const DecodedRecoveryFile decoded = readRecoveryFile(file);
    if (!decoded.dataSet) {
        setAside(file, QString::fromStdString(decoded.reason));
        return false;
    }
    const RecoveryHeader& h = *decoded.header;
    const QString question = "The design \"" + QString::fromStdString(h.dataSetName) +
                             "\" was not saved when the program last ended (kept at " +
                             QString::fromStdString(h.writtenAt) + "). Restore it?";
    if (!askRestore(question)) {
        removeRegularFile(localPath(file));
        return false;
    }
    restore(h, *decoded.dataSet);
    if (file == path_) {
        written_ = designSnapshot(context_.model());  // the file holds it already
    } else if (context_.designModified()) {
        // The design moves into this copy's own file; the old one goes once that is written.
        check();
        if (written_) removeRegularFile(localPath(file));
    } else {
        removeRegularFile(localPath(file));
    }
    return true;
}

bool RecoveryKeeper::offerRecovery() {
    const QDir folder(recoveryFolder());
    // Pipes and devices are listed too, to be set aside rather than opened.
    const QFileInfoList found =
        folder.entryInfoList({"recovery*.tvr"}, QDir::Files | QDir::System, QDir::Time);
    int left = 0;
    bool restored = false;
    for (const QFileInfo& info : found) {
        const QString file = info.absoluteFilePath();
        const int slot = slotOf(info.fileName());
        if (slot == 0 && info.fileName() != kSingleFileName) continue;
        // Another copy's file is left behind only when that copy is gone: its lock is free.
        std::unique_ptr<QLockFile> lock;
        if (slot != 0 && file != path_) {
            lock = lockSlot(folder, slot);
            if (!lock->tryLock(0)) continue;
        }
        if (restored) {
            ++left;
            continue;
        }
        restored = offer(file);
    }
    if (left > 0)
        context_.note(left == 1 ? "Another design left unsaved by an earlier run is kept; it is "
                                  "offered at the next start."
                                : QString("%1 more designs left unsaved by earlier runs are "
                                          "kept; they are offered at the next starts.")
                                      .arg(left));
    return restored;
}

}  // namespace tarvell
