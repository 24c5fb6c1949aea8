#include "program_run.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

// mivo-cases import-certificate as a user runs it, on a SQLite file of the test's own.
class ImportCertificateCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    using Run = ProgramRun;

    Run cases(QStringList arguments) const {
        arguments.prepend(QStringLiteral("--database=") + dir_.filePath("cases.sqlite"));
        Run run = runProgram(qEnvironmentVariable("MIVO_CASES"), arguments);
        run.out = run.out.trimmed();
        return run;
    }

    QString write(const QString& name, const QByteArray& content) const {
        return writeTestFile(dir_.filePath(name), content);
    }

    QJsonObject shown(const QByteArray& id) const {
        const Run run = cases({QStringLiteral("show"), QString::fromLatin1(id)});
        return QJsonDocument::fromJson(run.out).object();
    }
    QJsonObject particulars(const QByteArray& id) const {
        return shown(id).value(u"particulars").toObject();
    }
    QString value(const QByteArray& id, int field) const {
        return shown(id).value(u"values").toObject().value(QString::number(field)).toString();
    }

  private slots:
    // A new case from the export; then into a case that holds another make, which stays;
    // a file that is no export changes nothing.
    void importsIntoNewAndExistingCases() {
        const QString path = write("export.json", R"({"CertInfo": {
            "CarName": "トヨタ", "CarNo": "ＺＶＷ３０－１２３４５６７",
            "UsernameLowLevelChar": "山田　太郎", "OwnernameLowLevelChar": "***"}})");
        const Run created = cases({QStringLiteral("import-certificate"), path});
        QCOMPARE(created.exitCode, 0);
        QVERIFY(created.err.contains(QStringLiteral("所有者の氏名")));
        const QJsonObject vehicle = particulars(created.out).value(u"vehicle").toObject();
        QCOMPARE(vehicle.value(u"chassisNumber").toString(), QStringLiteral("ZVW30-1234567"));

        const QString other = write("case.json", R"({"name": "持ち込み",
            "particulars": {"vehicle": {"make": "トヨタ自動車"}}})");
        const QByteArray id = cases({QStringLiteral("import"), other}).out;
        const Run merged = cases({QStringLiteral("import-certificate"), path,
                                  QStringLiteral("--into"), QString::fromLatin1(id)});
        QCOMPARE(merged.exitCode, 0);
        QCOMPARE(merged.out, id);
        QVERIFY(merged.err.contains(QStringLiteral("入力済みのため変えなかった項目: 車名")));
        const QJsonObject both = particulars(id);
        QCOMPARE(both.value(u"vehicle").toObject().value(u"make").toString(),
                 QStringLiteral("トヨタ自動車"));
        QCOMPARE(both.value(u"user").toObject().value(u"name").toString(),
                 QStringLiteral("山田　太郎"));

        const Run refused = cases({QStringLiteral("import-certificate"), other,
                                   QStringLiteral("--into"), QString::fromLatin1(id)});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(particulars(id), both);
    }

    // The seller's certificate into a case of a change of owner: its owner becomes the 譲渡人
    // on 譲渡証明書 and 委任状, its user is not the buyer, a chassis number that differs stays
    // the case's with both shown, and --prefer-certificate takes the certificate's. Keys are
    // read whatever their case.
    void sellersCertificate() {
        const QString path = write("seller.json", R"({"CertInfo": {
            "CarNo": "ZVW30-1111111", "Length": "４５４", "width": 176, "HEIGHT": "149",
            "OwnerNameLowLevelChar": "売主　一郎", "OwnerAddressChar": "東京都練馬区豊玉北",
            "OwnerAddressNumValue": "６丁目１２番１号",
            "UsernameLowLevelChar": "売主の家族"}})");
        const QString buyer = write("buyer.json", R"({"name": "名義変更",
            "values": {"45": "", "73": "手書きの名前"},
            "particulars": {"vehicle": {"chassisNumber": "ZVW30-2222222"},
                            "user": {"name": "買主　花子"}}})");
        const QByteArray id = cases({QStringLiteral("import"), buyer}).out;
        const Run kept =
            cases({QStringLiteral("import-certificate"), path, QStringLiteral("--into"),
                   QString::fromLatin1(id), QStringLiteral("--as"), QStringLiteral("seller")});
        QCOMPARE(kept.exitCode, 0);
        QVERIFY2(kept.out.contains("ZVW30-1111111") && kept.out.contains("ZVW30-2222222"),
                 kept.out.constData());
        const QJsonObject p = particulars(id);
        QCOMPARE(p.value(u"transferor").toObject().value(u"name").toString(),
                 QStringLiteral("売主　一郎"));
        QCOMPARE(p.value(u"user").toObject().value(u"name").toString(),
                 QStringLiteral("買主　花子"));
        QVERIFY(!p.contains(u"owner"));
        const QJsonObject vehicle = p.value(u"vehicle").toObject();
        QCOMPARE(vehicle.value(u"chassisNumber").toString(), QStringLiteral("ZVW30-2222222"));
        QCOMPARE(vehicle.value(u"length").toString(), QStringLiteral("454"));
        QCOMPARE(vehicle.value(u"width").toString(), QStringLiteral("176"));
        QCOMPARE(vehicle.value(u"height").toString(), QStringLiteral("149"));
        QCOMPARE(value(id, 45), QStringLiteral("売主　一郎")); // the stored 譲渡証明書
        QCOMPARE(value(id, 73), QStringLiteral("手書きの名前"));

        const Run taken =
            cases({QStringLiteral("import-certificate"), path, QStringLiteral("--into"),
                   QString::fromLatin1(id), QStringLiteral("--prefer-certificate")});
        QCOMPARE(taken.exitCode, 0);
        QCOMPARE(particulars(id).value(u"vehicle").toObject().value(u"chassisNumber").toString(),
                 QStringLiteral("ZVW30-1111111"));
        QCOMPARE(value(id, 42), QStringLiteral("ZVW30-1111111"));
    }

    // mivo-cases set: a particular by its name corrects every stored field still holding its
    // old value; a field by its index; what changed by index and name, never the value; an
    // unknown name changes nothing.
    void setCorrectsTheStoredDocuments() {
        const QString file = write("set.json", R"({"name": "住所変更",
            "values": {"70": "東京都練馬区", "35": "東京都練馬区", "49": "別の住所"},
            "particulars": {"user": {"address": "東京都練馬区"}}})");
        const QByteArray id = cases({QStringLiteral("import"), file}).out;
        const Run set = cases({QStringLiteral("set"), QString::fromLatin1(id),
                               QStringLiteral("user.address=東京都練馬区豊玉北6-12-1"),
                               QStringLiteral("61=所有権留保解除")});
        QCOMPARE(set.exitCode, 0);
        QVERIFY(!set.out.contains("豊玉北") && !set.out.contains("所有権"));
        for (const char* line : {"user.address", "\n70 ", "\n35 ", "\n2 ", "\n61 "})
            QVERIFY2(set.out.contains(line), set.out.constData());
        QCOMPARE(value(id, 70), QStringLiteral("東京都練馬区豊玉北6-12-1"));
        QCOMPARE(value(id, 2), QStringLiteral("東京都練馬区豊玉北6-12-1"));
        QCOMPARE(value(id, 49), QStringLiteral("別の住所"));
        QCOMPARE(value(id, 61), QStringLiteral("所有権留保解除"));

        const QJsonObject before = shown(id);
        const Run unknown = cases({QStringLiteral("set"), QString::fromLatin1(id),
                                   QStringLiteral("user.name=山田"), QStringLiteral("user.nam=x")});
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY(unknown.err.contains(QStringLiteral("user.nam")));
        QCOMPARE(shown(id), before);
    }
};

QTEST_GUILESS_MAIN(ImportCertificateCommandTest)
#include "import_certificate_command_test.moc"
