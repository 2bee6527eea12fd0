#pragma once
// What a file on disk was when the program last read or wrote it, so that a
// save can tell whether another program changed the file since: its identity,
// size and modification time (to the nanosecond). A save through a temporary
// file (ours or another program's) gives the name a new identity.

#include <QString>

namespace miravel::common {

class FileStamp {
public:
    // Remembers `path` as it is now ("" forgets).
    void remember(const QString& path);
    bool isOf(const QString& path) const { return key(path) == m_path; }
    // True when `path` is the remembered file and it exists, but not as it
    // was remembered.
    bool changedOnDisk(const QString& path) const;

private:
    struct Status {
        bool exists = false;
        quint64 device = 0, inode = 0;
        qint64 size = 0, seconds = 0, nanoseconds = 0;
        bool operator==(const Status& o) const;
    };
    static Status statusOf(const QString& path);
    static QString key(const QString& path);

    QString m_path;
    Status m_status;
};

// The question before saving over a file that changed on disk: Yes saves.
QString changedOnDiskQuestion(const QString& path);

} // namespace miravel::common
