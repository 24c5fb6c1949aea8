// Cases: saving one change, opening a case, opening the list and one search keystroke over
// 1,000,000 stored cases,
// in a SQLite file and on a PostgreSQL server of this machine (started here, as the tests do).

#include "bench_table.h"
#include "cases/case_document.h"
#include "cases/case_store.h"
#include "private_postgres_server.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace mivo;

namespace {

constexpr int kStoredCases = 1000000;
constexpr int kBatch = 2000;

QByteArray map(Qt::GlobalColor color) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A case as a dealer fills it: names, addresses, a vehicle and dates on three documents.
Case sampleCase(QRandomGenerator& random) {
    static const QStringList family = {QStringLiteral("山田"), QStringLiteral("佐藤"),
                                       QStringLiteral("鈴木"), QStringLiteral("高橋"),
                                       QStringLiteral("田中"), QStringLiteral("伊藤"),
                                       QStringLiteral("渡辺"), QStringLiteral("中村")};
    static const QStringList given = {QStringLiteral("太郎"), QStringLiteral("花子"),
                                      QStringLiteral("一郎"), QStringLiteral("美咲"),
                                      QStringLiteral("健太"), QStringLiteral("由美")};
    static const QStringList towns = {
        QStringLiteral("東京都千代田区丸の内"), QStringLiteral("大阪府大阪市北区梅田"),
        QStringLiteral("神奈川県横浜市中区山下町"), QStringLiteral("愛知県名古屋市中村区名駅")};
    const auto pick = [&](const QStringList& list) { return list[random.bounded(list.size())]; };
    const QString name = pick(family) + pick(given);
    const QString address = QStringLiteral("%1%2丁目%3番%4号")
                                .arg(pick(towns))
                                .arg(random.bounded(1, 9))
                                .arg(random.bounded(1, 30))
                                .arg(random.bounded(1, 20));
    const QString chassis =
        QStringLiteral("ABC%1-%2").arg(random.bounded(10, 99)).arg(random.bounded(100000, 999999));
    Case c;
    for (int i : {69, 45, 6})
        c.values[size_t(i)] = name;
    for (int i : {70, 44, 2})
        c.values[size_t(i)] = address;
    c.values[42] = chassis;
    c.values[66] = chassis;
    c.values[40] = QStringLiteral("トヨタ");
    c.values[41] = QStringLiteral("DBA-%1").arg(random.bounded(100, 999));
    for (int i : {63, 46})
        c.values[size_t(i)] = QString::number(random.bounded(1, 7));
    c.values[0] = address;
    return c;
}

bool fill(CaseStore& store) {
    QRandomGenerator random(11);
    for (int done = 0; done < kStoredCases; done += kBatch) {
        QList<Case> batch;
        for (int i = 0; i < kBatch; ++i)
            batch << sampleCase(random);
        if (store.saveAll(batch).isEmpty())
            return false;
    }
    return true;
}

void measure(const char* where, CaseStore& store) {
    QRandomGenerator random(7);
    Case c = sampleCase(random);
    c.locationMap = map(Qt::white);
    c.layoutMap = map(Qt::lightGray);
    CaseStore::Saved saved = store.save(c, true);
    c.id = saved.id;
    c.revision = saved.revision;

    int keystroke = 0;
    const double save = bench::medianMs(41, [&] {
        c.values[70] += QString::number(++keystroke % 10);
        saved = store.save(c, false);
        c.revision = saved.revision;
    });
    bench::row(qPrintable(QStringLiteral("cases, %1: saving one change").arg(where)), save, "ms", 5,
               41);

    // Opening makes the case current and fills a text document; its maps are decoded only when
    // the picture form shows them.
    const double open = bench::medianMs(41, [&] { store.load(c.id); });
    bench::row(qPrintable(QStringLiteral("cases, %1: opening a case with two maps").arg(where)),
               open, "ms", 10, 41);
    const Case loaded = *store.load(c.id);
    const double maps = bench::medianMs(41, [&] { decodeMaps(loaded); });
    bench::row(
        qPrintable(
            QStringLiteral("cases, %1: its two maps decoded for the picture form").arg(where)),
        maps, "ms", 0, 41);

    std::fprintf(stderr, "filling %d cases (%s)\n", kStoredCases, where);
    if (!fill(store)) {
        std::fprintf(stderr, "%s\n", qPrintable(store.error()));
        return;
    }
    // What the list asks while a name, an address and a chassis number are typed.
    const double listed = bench::medianMs(21, [&] { store.list({}, 200); });
    bench::row(
        qPrintable(QStringLiteral("cases, %1: opening the list of 1,000,000 cases").arg(where)),
        listed, "ms", 100, 21);
    const QStringList typed = {
        QStringLiteral("山"),        QStringLiteral("山田"),      QStringLiteral("山田花"),
        QStringLiteral("やまだ"),    QStringLiteral("横浜"),      QStringLiteral("横浜市中"),
        QStringLiteral("ABC4"),      QStringLiteral("abc42-1"),   QStringLiteral("髙橋"),
        QStringLiteral("田中 梅田"), QStringLiteral("ABC421234"), QStringLiteral("渡邊 健太")};
    qsizetype next = 0;
    const double search = bench::medianMs(int(typed.size()) * 3,
                                          [&] { store.list(typed[next++ % typed.size()], 200); });
    bench::row(
        qPrintable(
            QStringLiteral("cases, %1: one search keystroke over 1,000,000 cases").arg(where)),
        search, "ms", 50, int(typed.size()) * 3);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const CaseDatabase file =
        CaseDatabase::fromArgument(dir.filePath(QStringLiteral("cases.sqlite")));
    {
        CaseStore store(file);
        measure("SQLite", store);
    }
    // Every opening checks the file's pages (a damaged file is told from a busy one), so its
    // cost grows with the file filled above.
    const double opening = bench::medianMs(5, [&] { CaseStore again(file); });
    bench::row("cases, SQLite: opening the file of 1,000,000 cases, its pages checked", opening,
               "ms", 0, 5);
    if (const QString missing = PrivatePostgresServer::whyUnavailable(); !missing.isEmpty()) {
        std::printf("| cases, PostgreSQL | unavailable: %s | | |\n", qPrintable(missing));
        return 0;
    }
    PrivatePostgresServer server(true);
    if (!server.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    CaseStore store(CaseDatabase::fromArgument(server.connection()));
    if (!store.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(store.error()));
        return 1;
    }
    measure("PostgreSQL", store);
    return 0;
}
