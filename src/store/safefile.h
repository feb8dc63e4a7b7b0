#pragma once

#include "store/storestatus.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cerrno>

namespace zz {

// File access with every step checked, so that a failure (a full disk, a
// read-only place, a missing folder) is reported and never leaves a diary file
// half written:
//
// - ReplaceFile writes the complete new content into a temporary file beside
//   the target, checks every write, syncs it, renames it over the target (the
//   target never goes missing, not even for a moment) and syncs the directory.
//   On failure the temporary file is removed and the target is untouched.
//   A symbolic link is followed (the real file is replaced, beside itself, and
//   the link stays); a file with several hard links is written in place, after
//   its new content was saved beside it, so that every name keeps it.
// - AppendToFile writes the bytes with one write, checks it and syncs; on any
//   failure the file is cut back to its old length.
//
// Failures name the file by `displayName` (the name the user knows) and say
// what went wrong in Japanese.

// The whole content of `path`. A missing file is a failure.
StoreStatus ReadWholeFile(const QString &path, QByteArray &bytes);

// `path` holds exactly `contents` afterwards, by way of `tempPath`.
StoreStatus ReplaceFile(const QString &path, const QString &tempPath, QByteArrayView contents);

// How an append treats the file it finds.
enum class AppendMode {
    AsIs,      // created when missing; the bytes go after whatever is there
    OnNewLine, // created when missing; a last line without its line end first gets CR LF
    // As OnNewLine, but a missing file is a failure (it was deleted or moved
    // while the program ran) and nothing is created.
    ExistingOnNewLine,
};

// Adds `bytes` at the end of `path`.
StoreStatus AppendToFile(const QString &path, QByteArrayView bytes, AppendMode mode);

// Cuts `path` to `length` bytes and syncs it.
StoreStatus TruncateFile(const QString &path, qint64 length);

// How many writes (replacements, appends, cuts) this program has begun on
// any file; a value read from a file is current while this is unchanged and
// the file's FileStamp is too.
quint64 WritesBegun();

// What tells one state of a file from another without reading it: its
// device, inode, size and modification time. Invalid for a missing file.
struct FileStamp
{
    bool valid = false;
    quint64 device = 0, inode = 0;
    qint64 size = 0, modifiedNs = 0, changedNs = 0;
    bool operator==(const FileStamp &) const = default;
};
FileStamp StampOf(const QString &path);

// The Japanese description of a system error number.
QString SystemErrorText(int error);

namespace testing {

// Where an injected failure strikes.
enum class FailPoint {
    Write,  // the write of the content (a temporary file's or an append's)
    Sync,   // syncing the written file
    Rename, // putting the temporary file in place
};

// Makes the next store operation that reaches `point` fail with the system
// error `error`, as the operating system would report it; a failing write first
// writes `bytesBeforeFailure` bytes for real (a disk that fills up half-way).
// Strikes once, the first `passFirst` times the point is reached passing
// unharmed (so a test can fail each step of a longer operation in turn). Lets
// tests running as root, whom file permissions do not stop, reach every
// failure path.
void SetWriteFailure(FailPoint point, int error = ENOSPC, qint64 bytesBeforeFailure = 0, int passFirst = 0);
void ClearWriteFailure();

// Ends the process at the `n`th write step from now (each write, rename or cut
// of a file is a step), as a kill between two steps would; 0 never.
void SetKillAtStep(int n);

} // namespace testing

} // namespace zz
