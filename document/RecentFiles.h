// The recently opened and saved data files, newest first, kept with QSettings between runs,
// and the folder a file dialog last used.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace tarvell {

class RecentFiles : public QObject {
    Q_OBJECT

  public:
    static constexpr int kMost = 8;

    RecentFiles();

    QStringList files() const { return files_; }
    // `path` goes to the top (once); the list keeps the newest kMost.
    void add(const QString& path);
    void remove(const QString& path);

    QString lastFolder() const;
    void setLastFolder(const QString& folder);

  signals:
    void changed();

  private:
    void store();

    QStringList files_;
};

}  // namespace tarvell
