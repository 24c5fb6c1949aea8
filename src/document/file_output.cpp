#include "document/file_output.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {
namespace {

// Why a write failed and what to do, from the system's error number.
QString failure(const QString& where, int error) {
    QString reason, advice = QStringLiteral("保存先を確かめてから、もう一度やり直してください。");
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        reason = QStringLiteral("ディスクの空きが足りません");
        advice = QStringLiteral("空きを作るか別の場所を選んでから、もう一度やり直してください。");
        break;
    case EFBIG:
        reason = QStringLiteral("ファイルが大きすぎます");
        break;
    case EACCES:
    case EPERM:
        reason = QStringLiteral("書き込む権限がありません");
        break;
    case EROFS:
        reason = QStringLiteral("読み取り専用の場所です");
        break;
    case ENOENT:
    case ENOTDIR:
        reason = QStringLiteral("フォルダがありません");
        break;
    default:
        reason = qt_error_string(error);
    }
    return QStringLiteral("%1 に書き込めませんでした（%2）。%3").arg(where, reason, advice);
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// Where `path` leads through symbolic links, followed only where the kernel would follow them
// (fs.protected_symlinks): in a sticky, world-writable folder such as /tmp only a link of the
// user's own or of the folder's owner, so another user's link cannot aim our write elsewhere.
// Nothing when a link is refused or the links loop.
std::optional<QByteArray> followLinks(QByteArray path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat link {};
        if (::lstat(path.constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return path;
        const QByteArray folder = folderOf(path);
        struct stat place {};
        if (::stat(folder.constData(), &place) != 0)
            return std::nullopt;
        const bool guarded = (place.st_mode & S_ISVTX) && (place.st_mode & S_IWOTH);
        if (guarded && link.st_uid != ::geteuid() && link.st_uid != place.st_uid)
            return std::nullopt;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length <= 0 || size_t(length) == sizeof target)
            return std::nullopt;
        const QByteArray next(target, length);
        path = next.startsWith('/') ? next : folder + '/' + next;
    }
    return std::nullopt;
}

// A new, empty file beside `target` under an unused name. Readable by its owner only: the
// pages and maps hold names and addresses. A file it replaces keeps its own mode.
int createTemporary(const QByteArray& target, QByteArray& name) {
    const QByteArray folder = folderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.mivo-" + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
               ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

QString writeAll(int fd, QByteArrayView data, const QString& where) {
    const char* at = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return failure(where, errno);
        }
        at += written;
        left -= written;
    }
    return {};
}

FileWrite writeWholeFile(const QByteArray& given, QByteArrayView data, IfExists ifExists) {
    const QString where = QFile::decodeName(given);
    const std::optional<QByteArray> followed = followLinks(given);
    if (!followed) {
        return {FileWrite::Status::Failed,
                QStringLiteral("%1 は書き込み先としてたどれないシンボリックリンクです（ほかの人の"
                               "リンクか、循環しています）。別のファイル名を指定してください。")
                    .arg(where)};
    }
    const QByteArray& path = *followed;
    struct stat existing {};
    const bool exists = ::stat(path.constData(), &existing) == 0;
    if (exists && ifExists == IfExists::Keep)
        return {FileWrite::Status::Exists, {}};
    if (exists && !S_ISREG(existing.st_mode)) {
        return {FileWrite::Status::Failed,
                QStringLiteral("%1 はふつうのファイルではないので書き込めません。"
                               "別のファイル名を指定してください。")
                    .arg(where)};
    }

    QByteArray temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0)
        return {FileWrite::Status::Failed, failure(where, errno)};
    QString error = writeAll(fd, data, where);
    // A replaced file keeps its permissions.
    if (error.isEmpty() && exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        error = failure(where, errno);
    // The disk may report a full disk or an I/O error only when the data is synced or closed.
    if (error.isEmpty() && ::fsync(fd) != 0)
        error = failure(where, errno);
    if (::close(fd) != 0 && error.isEmpty())
        error = failure(where, errno);

    FileWrite result{FileWrite::Status::Written, {}};
    if (!error.isEmpty()) {
        result = {FileWrite::Status::Failed, error};
    } else if (ifExists == IfExists::Replace) {
        if (::rename(temporary.constData(), path.constData()) != 0)
            result = {FileWrite::Status::Failed, failure(where, errno)};
    } else if (::link(temporary.constData(), path.constData()) != 0) {
        // link() never replaces: a file made meanwhile under that name is kept.
        result = errno == EEXIST ? FileWrite{FileWrite::Status::Exists, {}}
                                 : FileWrite{FileWrite::Status::Failed, failure(where, errno)};
    }
    if (result.status != FileWrite::Status::Written || ifExists == IfExists::Keep)
        ::unlink(temporary.constData());
    return result;
}

} // namespace mivo
