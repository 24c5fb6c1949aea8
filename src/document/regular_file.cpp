#include "document/regular_file.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {
namespace {

QString shownName(const QByteArray& path) { return QFileInfo(QFile::decodeName(path)).fileName(); }

QString unreadable(const QByteArray& path) {
    return QStringLiteral(
               "「%1」を読み込めませんでした。ファイルがあるか、読み取れるかを確かめてください。")
        .arg(shownName(path));
}

} // namespace

QString openRegularFile(QFile& file, const QByteArray& path) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer. The type is judged on the
    // opened descriptor, so the file cannot be swapped between the check and the read.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return unreadable(path);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return QStringLiteral("「%1」はふつうのファイルではないので読み込めません。"
                              "ファイルを選び直してください。")
            .arg(shownName(path));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return unreadable(path);
    }
    return {};
}

FileContents readRegularFile(const QByteArray& path, qint64 limit) {
    QFile file;
    if (QString error = openRegularFile(file, path); !error.isEmpty())
        return {{}, error};
    // One byte past the limit tells a file that is too large, also one that is still growing.
    QByteArray data = file.read(limit + 1);
    if (data.size() > limit) {
        const QString most = limit % (1024 * 1024) == 0
                                 ? QStringLiteral("%1 MB").arg(limit / (1024 * 1024))
                                 : QStringLiteral("%1 KB").arg(limit / 1024);
        return {{},
                QStringLiteral("「%1」は大きすぎます（%2 まで）。小さいファイルにしてください。")
                    .arg(shownName(path), most)};
    }
    if (file.error() != QFileDevice::NoError)
        return {{}, unreadable(path)};
    return {data, {}};
}

} // namespace mivo
