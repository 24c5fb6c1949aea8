#include "particulars/postal_codes.h"

#include <QTest>

using namespace mivo;

class PostalCodesTest : public QObject {
    Q_OBJECT

  private slots:
    // One code as it may be typed, half- or full-width, with or without the hyphen.
    void oneTown_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("digits") << "1000001";
        QTest::newRow("hyphen") << "100-0001";
        QTest::newRow("full-width") << "１００－０００１";
        QTest::newRow("mark and spaces") << " 〒100-0001　";
    }
    void oneTown() {
        QFETCH(QString, typed);
        QCOMPARE(lookUpPostalCode(typed), (QList<PostalAddress>{{"東京都", "千代田区", "千代田"}}));
    }

    void severalTownsInJapanPostsOrder() {
        QCOMPARE(lookUpPostalCode(u"028-8402"),
                 (QList<PostalAddress>{{"岩手県", "下閉伊郡田野畑村", "明戸"},
                                       {"岩手県", "下閉伊郡田野畑村", "北山"},
                                       {"岩手県", "下閉伊郡田野畑村", "机"}}));
    }

    void unknownOrNoCode_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("unknown") << "000-0000";
        QTest::newRow("eight digits") << "1000-0001";
        QTest::newRow("six digits") << "100-001";
        QTest::newRow("hyphen misplaced") << "1000-001";
        QTest::newRow("letters") << "l00-0001";
        QTest::newRow("empty") << "";
    }
    void unknownOrNoCode() {
        QFETCH(QString, typed);
        QVERIFY(lookUpPostalCode(typed).isEmpty());
    }
};

QTEST_GUILESS_MAIN(PostalCodesTest)
#include "postal_codes_test.moc"
