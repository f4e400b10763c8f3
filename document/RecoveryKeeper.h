// Keeps the unsaved design safe from a crash: a few seconds after each change the working
// design is written, through the safe writer, to a recovery file in the user's data folder;
// saving or a clean exit removes it. At the next start a recovery file left behind (the
// program was killed, the machine lost power) is offered back; one that cannot be read is
// reported and set aside, never loaded in part.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

#include "DesignSnapshot.h"
#include "RecoveryFile.h"

namespace tarvell {

class DataFileCommands;
class ProgramContext;

class RecoveryKeeper : public QObject {
    Q_OBJECT

  public:
    RecoveryKeeper(ProgramContext& context, DataFileCommands& files);

    // The recovery file: recovery.tvr in the user's data folder.
    static QString recoveryPath();

    // Starts watching the design (every couple of seconds).
    void start();
    // Writes the design now when it has changed since the last write; removes the file when
    // nothing is unsaved. The watch does this by itself.
    void check();
    // Removes the recovery file (the design was saved, or the user left without it).
    void discard();

    // At start-up: offers a recovery file left behind. Returns true when the design was
    // restored from it.
    bool offerRecovery();

    // A design handed from one run of the program to the next (a restart for a new interface
    // size): the design with its name, file and whether it is saved. Written through the safe
    // writer; each returns an empty string or the reason it failed.
    QString writeCarryOver(const QString& path);
    QString takeCarryOver(const QString& path);

    // Seam for tests: asks whether to restore the design described by `question`.
    std::function<bool(const QString& question)> askRestore;

  private:
    bool askUser(const QString& question);
    RecoveryHeader headerNow() const;
    // Puts a checked design into the model as the recovery file or a carry-over gives it.
    void restore(const RecoveryHeader& header, const DataSet& design);

    ProgramContext& context_;
    DataFileCommands& files_;
    QTimer watch_;
    std::optional<DesignSnapshot> written_;  // the design the file holds now
};

}  // namespace tarvell
