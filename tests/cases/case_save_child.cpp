// Saves the one case of a SQLite file over and over, every value of a round the same, until killed.

#include "cases/case_store.h"

#include <QCoreApplication>

#include <cstdio>

using namespace mivo;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    CaseStore store(CaseDatabase::fromArgument(app.arguments().value(1)));
    Case c;
    if (const QList<CaseSummary> cases = store.list(); !cases.isEmpty())
        c.id = cases.first().id;
    for (int round = 1;; ++round) {
        if (c.id != 0)
            c = *store.load(c.id);
        c.values.fill(QStringLiteral("round %1").arg(round));
        c.locationMap = QByteArray(64 * 1024, char(round)); // many pages in each save
        const CaseStore::Saved saved = store.save(c, true);
        if (!saved.ok)
            return 1;
        c.id = saved.id;
        if (round == 1) {
            std::puts("saving");
            std::fflush(stdout);
        }
    }
}
