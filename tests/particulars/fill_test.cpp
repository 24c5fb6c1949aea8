#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "particulars/fill_rules.h"
#include "particulars/fill_table.h"
#include "particulars/postal_fill.h"

#include <QJsonDocument>
#include <QSet>
#include <QTest>

using namespace mivo;

namespace {

const FieldRun kEveryField{0, FieldStore::Count};

const FieldInfo* catalogueEntry(int field) {
    for (const FieldInfo& entry : fieldCatalogue()) {
        if (entry.index == field)
            return &entry;
    }
    return nullptr;
}

} // namespace

class FillTest : public QObject {
    Q_OBJECT

  private slots:
    // Every target is a field of the document the row names, no field has two particulars,
    // and the caption beside each person's box says what the particular is.
    void tableMatchesTheCatalogue() {
        const std::pair<const char16_t*, const char16_t*> captionWords[] = {
            {u"氏名", u"氏"},       {u"住所", u"住"},
            {u"郵便番号", u"〒"},   {u"フリガナ", u"フ リ ガ ナ"},
            {u"電話", u"電話番号"},
        };
        QSet<int> seen;
        for (const FieldFill& row : fillTable()) {
            const QString where = QStringLiteral("tx(%1)").arg(row.field);
            const DocumentInfo& document = documentInfo(row.document);
            QVERIFY2(document.fields.contains(row.field),
                     qPrintable(where + " is not on " + document.title));
            const FieldInfo* entry = catalogueEntry(row.field);
            QVERIFY2(entry, qPrintable(where));
            QVERIFY2(!seen.contains(row.field), qPrintable(where + " twice"));
            seen.insert(row.field);
            const QString label = QString::fromUtf16(info(row.particular).fullLabel);
            for (const auto& [labelWord, captionWord] : captionWords) {
                if (label.contains(QString::fromUtf16(labelWord)))
                    QVERIFY2(
                        QString::fromUtf16(entry->label).contains(QString::fromUtf16(captionWord)),
                        qPrintable(where + " is not " + label));
            }
        }
    }

    // Boxes on one line for consecutive items of one role (year, month, day; the telephone's
    // three parts; the vehicle's columns) run left to right in the items' order.
    void tripleBoxesRunLeftToRight() {
        for (const FieldFill& a : fillTable()) {
            for (const FieldFill& b : fillTable()) {
                const FieldInfo *boxA = catalogueEntry(a.field), *boxB = catalogueEntry(b.field);
                if (a.document != b.document || int(b.particular) != int(a.particular) + 1 ||
                    qstrcmp(info(a.particular).roleKey, info(b.particular).roleKey) != 0 ||
                    boxA->top != boxB->top)
                    continue;
                QVERIFY2(boxA->left < boxB->left,
                         qPrintable(QStringLiteral("tx(%1) and tx(%2)").arg(a.field).arg(b.field)));
            }
        }
    }

    // A postal code fills the address box of the same person on the same page.
    void addressBesideEachPostalCode() {
        QCOMPARE(addressFieldBeside(1), 2);
        QCOMPARE(addressFieldBeside(16), 17);
        QCOMPARE(addressFieldBeside(34), 35);
        QCOMPARE(addressFieldBeside(2), std::nullopt);
    }

    // A particular fills only empty fields; a typed value becomes the particular once, and the
    // other documents take it from there.
    void fillsBothWaysOnceAndNeverOverwrites() {
        FieldStore fields;
        Particulars particulars;
        fields.setValue(36, QStringLiteral("山田太郎"));
        QVERIFY(adoptTypedValue(particulars, fields, 36));
        QCOMPARE(particulars.value(Particular::UserName), QStringLiteral("山田太郎"));

        fields.setValue(50, QStringLiteral("山田花子")); // typed on 譲渡証明書 before the fill
        // Only the open document's fields: the others take the particulars when opened.
        QCOMPARE(fillEmptyFields(particulars, fields, findDocument(u"委任状")->fields),
                 QList<int>{69});
        QCOMPARE(fields.value(6), QString());
        QCOMPARE(fillEmptyFields(particulars, fields, kEveryField), QList<int>{6});
        QCOMPARE(fields.value(50), QStringLiteral("山田花子"));
        QVERIFY(!adoptTypedValue(particulars, fields, 50));
        QCOMPARE(particulars.value(Particular::UserName), QStringLiteral("山田太郎"));
        QCOMPARE(fieldsFromParticulars(particulars, fields), (QList<int>{6, 36, 69}));

        // Typed into 自動車登録番号又は車台番号, it could be either: it becomes neither.
        fields.setValue(66, QStringLiteral("ABC-123"));
        QVERIFY(!adoptTypedValue(particulars, fields, 66));
        fields.setValue(66, QString());
        particulars.setValue(Particular::ChassisNumber, QStringLiteral("ZVW30-1234567"));
        fillEmptyFields(particulars, fields, kEveryField);
        QCOMPARE(fields.value(66), QStringLiteral("ZVW30-1234567"));
        particulars.setValue(Particular::RegistrationNumber, QStringLiteral("品川 500 あ 1234"));
        QCOMPARE(fillEmptyFields(particulars, fields, kEveryField), QList<int>{});

        // Only on request do the particulars go over what was typed.
        const QList<int> refilled = refillFields(particulars, fields, kEveryField);
        QVERIFY(refilled.contains(50) && refilled.contains(66));
        QCOMPARE(fields.value(50), QStringLiteral("山田太郎"));
        QCOMPARE(fields.value(66), QStringLiteral("品川 500 あ 1234"));
    }

