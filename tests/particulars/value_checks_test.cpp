#include "document/field_store.h"
#include "particulars/value_checks.h"
#include "print/value_form.h"

#include <QTest>

using namespace mivo;

// The checks before printing and the forms values print in, on realistic typing.
class ValueChecksTest : public QObject {
    Q_OBJECT

  private slots:
    // field, value, what else the case holds, and whether the value is doubtful.
    void checks_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("others"); // "index=value"
        QTest::addColumn<bool>("doubtful");
        // 委任状's date: 63 year (令和 printed), 64 month, 65 day.
        QTest::newRow("reiwa year") << 63 << "8" << QStringList{} << false;
        QTest::newRow("western year") << 63 << "２０２６" << QStringList{} << false;
        QTest::newRow("year with era") << 31 << "令和8" << QStringList{} << false;
        QTest::newRow("gannen") << 31 << "令和元" << QStringList{} << false;
        QTest::newRow("letters") << 63 << "abc" << QStringList{} << true;
        QTest::newRow("year 100") << 63 << "100" << QStringList{} << true;
        QTest::newRow("heisei western") << 63 << "2018" << QStringList{} << true;
        QTest::newRow("month 13") << 64 << "13" << QStringList{} << true;
        QTest::newRow("month 0") << 64 << "0" << QStringList{} << true;
        QTest::newRow("day 32") << 65 << "32" << QStringList{} << true;
        QTest::newRow("31 June") << 65 << "31" << QStringList{"63=8", "64=6"} << true;
        QTest::newRow("29 Feb leap") << 65 << "29" << QStringList{"63=2028", "64=2"} << false;
        QTest::newRow("29 Feb not leap") << 65 << "29" << QStringList{"63=9", "64=2"} << true;
        QTest::newRow("day of a bad month") << 65 << "31" << QStringList{"64=13"} << false;
        QTest::newRow("postal") << 1 << "〒１７６－０００１" << QStringList{} << false;
        QTest::newRow("postal six digits") << 1 << "176001" << QStringList{} << true;
        QTest::newRow("postal unknown") << 1 << "0000000" << QStringList{} << true;
        QTest::newRow("phone full-width") << 3 << "０３" << QStringList{} << false;
        QTest::newRow("phone letters") << 5 << "12ab" << QStringList{} << true;
        QTest::newRow("model code") << 41 << "6AA-MXPA10" << QStringList{} << false;
        QTest::newRow("model code full-width")
            << 41 << "６ＡＡ－ＭＸＰＡ１０" << QStringList{} << true;
        QTest::newRow("chassis with space") << 24 << "ZVW30 1234567" << QStringList{} << true;
        QTest::newRow("free text") << 61 << "所有権留保解除!!" << QStringList{} << false;
    }
    void checks() {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QStringList, others);
        QFETCH(bool, doubtful);
        FieldStore fields;
        for (const QString& other : others)
            fields.setValue(other.section(u'=', 0, 0).toInt(), other.section(u'=', 1));
        fields.setValue(field, value);
        const std::optional<QString> doubt = doubtAbout(field, fields);
        QCOMPARE(doubt.has_value(), doubtful);
        if (!doubtful)
            return;
        // Listed before printing by the field's name, never its value.
        const QList<Finding> found = findingsFor({field, 1}, fields);
        QVERIFY(!found.isEmpty());
        QCOMPARE(found.first().kind, Finding::Kind::Doubtful);
        for (const Finding& finding : found)
            QVERIFY(!findingLine(finding).contains(value));
    }

    // Empty fields that matter are named; empty free text and optional parts are not.
    void emptyFieldsThatMatter() {
        FieldStore fields;
        QList<int> empty;
        for (const Finding& finding : findingsFor({30, 10}, fields)) {
            QCOMPARE(finding.kind, Finding::Kind::Empty);
            empty.append(finding.field);
        }
        QCOMPARE(empty, (QList<int>{30, 31, 32, 33, 35, 36}));
    }

    void printedForms_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("printed");
        QTest::newRow("postal bare") << 34 << "1760001"
                                     << "176-0001";
        QTest::newRow("postal full-width") << 1 << "〒１７６ー０００１"
                                           << "176-0001";
        QTest::newRow("postal not a code") << 1 << "17600"
                                           << "17600";
        QTest::newRow("phone") << 37 << "０３"
                               << "03";
        QTest::newRow("station") << 30 << "練馬警察署"
                                 << "練馬";
        QTest::newRow("station name") << 30 << "練馬"
                                      << "練馬";
        QTest::newRow("station alone") << 30 << "警察署"
                                       << "警察署";
        QTest::newRow("western year under 令和") << 63 << "2026"
                                                 << "8";
        QTest::newRow("era under 令和") << 25 << "令和8"
                                        << "8";
        QTest::newRow("era-less line keeps it") << 31 << "令和8"
                                                << "令和8";
        QTest::newRow("name as typed") << 36 << "山田　太郎"
                                       << "山田　太郎";
    }
    void printedForms() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, printed);
        QCOMPARE(printedForm(field, typed), printed);
    }
};

QTEST_MAIN(ValueChecksTest)
#include "value_checks_test.moc"
