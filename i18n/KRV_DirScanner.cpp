#include "i18n/KRV_DirScanner.h"

#include "desktop/LocalText.h"
#include "platform/FileInfo.h"
#include "platform/Path.h"

#include <QDate>

#include <algorithm>

double fileDateToDateTime(std::int32_t packed)
{
    if (packed == -1)
        return 0;
    const auto bits = static_cast<std::uint32_t>(packed);
    const std::uint32_t date = bits >> 16, time = bits & 0xFFFF;
    const QDate day(static_cast<int>(date >> 9) + 1980, static_cast<int>((date >> 5) & 15), static_cast<int>(date & 31));
    const int hour = static_cast<int>(time >> 11), minute = static_cast<int>((time >> 5) & 63),
              second = static_cast<int>(time & 31) * 2;
    if (!day.isValid() || hour > 23 || minute > 59 || second > 59)
        return 0;
    return static_cast<double>(QDate(1899, 12, 30).daysTo(day)) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

TKRVDirScanner::TKRVDirScanner(QObject* owner) : QObject(owner) {}

bool TKRVDirScanner::Scan()
{
    if (!platform::directoryExists(toLocalBytes(Directory)))
        return false;
    if (OnStart)
        OnStart(this);
    FileList_.clear();
    DirList_.clear();
    QString dir = Directory;
    while (!dir.isEmpty() && platform::isPathDelimiter(dir.back().toLatin1()))
        dir.chop(1);
    inside_.clear();
    ScanDirectory(dir);
    if (OnGetDirList)
        OnGetDirList(this, DirList_);
    if (OnGetFileList)
        OnGetFileList(this, FileList_);
    if (OnFinish)
        OnFinish(this);
    return true;
}

TFileDirInfo TKRVDirScanner::infoOf(const QString& Dir, const platform::DirEntry& entry) const
{
    TFileDirInfo info;
    info.FullName = Dir + QLatin1Char(platform::PathDelimiter) + fromLocalBytes(entry.name);
    const std::string path = toLocalBytes(info.FullName);
    info.DateTime = fileDateToDateTime(platform::fileDosDate(path));
    info.Size = static_cast<std::int32_t>(static_cast<std::uint32_t>(entry.size & 0xFFFFFFFFu));
    const std::int32_t attributes = platform::fileAttributes(path);
    if (attributes != -1) {
        info.ReadOnly = attributes & 0x01;
        info.Archive = attributes & 0x20;
    }
    info.Hidden = entry.hidden;
    info.SysFile = entry.system;
    return info;
}

void TKRVDirScanner::ScanDirectory(const QString& Dir)
{
    // The root folder comes without its delimiter, as an empty path.
    const std::string path = Dir.isEmpty() ? std::string(1, platform::PathDelimiter) : toLocalBytes(Dir);
    platform::DirIdentity self;
    const bool known = platform::directoryIdentity(path, self);
    if (known)
        inside_.push_back(self);

    platform::DirEntry entry;
    for (platform::DirReader files(path); files.next(entry);) {
        if (entry.isDirectory)
            continue;
        TFileDirInfo info = infoOf(Dir, entry);
        if (OnFileFind)
            OnFileFind(this, info);
        FileList_.append(info);
    }
    for (platform::DirReader dirs(path); dirs.next(entry);) {
        if (!entry.isDirectory || entry.hidden || entry.system)
            continue;
        TFileDirInfo info = infoOf(Dir, entry);
        if (OnDirFind)
            OnDirFind(this, info);
        DirList_.append(info);
        const bool loop = std::find(inside_.begin(), inside_.end(), entry.identity) != inside_.end();
        if (Recursive && !loop)
            ScanDirectory(info.FullName);
    }

    if (known)
        inside_.pop_back();
}
