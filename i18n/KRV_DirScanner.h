#pragma once
// TKRVDirScanner: a reusable component that lists the files and subdirectories of a
// directory (and, if asked, of all its subdirectories, depth first) and tells its owner about
// each one through optional events.
#include <QObject>
#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/DirReader.h"

// One file or directory found by the scanner.
struct TFileDirInfo {
    // Last-write time in local time as a day count from 1899-12-30 (the fraction is the time
    // of day), at the two-second resolution of a packed file date; 0 when unknown.
    double DateTime = 0;
    std::int32_t Size = 0; // the low 32 bits of the size in bytes
    bool ReadOnly = false;
    bool Hidden = false;
    bool SysFile = false;
    bool Archive = false;
    QString FullName; // the scanned directory, a path delimiter, the entry's name
};

using TFileDirInfoArray = QVector<TFileDirInfo>;

class TKRVDirScanner;
// `Info` comes as a copy: what a handler changes in it does not reach the lists.
using TFindEvent = std::function<void(TKRVDirScanner* Sender, TFileDirInfo Info)>;
using TListEvent = std::function<void(TKRVDirScanner* Sender, const TFileDirInfoArray& List)>;
using TNotifyEvent = std::function<void(TKRVDirScanner* Sender)>;

class TKRVDirScanner : public QObject {
    Q_OBJECT
public:
    explicit TKRVDirScanner(QObject* owner = nullptr);

    bool Recursive = false;
    QString Directory; // a trailing path delimiter is allowed

    TFindEvent OnFileFind;     // each file, before it joins the file list
    TFindEvent OnDirFind;      // each subdirectory, before it joins the directory list
    TListEvent OnGetDirList;   // once after the scan, with the whole directory list
    TListEvent OnGetFileList;  // once after the scan, with the whole file list
    TNotifyEvent OnStart;
    TNotifyEvent OnFinish;

    // False when Directory names no existing directory: then no event fires and the lists of
    // the previous scan stay. Otherwise scans, fires the events and returns true.
    bool Scan();
    // The recursive step: first the files of `Dir` (hidden and system ones included), then
    // its subdirectories, neither hidden nor system ones, each entered at once when
    // Recursive. `Dir` has no trailing delimiter. A directory that the scan is already inside
    // (reached again through a link) is listed but not entered again.
    void ScanDirectory(const QString& Dir);

    const TFileDirInfoArray& FileList() const { return FileList_; }
    const TFileDirInfoArray& DirList() const { return DirList_; }

private:
    TFileDirInfo infoOf(const QString& Dir, const platform::DirEntry& entry) const;

    TFileDirInfoArray FileList_;
    TFileDirInfoArray DirList_;
    std::vector<platform::DirIdentity> inside_; // the directories the scan is in now
};

// A packed file date (date in the high 16 bits, time in the low) as a day count from
// 1899-12-30; 0 for -1 or an impossible date.
double fileDateToDateTime(std::int32_t packed);
