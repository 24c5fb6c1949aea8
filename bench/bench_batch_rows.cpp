// Reading batch files: one pass over the bytes, so twice the input takes twice the time. A
// quoted field of many line breaks (once quadratic) and a file of many plain rows, each at n
// and 2n.

#include "bench_table.h"
#include "render/batch_rows.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

double readAllMs(const QString& path) {
    return bench::medianMs(5, [&] {
        QString error;
        const auto rows = mivo::BatchRows::open(
            path, [](const QString&, QString*) { return std::optional<int>(62); }, &error);
        mivo::BatchRow row;
        while (rows && rows->next(row)) {
        }
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    for (const int breaks : {256 * 1024, 512 * 1024}) {
        const QString path = writeFile(dir, QStringLiteral("breaks%1.csv").arg(breaks),
                                       "62\n\"" + QByteArray(breaks, '\n') + "\"\n");
        bench::row(
            qPrintable(
                QStringLiteral("batch CSV: a quoted field of %1 K line breaks").arg(breaks / 1024)),
            readAllMs(path), "ms", 0, 5);
    }
    for (const int rows : {100000, 200000}) {
        QByteArray content = "62\n";
        for (int i = 0; i < rows; ++i)
            content += "\"行政太郎, " + QByteArray::number(i) + "\"\n";
        const QString path = writeFile(dir, QStringLiteral("rows%1.csv").arg(rows), content);
        bench::row(qPrintable(QStringLiteral("batch CSV: %1 rows read").arg(rows)), readAllMs(path),
                   "ms", 0, 5);
    }
    return 0;
}
