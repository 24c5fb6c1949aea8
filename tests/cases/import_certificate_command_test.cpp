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

    QJsonObject particulars(const QByteArray& id) const {
        const Run shown = cases({QStringLiteral("show"), QString::fromLatin1(id)});
        return QJsonDocument::fromJson(shown.out).object().value(u"particulars").toObject();
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
};

QTEST_GUILESS_MAIN(ImportCertificateCommandTest)
#include "import_certificate_command_test.moc"