    // A correction reaches every document of the case: the fields still holding the old value
    // and the empty ones take the new one, whichever document they are on; a value typed
    // differently stays. The year of a date line without an era carries it (令和8).
    void correctionReachesEveryDocument() {
        FieldStore fields;
        Particulars before, after;
        before.setValue(Particular::UserName, QStringLiteral("山"));
        after.setValue(Particular::UserName, QStringLiteral("山田"));
        fields.setValue(6, QStringLiteral("山"));
        fields.setValue(50, QStringLiteral("山"));
        before.setValue(Particular::UserAddress, QStringLiteral("東京都"));
        after.setValue(Particular::UserAddress, QStringLiteral("東京都千代田区"));
        fields.setValue(2, QStringLiteral("大阪府"));
        after.setValue(Particular::DocumentYear, QStringLiteral("8"));
        const QList<int> changed = followParticulars(before, after, fields);
        for (int index : {6, 36, 50, 69, 35, 49, 70, 13, 25})
            QVERIFY2(changed.contains(index), qPrintable(QString::number(index)));
        QCOMPARE(fields.value(50), QStringLiteral("山田"));
        QCOMPARE(fields.value(36), QStringLiteral("山田"));
        QCOMPARE(fields.value(2), QStringLiteral("大阪府"));
        QCOMPARE(fields.value(70), QStringLiteral("東京都千代田区"));
        QCOMPARE(fields.value(25), QStringLiteral("8"));
        QCOMPARE(fields.value(13), QStringLiteral("令和8"));
        QCOMPARE(fieldsFromParticulars(after, fields).contains(13), true);

        // Typed with its era, the year becomes the particular without it.
        Particulars learned;
        QVERIFY(adoptTypedValue(learned, fields, 13));
        QCOMPARE(learned.value(Particular::DocumentYear), QStringLiteral("8"));
    }

    // Every particular keeps its own place in the case's JSON text, and the field it was
    // learned from; a link to a field the particular does not fill is dropped.
    void jsonKeepsEveryParticular() {
        Particulars particulars;
        for (const ParticularInfo& item : particularInfos())
            particulars.setValue(item.particular, QString::fromUtf16(item.fullLabel) + u'値');
        particulars.learn(Particular::UserPhoneNumber, QStringLiteral("5678"), 5);
        const QByteArray text = QJsonDocument(particulars.toJson()).toJson();
        QCOMPARE(Particulars::fromJson(QJsonDocument::fromJson(text).object()), particulars);

        QJsonObject odd = particulars.toJson();
        odd.insert(QStringLiteral("later"), QStringLiteral("from a newer version"));
        QJsonObject user = odd.value(u"user").toObject();
        user.insert(QStringLiteral("name"), 42);
        odd.insert(QStringLiteral("user"), user);
        odd.insert(QStringLiteral("learnedFrom"),
                   QJsonObject{{QStringLiteral("user"), QJsonObject{{"phoneNumber", 3}}}});
        const Particulars read = Particulars::fromJson(odd);
        QVERIFY(read.isEmpty(Particular::UserName));
        QCOMPARE(read.value(Particular::UserPhoneNumber), QStringLiteral("5678"));
        QCOMPARE(read.learnedFrom(Particular::UserPhoneNumber), std::nullopt);
        QCOMPARE(read.value(Particular::UserAddress), particulars.value(Particular::UserAddress));
    }
};

QTEST_GUILESS_MAIN(FillTest)
#include "fill_test.moc"
