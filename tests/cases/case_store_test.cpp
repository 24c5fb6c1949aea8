// The case store and its keeper against real databases: a SQLite file, and a PostgreSQL
// server that this test starts for itself.

#include "cases/case_document.h"
#include "cases/case_keeper.h"
#include "cases/case_schema.h"
#include "cases/case_store.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "private_postgres_server.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;

namespace {

QByteArray png(QSize size, Qt::GlobalColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray fileHash(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class CaseStoreTest : public QObject {
    Q_OBJECT

    PrivatePostgresServer server_;
    QString serverMissing_;
    QTemporaryDir dir_;
    int databases_ = 0;

    // A new, empty database of the row's kind.
    CaseDatabase freshDatabase() {
        QFETCH(QString, backend);
        const QString name = QStringLiteral("cases%1").arg(++databases_);
        if (backend == u"sqlite")
            return CaseDatabase::fromArgument(dir_.filePath(name + QStringLiteral(".sqlite")));
        if (!serverMissing_.isEmpty())
            return {};
        {
            QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            admin.setConnectOptions(server_.connection());
            if (admin.open())
                QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE ") + name);
        }
        QSqlDatabase::removeDatabase(name);
        return CaseDatabase::fromArgument(server_.connection().replace(
            QStringLiteral("dbname=postgres"), QStringLiteral("dbname=") + name));
    }

    void backends() {
        QTest::addColumn<QString>("backend");
        QTest::newRow("sqlite") << QStringLiteral("sqlite");
        QTest::newRow("postgresql") << QStringLiteral("postgresql");
    }

    void skipWithoutServer() {
        QFETCH(QString, backend);
        if (backend == u"postgresql" && !serverMissing_.isEmpty())
            QSKIP(qPrintable(serverMissing_));
    }

  private slots:
    void initTestCase() {
        serverMissing_ = PrivatePostgresServer::whyUnavailable();
        if (serverMissing_.isEmpty() && !server_.start())
            QFAIL(qPrintable(server_.error()));
    }

    void keptAndFoundAgain_data() { backends(); }
    void keptAndFoundAgain() {
        skipWithoutServer();
        const CaseDatabase where = freshDatabase();
        Case c;
        c.values[69] = QStringLiteral("山田太郎");
        c.values[70] = QStringLiteral("東京都千代田区１－２");
        c.values[42] = QStringLiteral("ABC-123");
        c.locationMap = png({40, 30}, Qt::red);
        c.registrationNumber = QStringLiteral("品川 500 あ 12-34");
        c.locationMarks = QStringLiteral(R"({"version":1,"home":{"x":3,"y":4},"omit":false})");
        c.particulars.setValue(Particular::OwnerName, QStringLiteral("所有者"));
        c.fitLayoutMap = true;
        c.sitePlan = QStringLiteral(R"({"objects":[{"kind":"bay","label":"3"}],"version":1})");
        c.printSitePlan = true;
        qint64 id;
        {
            CaseStore store(where);
            QVERIFY2(store.isOpen(), qPrintable(store.error()));
            const CaseStore::Saved saved = store.save(c, true);
            QVERIFY2(saved.ok, qPrintable(store.error()));
            QVERIFY(saved.name.startsWith(QStringLiteral("山田太郎 ")));
            id = saved.id;
            Case other;
            other.values[2] = QStringLiteral("大阪市北区");
            QVERIFY(store.save(other, false).ok);
        }
        if (where.kind == CaseDatabase::Kind::Sqlite)
            QCOMPARE(QFile::permissions(where.target),
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                         QFileDevice::WriteUser);

        CaseStore store(where);
        const std::optional<Case> back = store.load(id);
        QVERIFY(back);
        QCOMPARE(back->values, c.values);
        QCOMPARE(back->locationMap, c.locationMap);
        QVERIFY(back->layoutMap.isEmpty());
        QCOMPARE(back->registrationNumber, c.registrationNumber);
        QCOMPARE(back->locationMarks, c.locationMarks);
        QCOMPARE(back->particulars, c.particulars);
        QVERIFY(back->fitLayoutMap && !back->fitLocationMap);
        QCOMPARE(back->sitePlan, c.sitePlan);
        QVERIFY(back->printSitePlan);
        QCOMPARE(decodeMaps(*back).location.size(), QSize(40, 30));
        QCOMPARE(sitePlanOf(*back).objects.size(), 1u);

        // Substrings of any length, any width, several words; never across two values.
        const auto found = [&](const QString& typed) {
            QList<qint64> ids;
            for (const CaseSummary& s : store.list(typed))
                ids << s.id;
            return ids;
        };
        for (const char* typed : {"田太", "山", "1-2", "ｃ－１２", "品川 12-34", "千代田 abc"})
            QCOMPARE(found(QString::fromUtf8(typed)), QList<qint64>{id});
        QCOMPARE(found(QStringLiteral("区")).size(), 2);
        QVERIFY(found(QStringLiteral("郎東")).isEmpty());
        QVERIFY(found(QStringLiteral("山田花子")).isEmpty());
        QCOMPARE(store.list().first().documents,
                 (QStringList{titleOf(DocumentKind::ParkingConsentCertificate)}));
        QCOMPARE(store.list().last().documents,
                 (QStringList{titleOf(DocumentKind::LayoutDrawing),
                              titleOf(DocumentKind::PowerOfAttorney),
                              titleOf(DocumentKind::TransferCertificate)}));
    }

    // However a name or number is written, typed or stored, the case is found, and the list
    // says which value matched.
    void searchFoldsHowItIsWritten_data() { backends(); }
    void searchFoldsHowItIsWritten() {
        skipWithoutServer();
        CaseStore store(freshDatabase());
        const auto saved = [&](int field, const QString& value) {
            Case c;
            c.values[size_t(field)] = value;
            return store.save(c, false).id;
        };
        const qint64 suzuki = saved(69, QStringLiteral("鈴木　一郎"));
        const qint64 kana = saved(69, QStringLiteral("スズキ ｼﾞﾛｳ"));
        const qint64 takahashi = saved(6, QStringLiteral("髙橋 德子"));
        const qint64 watanabe = saved(45, QStringLiteral("渡邊"));
        const qint64 plate = saved(42, QStringLiteral("ZVW30-1234567"));
        Case numbered;
        numbered.registrationNumber = QStringLiteral("品川 330 あ 12-34");
        const qint64 registered = store.save(numbered, false).id;
        const QList<std::pair<const char16_t*, QList<qint64>>> table = {
            {u"鈴木一郎", {suzuki}},
            {u"鈴木 一郎", {suzuki}},
            {u"すずき", {kana}},
            {u"じろう", {kana}},
            {u"ｽｽﾞｷｼﾞﾛｳ", {kana}},
            {u"高橋", {takahashi}},
            {u"髙橋徳子", {takahashi}},
            {u"渡辺", {watanabe}},
            {u"渡邉", {watanabe}},
            {u"zvw301234567", {plate}},
            {u"ＺＶＷ３０－１２", {plate}},
            {u"品川330あ1234", {registered}},
            {u"品川330ア12", {registered}},
            {u"一郎鈴木", {}},
        };
        for (const auto& [typed, expected] : table) {
            QList<qint64> ids;
            for (const CaseSummary& c : store.list(QString::fromUtf16(typed)))
                ids << c.id;
            QCOMPARE(ids, expected);
        }
        const CaseSummary highlighted = store.list(QStringLiteral("德子")).value(0);
        QCOMPARE(highlighted.matched, QStringLiteral("髙橋 德子"));
        QCOMPARE(highlighted.matched.mid(highlighted.matchedStart, highlighted.matchedLength),
                 QStringLiteral("德子"));
        const CaseSummary spaced = store.list(QStringLiteral("0あ12")).value(0);
        QCOMPARE(spaced.matched.mid(spaced.matchedStart, spaced.matchedLength),
                 QStringLiteral("0 あ 12"));
    }

    // A store written before the search folded spaces, kana and variants is searched the new
    // way once opened: the migration makes every case's search text and grams again.
    void olderStoreIsIndexedAgain_data() { backends(); }
    void olderStoreIsIndexedAgain() {
        skipWithoutServer();
        const CaseDatabase where = freshDatabase();
        qint64 id;
        {
            CaseStore store(where);
            Case c;
            c.values[69] = QStringLiteral("濱田　サクラ");
            id = store.save(c, false).id;
        }
        {
            QFETCH(QString, backend);
            const bool sqlite = backend == u"sqlite";
            QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE")
                                                               : QStringLiteral("QPSQL"),
                                                        QStringLiteral("older"));
            if (sqlite)
                db.setDatabaseName(where.target);
            else
                db.setConnectOptions(where.target);
            QVERIFY(db.open());
            QSqlQuery older(db);
            // Back to version 3: what the trash and every later version added goes.
            QVERIFY(older.exec(QStringLiteral("UPDATE case_schema SET version = 3")));
            QVERIFY(older.exec(QStringLiteral("ALTER TABLE cases DROP COLUMN location_marks")));
            QVERIFY(older.exec(QStringLiteral("ALTER TABLE cases DROP COLUMN site_plan")));
            QVERIFY(older.exec(QStringLiteral("ALTER TABLE cases DROP COLUMN print_site_plan")));
            QVERIFY(older.exec(QStringLiteral("DROP INDEX cases_deleted")));
            QVERIFY(older.exec(QStringLiteral("ALTER TABLE cases DROP COLUMN deleted")));
            QVERIFY(older.exec(QStringLiteral("ALTER TABLE cases DROP COLUMN printed")));
            QVERIFY(older.exec(QStringLiteral("UPDATE cases SET search_text = '濱田\nサクラ'")));
            if (!sqlite)
                QVERIFY(older.exec(QStringLiteral("DROP INDEX cases_changed")) &&
                        older.exec(QStringLiteral("CREATE INDEX cases_changed ON cases "
                                                  "(changed)")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        CaseStore store(where);
        QVERIFY2(store.isOpen(), qPrintable(store.error()));
        QCOMPARE(store.list(QStringLiteral("浜田さくら")).value(0).id, id);
    }

    // A deleted case waits in the trash: left out of the list, restored whole, or gone for
    // good once it has been there longer than the trash keeps it.
    void trashKeepsDeletedCases_data() { backends(); }
    void trashKeepsDeletedCases() {
        skipWithoutServer();
        CaseStore store(freshDatabase());
        Case c;
        c.values[69] = QStringLiteral("伊藤");
        c.locationMap = png({8, 8}, Qt::red);
        const qint64 kept = store.save(c, true).id;
        const qint64 gone = store.save(c, true).id;
        QVERIFY(store.remove(kept));
        QVERIFY(store.remove(gone));
        QVERIFY(!store.remove(gone)); // already in the trash
        QVERIFY(store.list().isEmpty());
        QVERIFY(store.list(QStringLiteral("伊藤")).isEmpty());
        QCOMPARE(store.listTrash().size(), 2);
        QVERIFY(store.listTrash().first().deleted.isValid());

        QVERIFY(store.restore(kept));
        QCOMPARE(store.list(QStringLiteral("伊藤")).value(0).id, kept);
        QCOMPARE(store.load(kept)->locationMap, c.locationMap);

        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(store.purgeExpired(now.addDays(CaseStore::kTrashDays - 1)));
        QCOMPARE(store.listTrash().size(), 1);
        QVERIFY(store.purgeExpired(now.addDays(CaseStore::kTrashDays + 1)));
        QVERIFY(store.listTrash().isEmpty());
        QVERIFY(!store.load(gone));
        QCOMPARE(store.list().size(), 1); // a case in use never expires
    }

    // Two desks (two connections) change one case: the later save becomes a copy.
    void conflictingWritersKeepBoth_data() { backends(); }
    void conflictingWritersKeepBoth() {
        skipWithoutServer();
        const CaseDatabase where = freshDatabase();
        CaseStore desk1(where);
        CaseStore desk2(where);
        Case c;
        c.values[6] = QStringLiteral("鈴木");
        c.locationMap = png({8, 8}, Qt::blue);
        const qint64 id = desk1.save(c, true).id;

        Case first = *desk1.load(id);
        Case second = *desk2.load(id); // desk 2 sees desk 1's case
        first.values[2] = QStringLiteral("一の住所");
        second.values[2] = QStringLiteral("二の住所");
        QVERIFY(desk1.save(first, false).ok);
        const CaseStore::Saved copy = desk2.save(second, false);
        QVERIFY(copy.ok);
        QVERIFY(copy.copied);
        QVERIFY(copy.id != id);
        QCOMPARE(desk1.load(id)->values[2], QStringLiteral("一の住所"));
        const Case kept = *desk1.load(copy.id);
        QCOMPARE(kept.values[2], QStringLiteral("二の住所"));
        QCOMPARE(kept.locationMap, c.locationMap); // the copy is the whole case
        QCOMPARE(desk2.list().size(), 2);
    }

    // Typing reaches the store without a call; closing keeps the values; a server that goes
    // away keeps the change waiting until it answers again.
    void keeperSavesTyping_data() { backends(); }
    void keeperSavesTyping() {
        skipWithoutServer();
        const CaseDatabase where = freshDatabase();
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        qint64 id;
        {
            CaseKeeper keeper(document, where, true);
            QSignalSpy current(&keeper, &CaseKeeper::currentCaseChanged);
            document.fields().setValue(69, QStringLiteral("佐藤花子"));
            QVERIFY(keeper.hasUnsavedChange());
            QTRY_VERIFY_WITH_TIMEOUT(!keeper.hasUnsavedChange(), 5000);
            id = keeper.currentCaseId();
            QVERIFY(id != 0);
            QVERIFY(keeper.currentCaseName().startsWith(QStringLiteral("佐藤花子 ")));
            QCOMPARE(current.size(), 1);

            document.fields().setValue(70, QStringLiteral("横浜市"));
            QImage map(20, 10, QImage::Format_RGB32);
            map.fill(Qt::green);
            document.drawing().layoutMap = map;
            keeper.drawingChanged();
            document.clear(); // closing the form empties it, not the case
        }
        CaseStore store(where);
        Case c = *store.load(id);
        QCOMPARE(c.values[69], QStringLiteral("佐藤花子"));
        QCOMPARE(c.values[70], QStringLiteral("横浜市"));
        QCOMPARE(decodeMaps(c).layout.size(), QSize(20, 10));
        QCOMPARE(store.list().size(), 1);

        QFETCH(QString, backend);
        if (backend != u"postgresql")
            return;
        CaseKeeper keeper(document, where, true);
        keeper.openCase(id);
        QTRY_COMPARE(keeper.currentCaseId(), id);
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        keeper.fillDocument();
        QCOMPARE(document.fields().value(70), QStringLiteral("横浜市"));
        QSignalSpy problems(&keeper, &CaseKeeper::problem);
        QVERIFY(server_.stop());
        document.fields().setValue(70, QStringLiteral("大阪市"));
        QTRY_VERIFY(!problems.isEmpty());
        QVERIFY(keeper.hasUnsavedChange());
        QVERIFY(server_.start());
        QTRY_VERIFY_WITH_TIMEOUT(!keeper.hasUnsavedChange(), 10000);
        QCOMPARE(problems.last().first().toString(), QString());
        CaseStore again(where);
        QCOMPARE(again.load(id)->values[70], QStringLiteral("大阪市"));
    }

    // Particulars typed before any document start a case of their own; opening it again
    // gives them back, and a search finds the case by them.
    void keeperKeepsParticulars_data() { backends(); }
    void keeperKeepsParticulars() {
        skipWithoutServer();
        const CaseDatabase where = freshDatabase();
        CurrentDocument document;
        Particulars particulars;
        particulars.setValue(Particular::UserName, QStringLiteral("山田　太郎"));
        qint64 id;
        {
            CaseKeeper keeper(document, where, true);
            QSignalSpy problems(&keeper, &CaseKeeper::problem);
            keeper.setParticulars(particulars);
            QTRY_VERIFY_WITH_TIMEOUT(!keeper.hasUnsavedChange(), 5000);
            QCOMPARE(problems.size(), 0);
            id = keeper.currentCaseId();
            QVERIFY(id != 0);
        }
        CaseKeeper keeper(document, where, true);
        QSignalSpy opened(&keeper, &CaseKeeper::particularsChanged);
        keeper.openCase(id);
        QTRY_COMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().value<Particulars>(), particulars);
        CaseStore store(where);
        QCOMPARE(store.list(QStringLiteral("山田")).value(0).id, id);
    }

    // A file that is not a database is reported and left byte for byte; nothing is kept.
    void damagedFileIsLeftUntouched() {
        const QString path = dir_.filePath(QStringLiteral("damaged.sqlite"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("SQLite format 3") + QByteArray(8192, '\x5a'));
        file.close();
        const QByteArray before = fileHash(path);

        CaseStore store(CaseDatabase::fromArgument(path));
        QVERIFY(!store.isOpen());
        QVERIFY(store.error().contains(path));
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::ConsentLetter));
        {
            CaseKeeper keeper(document, CaseDatabase::fromArgument(path), true);
            QSignalSpy problems(&keeper, &CaseKeeper::problem);
            QSignalSpy stopped(&keeper, &CaseKeeper::keepingStopped);
            // Told on start, before anything is typed, and only once.
            QTRY_COMPARE(stopped.size(), 1);
            QVERIFY(stopped.first().first().toString().contains(path));
            document.fields().setValue(29, QStringLiteral("田中"));
            QVERIFY(!problems.isEmpty());
            QVERIFY(!keeper.isKeeping());
            QVERIFY(!keeper.hasUnsavedChange());
            QTest::qWait(2 * CaseKeeper::kSaveDelayMs);
            QCOMPARE(stopped.size(), 1);
        }
        QCOMPARE(fileHash(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    }

    // A file whose pages fail SQLite's check is damaged for every tool, though its first page
    // reads: nothing is written to it.
    void fileFailingItsCheckIsDamaged() {
        const QString path = dir_.filePath(QStringLiteral("torn.sqlite"));
        {
            CaseStore store(CaseDatabase::fromArgument(path));
            for (int i = 0; i < 40; ++i) {
                Case c;
                c.values[0] = QString(900, QChar(u'あ' + i));
                QVERIFY(store.save(c, false).ok);
            }
        }
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(file.size() - 3 * 4096));
            file.write(QByteArray(4096, '\xff'));
        }
        const QByteArray before = fileHash(path);
        CaseStore store(CaseDatabase::fromArgument(path));
        QVERIFY(!store.isOpen());
        QCOMPARE(store.trouble(), CaseStore::Trouble::Damaged);
        QVERIFY(store.error().contains(QStringLiteral("壊れている")));
        QCOMPARE(fileHash(path), before);
    }

    // A lock held at start is waited for, not taken for damage: what is typed meanwhile is
    // saved once it clears, and keeping stays on.
    void lockAtStartThenTypingIsKept() {
        const QString path = dir_.filePath(QStringLiteral("locked.sqlite"));
        QVERIFY(CaseStore(CaseDatabase::fromArgument(path)).isOpen());
        {
            QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
            locker.setDatabaseName(path);
            QVERIFY(locker.open());
            // A rollback journal: an exclusive writer keeps even readers out.
            QVERIFY(QSqlQuery(locker).exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
            QVERIFY(QSqlQuery(locker).exec(QStringLiteral("BEGIN EXCLUSIVE")));
            CurrentDocument document;
            document.setTitle(titleOf(DocumentKind::ConsentLetter));
            CaseKeeper keeper(document, CaseDatabase::fromArgument(path), true);
            QSignalSpy stopped(&keeper, &CaseKeeper::keepingStopped);
            document.fields().setValue(29, QStringLiteral("田中"));
            QTest::qWait(2 * CaseKeeper::kSlowSaveMs);
            QVERIFY(keeper.hasUnsavedChange());
            QVERIFY(QSqlQuery(locker).exec(QStringLiteral("COMMIT")));
            QTRY_VERIFY_WITH_TIMEOUT(!keeper.hasUnsavedChange(), 10000);
            QVERIFY(keeper.isKeeping());
            QCOMPARE(stopped.size(), 0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
        CaseStore store(CaseDatabase::fromArgument(path));
        const QList<CaseSummary> cases = store.list();
        QCOMPARE(cases.size(), 1);
        QCOMPARE(store.load(cases.first().id)->values[29], QStringLiteral("田中"));
    }

    void newerSchemaIsOnlyRead() {
        const QString path = dir_.filePath(QStringLiteral("newer.sqlite"));
        qint64 id;
        {
            CaseStore store(CaseDatabase::fromArgument(path));
            Case c;
            c.values[0] = QStringLiteral("駐車場");
            id = store.save(c, false).id;
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("UPDATE case_schema SET version = 99")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        const QByteArray before = fileHash(path);
        CaseStore store(CaseDatabase::fromArgument(path));
        QVERIFY(store.isReadOnly());
        QCOMPARE(store.load(id)->values[0], QStringLiteral("駐車場"));
        QVERIFY(!store.save(*store.load(id), false).ok);
        QVERIFY(!store.remove(id));
        QCOMPARE(fileHash(path), before);
    }

    // A database of schema 2 keeps its fit choices when it is brought up (on a server they
    // become BOOLEAN).
    void olderSchemaIsBroughtUp_data() { backends(); }
    void olderSchemaIsBroughtUp() {
        skipWithoutServer();
        const CaseDatabase where = freshDatabase();
        const bool sqlite = where.kind == CaseDatabase::Kind::Sqlite;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(
                sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), "old");
            if (sqlite)
                db.setDatabaseName(where.target);
            else
                db.setConnectOptions(where.target);
            QVERIFY(db.open());
            QSqlQuery sql(db);
            QVERIFY(sql.exec(QStringLiteral("CREATE TABLE case_schema (version INTEGER)")));
            QVERIFY(sql.exec(QStringLiteral("INSERT INTO case_schema (version) VALUES (2)")));
            for (const Migration& migration : migrations().first(2)) {
                for (const QString& step : sqlite ? migration.sqlite : migration.postgres)
                    QVERIFY2(sql.exec(step), qPrintable(sql.lastError().text()));
            }
            QVERIFY2(
                sql.exec(
                    QStringLiteral(
                        "INSERT INTO cases (name, named, created, changed, revision, "
                        "field_values, registration_number, particulars, search_text, "
                        "fit_layout_map%1) VALUES ('古い案件', '0', 0, 0, 1, '[]', '', '', '', "
                        "1%2)")
                        .arg(sqlite ? QString() : QStringLiteral(", grams"),
                             sqlite ? QString() : QStringLiteral(", '{}'"))),
                qPrintable(sql.lastError().text()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));
        CaseStore store(where);
        QVERIFY2(store.isOpen(), qPrintable(store.error()));
        const QList<qint64> ids = store.findByName(QStringLiteral("古い案件"));
        QCOMPARE(ids.size(), 1);
        const std::optional<Case> old = store.load(ids.first());
        QVERIFY(old && old->fitLayoutMap && !old->fitLocationMap);
        Case changed = *old;
        changed.fitLocationMap = true;
        QVERIFY2(store.save(changed, false).ok, qPrintable(store.error()));
        QVERIFY(store.load(old->id)->fitLocationMap);
    }

    // A database whose tables cannot be built says so, not that a case could not be saved.
    void unusableDatabaseSaysWhy() {
        const QString path = dir_.filePath(QStringLiteral("foreign.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "foreign");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE cases (other TEXT)")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
        CaseStore store(CaseDatabase::fromArgument(path));
        QVERIFY(!store.isOpen());
        QVERIFY2(
            store.error().startsWith(QStringLiteral("案件のデータベースを使える状態にできません")),
            qPrintable(store.error()));
    }

    // A process killed while it saves leaves the last complete save: every value of one round.
    void killedDuringSaveKeepsLastCompleteState() {
        const QString path = dir_.filePath(QStringLiteral("killed.sqlite"));
        for (int attempt = 0; attempt < 3; ++attempt) {
            QProcess child;
            child.start(qEnvironmentVariable("MIVO_CASE_SAVE_CHILD"), {path});
            QVERIFY(child.waitForReadyRead(10000));
            QTest::qWait(150 + 100 * attempt);
            child.kill();
            child.waitForFinished();

            CaseStore store(CaseDatabase::fromArgument(path));
            QVERIFY2(store.isOpen(), qPrintable(store.error()));
            const QList<CaseSummary> cases = store.list();
            QCOMPARE(cases.size(), 1);
            const Case c = *store.load(cases.first().id);
            const QString round = c.values[0];
            QVERIFY(round.startsWith(QStringLiteral("round ")));
            for (const QString& value : c.values)
                QCOMPARE(value, round);
            QCOMPARE(c.locationMap, QByteArray(64 * 1024, char(round.mid(6).toInt())));
        }
    }
};

QTEST_GUILESS_MAIN(CaseStoreTest)
#include "case_store_test.moc"
