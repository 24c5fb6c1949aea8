#include "particulars/certificate_import.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace mivo;

class CertificateImportTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        return file.fileName();
    }

  private slots:
    // A made-up export as the viewer app writes it: full-width values, the user's part
    // withheld (it is the owner's), the owner's name in both forms, a key we do not know.
    void readsAnExport() {
        const QString path = write("export.json", R"({"CertInfo": {
            "CarName": "トヨタ",
            "Model": "ＤＢＡ－ＺＶＷ３０",
            "CarNo": "ＺＶＷ３０－１２３４５６７",
            "EngineModel": "２ＺＲ",
            "EntryNoCarNo": "品川　５００　あ　１２３４",
            "UsernameLowLevelChar": "＊＊＊", "UsernameHighLevelChar": "",
            "UserAddressChar": "***", "UserAddressNumValue": "***",
            "OwnernameLowLevelChar": "高橋　一郎", "OwnernameHighLevelChar": "髙橋　一郎",
            "OwnerAddressChar": "東京都千代田区霞が関", "OwnerAddressNumValue": "２丁目１番３号",
            "UseheadqrterChar": "***", "UseheadqrterNumValue": "",
            "ElectCertMgNo": "１２３４５", "FuelClassification": 3}})");
        const CertificateImport read = importCertificate(path);
        QVERIFY2(read.ok(), qPrintable(read.error));
        const Particulars& p = read.particulars;
        QCOMPARE(p.value(Particular::Make), QStringLiteral("トヨタ"));
        QCOMPARE(p.value(Particular::ModelCode), QStringLiteral("DBA-ZVW30"));
        QCOMPARE(p.value(Particular::ChassisNumber), QStringLiteral("ZVW30-1234567"));
        QCOMPARE(p.value(Particular::EngineModel), QStringLiteral("2ZR"));
        QCOMPARE(p.value(Particular::RegistrationNumber), QStringLiteral("品川 500 あ 1234"));
        QCOMPARE(p.value(Particular::OwnerName), QStringLiteral("髙橋　一郎"));
        QCOMPARE(p.value(Particular::UserName), QStringLiteral("髙橋　一郎"));
        QCOMPARE(p.value(Particular::UserAddress),
                 QStringLiteral("東京都千代田区霞が関２丁目１番３号"));
        QCOMPARE(read.notDisclosed, QList<Particular>{Particular::UserBaseOfUse});
        QVERIFY(p.isEmpty(Particular::UserBaseOfUse));
        QVERIFY(read.summary().contains(QStringLiteral("使用の本拠の位置")));

        // Into a case: what was typed there stays, and the user is told.
        Particulars typed;
        typed.setValue(Particular::Make, QStringLiteral("トヨタ自動車"));
        QCOMPARE(read.mergeInto(typed), QList<Particular>{Particular::Make});
        QCOMPARE(typed.value(Particular::Make), QStringLiteral("トヨタ自動車"));
        QCOMPARE(typed.value(Particular::ModelCode), QStringLiteral("DBA-ZVW30"));
    }

    // The keys at the top level; owner withheld as well: nobody's name is made up.
    void withheldOwnerLeavesTheUserEmpty() {
        const QString path =
            write("top.json", R"({"CarNo": "ＡＢＣ１", "UsernameLowLevelChar": "***",
            "OwnernameLowLevelChar": "***", "OwnernameHighLevelChar": ""})");
        const CertificateImport read = importCertificate(path);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QCOMPARE(read.filled, QList<Particular>{Particular::ChassisNumber});
        QCOMPARE(read.notDisclosed,
                 (QList<Particular>{Particular::UserName, Particular::OwnerName}));
    }

    // Nothing that is not such an export gives particulars, and each says so.
    void refusesWhatIsNoExport_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("damaged") << write("damaged.json", "{\"CertInfo\": {\"CarName\": \"トヨ");
        QTest::newRow("an array") << write("array.json", R"([{"CarName": "トヨタ"}])");
        QTest::newRow("other JSON") << write("other.json", R"({"name": "山田", "CarName": 5})");
        QTest::newRow("empty") << write("empty.json", "");
        const QByteArray padding(kCertificateByteLimit, ' ');
        QTest::newRow("over 1 MiB")
            << write("large.json", R"({"CarName": "トヨタ")" + padding + "}");
        QTest::newRow("missing") << dir_.filePath("missing.json");
        QTest::newRow("a folder") << dir_.path();
        const QString fifo = dir_.filePath("fifo.json"); // would block a reader that opened it
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QTest::newRow("a FIFO") << fifo;
    }
    void refusesWhatIsNoExport() {
        QFETCH(QString, path);
        const CertificateImport read = importCertificate(path);
        QVERIFY(!read.ok());
        QVERIFY(read.error.contains(QStringLiteral("選んで")) ||
                read.error.contains(QStringLiteral("確かめて")));
        QCOMPARE(read.particulars, Particulars{});
        QVERIFY(read.filled.isEmpty() && read.notDisclosed.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CertificateImportTest)
#include "certificate_import_test.moc"
