#include "store/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

#include <atomic>
#include <unistd.h>

namespace zz {

namespace {

struct InjectedFailure
{
    bool armed = false;
    testing::FailPoint point = testing::FailPoint::Write;
    int error = 0;
    qint64 bytesBeforeFailure = 0;
    int passFirst = 0; // times the point is passed before the failure strikes
};

InjectedFailure &injected()
{
    static InjectedFailure failure;
    return failure;
}

// The kill seam: the process ends at the `killAtStep`th step of writing (the
// start of a write, a rename, a cut), as a SIGKILL between two steps would
// leave the files.
int &killAtStep()
{
    static int step = 0;
    return step;
}

void step()
{
    static int reached = 0;
    if (killAtStep() > 0 && ++reached == killAtStep())
        ::_exit(137);
}

// True (with errno set) when a failure was injected at `point`; disarms it.
bool strikes(testing::FailPoint point)
{
    InjectedFailure &f = injected();
    if (!f.armed || f.point != point)
        return false;
    if (f.passFirst > 0) {
        --f.passFirst;
        return false;
    }
    f.armed = false;
    errno = f.error;
    return true;
}

QString displayName(const QString &path)
{
    return QFileInfo(path).fileName();
}

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// Closes a descriptor on every way out of a scope unless released.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes and reports close's own failure (some file systems report a full
    // disk only here).
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Writes all of `bytes`, continuing after short writes. False with errno set
// on failure.
bool writeAll(int fd, QByteArrayView bytes)
{
    const char *data = bytes.data();
    qint64 remaining = bytes.size();
    InjectedFailure &f = injected();
    if (f.armed && f.point == testing::FailPoint::Write && f.passFirst > 0) {
        --f.passFirst;
    } else if (f.armed && f.point == testing::FailPoint::Write) {
        const qint64 partial = qMin(f.bytesBeforeFailure, remaining);
        const int error = f.error;
        f.armed = false;
        if (partial > 0 && !writeAll(fd, QByteArrayView(data, partial)))
            return false;
        errno = error;
        return false;
    }
    while (remaining > 0) {
        const ssize_t written = ::write(fd, data, size_t(remaining));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        remaining -= written;
    }
    return true;
}

bool syncFile(int fd)
{
    if (strikes(testing::FailPoint::Sync))
        return false;
    return ::fsync(fd) == 0;
}

// Makes a rename or a new file in `directory` durable. File systems that cannot
// sync a directory (EINVAL) need not.
bool syncDirectory(const QString &directory)
{
    const int fd = ::open(nativePath(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

StoreStatus failure(const QString &path, const QString &what, int error)
{
    return StoreStatus::failure(displayName(path),
                                QStringLiteral("%1 (%2)").arg(what, SystemErrorText(error)));
}

} // namespace

QString SystemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("ディスクの空き容量が足りません");
    case EACCES:
    case EPERM: return QStringLiteral("アクセスが許可されていません");
    case EROFS: return QStringLiteral("読み取り専用の場所です");
    case ENOENT: return QStringLiteral("ファイルまたはフォルダがありません");
    case ENOTDIR: return QStringLiteral("フォルダではありません");
    case EISDIR: return QStringLiteral("同じ名前のフォルダがあります");
    case EIO: return QStringLiteral("入出力エラーが起きました");
    case EMFILE:
    case ENFILE: return QStringLiteral("開いているファイルが多すぎます");
    default:
        return QStringLiteral("システムエラー %1: %2")
            .arg(error)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

StoreStatus ReadWholeFile(const QString &path, QByteArray &bytes)
{
    Descriptor fd(::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        const int error = errno;
        if (error == ENOENT)
            return StoreStatus::failure(displayName(path), QStringLiteral("ファイルがありません"));
        return failure(path, QStringLiteral("ファイルを開けません"), error);
    }
    struct stat info;
    if (::fstat(fd.get(), &info) != 0)
        return failure(path, QStringLiteral("ファイルを読めません"), errno);
    if (S_ISDIR(info.st_mode))
        return failure(path, QStringLiteral("ファイルを読めません"), EISDIR);
    QByteArray content;
    content.resize(qsizetype(info.st_size));
    qsizetype filled = 0;
    for (;;) {
        if (filled == content.size())
            content.resize(content.size() + 4096); // the file grew, or reports no size
        const ssize_t got = ::read(fd.get(), content.data() + filled, size_t(content.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failure(path, QStringLiteral("ファイルを読めません"), errno);
        }
        if (got == 0)
            break;
        filled += got;
    }
    content.truncate(filled);
    bytes = std::move(content);
    return StoreStatus::success();
}

namespace {

// The file a rewrite of `path` has to replace: a symbolic link's target (the
// link stays and keeps pointing at it), else `path` itself.
QString realTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// Writes `contents` into the file `target` itself, keeping its inode, for a
// file with several hard links: a rename would cut the other names loose. The
// complete new content is first written and synced to `temp` (so a failure
// half-way can be repaired from it); a failed in-place write puts the old
// bytes back.
StoreStatus rewriteInPlace(const QByteArray &target, const QByteArray &temp, QByteArrayView contents,
                           const std::function<StoreStatus(const QString &, int)> &fail)
{
    QByteArray old;
    if (StoreStatus status = ReadWholeFile(QFile::decodeName(target), old); !status)
        return status;
    {
        Descriptor copy(::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        if (!copy.valid() || !writeAll(copy.get(), contents) || !syncFile(copy.get()) || !copy.close())
            return fail(
                QStringLiteral("一時ファイル %1 に書き込めません").arg(displayName(QFile::decodeName(temp))),
                errno);
    }
    Descriptor fd(::open(target.constData(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid())
        return fail(QStringLiteral("ファイルを開けません"), errno);
    auto restore = [&](const QString &what) {
        const int error = errno;
        if (::ftruncate(fd.get(), 0) == 0 &&
            ::pwrite(fd.get(), old.constData(), size_t(old.size()), 0) == old.size())
            ::fsync(fd.get());
        return fail(what, error);
    };
    step();
    if (::lseek(fd.get(), 0, SEEK_SET) != 0 || !writeAll(fd.get(), contents))
        return restore(QStringLiteral("書き込めません"));
    if (::ftruncate(fd.get(), off_t(contents.size())) != 0)
        return restore(QStringLiteral("書き込めません"));
    if (!syncFile(fd.get()))
        return restore(QStringLiteral("ディスクに書き出せません"));
    if (!fd.close())
        return fail(QStringLiteral("ファイルを閉じられません"), errno);
    ::unlink(temp.constData());
    return StoreStatus::success();
}

} // namespace

namespace {
std::atomic<quint64> writesBegun{0};
} // namespace

quint64 WritesBegun()
{
    return writesBegun.load();
}

FileStamp StampOf(const QString &path)
{
    struct stat st;
    if (::stat(nativePath(path).constData(), &st) != 0)
        return {};
    return {true,
            quint64(st.st_dev),
            quint64(st.st_ino),
            qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

StoreStatus ReplaceFile(const QString &givenPath, const QString &givenTempPath, QByteArrayView contents)
{
    ++writesBegun;
    // A link is followed: the temporary file goes beside the real file, which
    // is the one replaced.
    const QString path = realTarget(givenPath);
    const QString tempPath =
        path == givenPath ? givenTempPath
                          : QFileInfo(path).absoluteDir().filePath(QFileInfo(givenTempPath).fileName());
    const QByteArray target = nativePath(path);
    const QByteArray temp = nativePath(tempPath);
    const QString tempName = displayName(tempPath);
    const QString unchanged = QStringLiteral("%1 は変更していません").arg(displayName(givenPath));

    struct stat old;
    const bool hadTarget = ::stat(target.constData(), &old) == 0;

    auto fail = [&](const QString &what, int error) {
        ::unlink(temp.constData());
        return StoreStatus::failure(
            displayName(givenPath),
            QStringLiteral("%1 (%2)。%3").arg(what, SystemErrorText(error), unchanged));
    };

    if (hadTarget && S_ISREG(old.st_mode) && old.st_nlink > 1)
        return rewriteInPlace(target, temp, contents, fail);

    step();
    // O_TRUNC: a copy left by an earlier failed attempt is simply replaced.
    Descriptor fd(::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        const int error = errno;
        return StoreStatus::failure(displayName(givenPath),
                                    QStringLiteral("一時ファイル %1 を作れません (%2)。%3")
                                        .arg(tempName, SystemErrorText(error), unchanged));
    }
    if (hadTarget)
        ::fchmod(fd.get(), old.st_mode & 07777);
    if (!writeAll(fd.get(), contents))
        return fail(QStringLiteral("一時ファイル %1 に書き込めません").arg(tempName), errno);
    if (!syncFile(fd.get()))
        return fail(QStringLiteral("一時ファイル %1 をディスクに書き出せません").arg(tempName), errno);
    if (!fd.close())
        return fail(QStringLiteral("一時ファイル %1 を閉じられません").arg(tempName), errno);
    step();
    if (strikes(testing::FailPoint::Rename) || ::rename(temp.constData(), target.constData()) != 0)
        return fail(QStringLiteral("一時ファイル %1 を置き換えられません").arg(tempName), errno);
    if (!syncDirectory(QFileInfo(path).absolutePath())) {
        const int error = errno;
        return StoreStatus::failure(
            displayName(givenPath),
            QStringLiteral("書き込みましたが、フォルダをディスクに書き出せません (%1)")
                .arg(SystemErrorText(error)));
    }
    return StoreStatus::success();
}

StoreStatus AppendToFile(const QString &path, QByteArrayView bytes, AppendMode mode)
{
    ++writesBegun;
    const QByteArray native = nativePath(path);
    struct stat before;
    const bool existed = ::stat(native.constData(), &before) == 0;
    if (!existed && mode == AppendMode::ExistingOnNewLine)
        return StoreStatus::failure(
            displayName(path),
            QStringLiteral("ファイルがありません。プログラムの外で削除されたか移動されました。"
                           "何も書き込んでいません"));

    const int create = mode == AppendMode::ExistingOnNewLine ? 0 : O_CREAT;
    Descriptor fd(::open(native.constData(), O_WRONLY | create | O_APPEND | O_CLOEXEC, 0666));
    if (!fd.valid())
        return failure(path, QStringLiteral("ファイルを開けません"), errno);
    struct stat info;
    if (::fstat(fd.get(), &info) != 0)
        return failure(path, QStringLiteral("ファイルを調べられません"), errno);
    const off_t oldLength = info.st_size;

    QByteArray line;
    if (mode != AppendMode::AsIs && oldLength > 0) {
        char last = '\n';
        const int reader = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (reader >= 0) {
            if (::pread(reader, &last, 1, oldLength - 1) != 1)
                last = '\n';
            ::close(reader);
        }
        if (last == '\r')
            line.append('\n'); // a CR whose LF never arrived
        else if (last != '\n')
            line.append("\r\n");
    }
    line.append(bytes.data(), bytes.size());

    auto rollBack = [&](const QString &what, int error) {
        // Cut back what may have reached the file, so the old lines stay as they were.
        if (::ftruncate(fd.get(), oldLength) == 0)
            ::fsync(fd.get());
        if (!existed)
            ::unlink(native.constData());
        return StoreStatus::failure(displayName(path),
                                    QStringLiteral("%1 (%2)。%3 は変更していません")
                                        .arg(what, SystemErrorText(error), displayName(path)));
    };

    step();
    if (!writeAll(fd.get(), line))
        return rollBack(QStringLiteral("書き込めません"), errno);
    if (!syncFile(fd.get()))
        return rollBack(QStringLiteral("ディスクに書き出せません"), errno);
    if (!fd.close()) {
        const int error = errno;
        // The descriptor is gone; cut back through the path.
        ::truncate(native.constData(), oldLength);
        return StoreStatus::failure(
            displayName(path), QStringLiteral("ファイルを閉じられません (%1)").arg(SystemErrorText(error)));
    }
    if (!existed && !syncDirectory(QFileInfo(path).absolutePath()))
        return failure(path, QStringLiteral("フォルダをディスクに書き出せません"), errno);
    return StoreStatus::success();
}

StoreStatus TruncateFile(const QString &path, qint64 length)
{
    ++writesBegun;
    Descriptor fd(::open(nativePath(path).constData(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid())
        return failure(path, QStringLiteral("ファイルを開けません"), errno);
    step();
    if (::ftruncate(fd.get(), off_t(length)) != 0)
        return failure(path, QStringLiteral("ファイルを切り詰められません"), errno);
    if (!syncFile(fd.get()))
        return failure(path, QStringLiteral("ディスクに書き出せません"), errno);
    if (!fd.close())
        return failure(path, QStringLiteral("ファイルを閉じられません"), errno);
    return StoreStatus::success();
}

namespace testing {

void SetWriteFailure(FailPoint point, int error, qint64 bytesBeforeFailure, int passFirst)
{
    injected() = InjectedFailure{true, point, error, bytesBeforeFailure, passFirst};
}

void SetKillAtStep(int n)
{
    killAtStep() = n;
}

void ClearWriteFailure()
{
    injected() = InjectedFailure{};
}

} // namespace testing

} // namespace zz
