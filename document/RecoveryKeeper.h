// Keeps the unsaved design safe from a crash: a few seconds after each change the working
// design is written, through the safe writer, to this copy's recovery file in the user's data
// folder; saving or a clean exit removes it. Each running copy of the program holds its own
// numbered recovery file under a lock, so copies never write or remove each other's. At the
// next start every recovery file whose copy is gone (it was killed, the machine lost power)
// is offered back; one that cannot be read is reported and set aside, never loaded in part.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "DesignSnapshot.h"
#include "RecoveryFile.h"

class QLockFile;

namespace tarvell {

class DataFileCommands;
class ProgramContext;

class RecoveryKeeper : public QObject {
    Q_OBJECT

  public:
    RecoveryKeeper(ProgramContext& context, DataFileCommands& files);
    ~RecoveryKeeper() override;

    // The folder of the recovery files: the user's data folder.
    static QString recoveryFolder();
    // This copy's recovery file, "recovery-N.tvr"; empty when the folder cannot be written.
    const QString& recoveryPath() const { return path_; }

    // Starts watching the design (every couple of seconds).
    void start();
    // Writes the design now when it has changed since the last write; removes the file when
    // nothing is unsaved. The watch does this by itself. A write that fails is said once in
    // the status line and tried again at the next watch.
    void check();
    // Removes this copy's recovery file (the design was saved, or the user left without it).
    void discard();
    // Lets go of the recovery file without removing it, as a copy that is killed does.
    void abandon();

    // At start-up: offers the recovery files left by copies that are gone, newest first,
    // until one is restored. Returns true when the design was restored from one.
    bool offerRecovery();

    // A design handed from one run of the program to the next (a restart for a new interface
    // size): the design with its name, file and whether it is saved. writeCarryOver makes a
    // new file of the program's own for it and gives its path; takeCarryOver takes only such a
    // file, and removes it once taken. Each returns an empty string or the reason it failed.
    QString writeCarryOver(QString& path);
    QString takeCarryOver(const QString& path);

    // Seam for tests: asks whether to restore the design described by `question`.
    std::function<bool(const QString& question)> askRestore;

  private:
    bool askUser(const QString& question);
    RecoveryHeader headerNow() const;
    // Puts a checked design into the model as the recovery file or a carry-over gives it.
    void restore(const RecoveryHeader& header, const DataSet& design);
    // Claims the first free numbered recovery file; false when the folder cannot be written.
    bool claimSlot();
    // Offers one recovery file left behind: restored (true), declined and removed, or
    // reported and set aside when it cannot be read.
    bool offer(const QString& file);
    void setAside(const QString& file, const QString& reason);
    void sayUnprotected(const QString& reason);

    ProgramContext& context_;
    DataFileCommands& files_;
    QTimer watch_;
    std::unique_ptr<QLockFile> lock_;
    QString path_;
    QString slotError_;                      // why no recovery file could be claimed
    std::optional<DesignSnapshot> written_;  // the design the file holds now
    bool unprotectedSaid_ = false;
};

}  // namespace tarvell
