#include "particulars/certificate_import.h"

#include "document/field_value.h"
#include "document/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>

#include <vector>

namespace mivo {
namespace {

const QString kUnreadable = QStringLiteral(
    "「%1」を読み込めませんでした。ファイルがあるか、読み取れるかを確かめてください。");
const QString kTooLarge =
    QStringLiteral("「%1」は大きすぎて車検証のデータではありません。"
                   "車検証閲覧アプリで書き出したJSONファイルを選んでください。");
const QString kNotCertificate =
    QStringLiteral("「%1」は車検証のデータとして読み取れません。"
                   "車検証閲覧アプリで書き出したJSONファイルを選んでください。");

const QString kNothingDisclosed =
    QStringLiteral("「%1」の項目はどれも開示されていない（***）ため、読み込むものがありません。");

// One item of the export: its text, or that the export withholds it ("***"); neither when
// the key is missing or empty.
struct Item {
    QString text;
    bool withheld = false;

    bool present() const { return !text.isEmpty() || withheld; }
};

// The export's keys whatever their case: tools write OwnernameLowLevelChar and
// OwnerNameLowLevelChar alike.
class Export {
  public:
    explicit Export(const QJsonObject& json) {
        for (auto it = json.begin(); it != json.end(); ++it)
            values_.insert(it.key().toLower(), it.value());
    }

    // A name or an address, kept as written.
    Item written(const char* key) const { return item(text(key)); }
    // A vehicle code or number, in half-width letters, digits and spaces.
    Item code(const char* key) const {
        Item read = item(text(key));
        read.text = read.text.normalized(QString::NormalizationForm_KC);
        return read;
    }
    // A size in cm, written as a number or as text.
    Item size(const char* key) const {
        const QJsonValue value = values_.value(QString::fromLatin1(key).toLower());
        return value.isDouble() ? Item{QString::number(value.toDouble()), false} : code(key);
    }
    // The form with characters outside the basic set wins when it holds a name.
    Item name(const char* highLevelKey, const char* lowLevelKey) const {
        const Item high = written(highLevelKey);
        const Item low = written(lowLevelKey);
        return !high.text.isEmpty() ? high : low.present() ? low : high;
    }
    // An address in two parts: the place in words and the block and house numbers.
    Item address(const char* charKey, const char* numberKey) const {
        const Item place = written(charKey), number = written(numberKey);
        if (place.withheld || number.withheld)
            return {{}, true};
        return {place.text + number.text, false};
    }

  private:
    QString text(const char* key) const {
        const QJsonValue value = values_.value(QString::fromLatin1(key).toLower());
        return value.isString() ? value.toString().trimmed() : QString();
    }
    static Item item(const QString& text) {
        if (text.normalized(QString::NormalizationForm_KC) == u"***")
            return {{}, true};
        return {text, false};
    }

    QHash<QString, QJsonValue> values_;
};

CertificateImport read(const QJsonObject& json, CertificateOf whose) {
    Export cert(json);
    const Item ownerName = cert.name("OwnernameHighLevelChar", "OwnernameLowLevelChar");
    const Item ownerAddress = cert.address("OwnerAddressChar", "OwnerAddressNumValue");
    Item userName = cert.name("UsernameHighLevelChar", "UsernameLowLevelChar");
    Item userAddress = cert.address("UserAddressChar", "UserAddressNumValue");
    // The certificate withholds the user's name or address where it is the owner's.
    if (userName.withheld && ownerName.present())
        userName = ownerName;
    if (userAddress.withheld && ownerAddress.present())
        userAddress = ownerAddress;
    std::vector<std::pair<Particular, Item>> items = {
        {Particular::Make, cert.written("CarName")},
        {Particular::ModelCode, cert.code("Model")},
        {Particular::ChassisNumber, cert.code("CarNo")},
        {Particular::EngineModel, cert.code("EngineModel")},
        {Particular::RegistrationNumber, cert.code("EntryNoCarNo")},
        {Particular::VehicleLength, cert.size("Length")},
        {Particular::VehicleWidth, cert.size("Width")},
        {Particular::VehicleHeight, cert.size("Height")},
    };
    if (whose == CertificateOf::Seller) {
        // The seller's certificate: its owner hands the vehicle over (譲渡人); its user is
        // nobody of this registration.
        items.insert(items.end(), {{Particular::TransferorName, ownerName},
                                   {Particular::TransferorAddress, ownerAddress}});
    } else {
        items.insert(items.end(), {{Particular::UserName, userName},
                                   {Particular::UserAddress, userAddress},
                                   {Particular::UserBaseOfUse,
                                    cert.address("UseheadqrterChar", "UseheadqrterNumValue")},
                                   {Particular::OwnerAddress, ownerAddress},
                                   {Particular::OwnerName, ownerName}});
    }
    CertificateImport result;
    for (const auto& [particular, item] : items) {
        if (item.text.size() > kValueMaxLength) {
            result.error = QStringLiteral("車検証の%1が長すぎます（%2 文字まで）。")
                               .arg(QString::fromUtf16(info(particular).fullLabel))
                               .arg(kValueMaxLength);
            return result;
        }
        if (item.withheld) {
            result.notDisclosed.append(particular);
        } else if (!item.text.isEmpty()) {
            result.particulars.setValue(particular, item.text);
            result.filled.append(particular);
        }
    }
    return result;
}

// Two writings of one value: the same but for the width of its characters and its spaces.
bool sameValue(const QString& a, const QString& b) {
    const auto plain = [](const QString& text) {
        QString normal = text.normalized(QString::NormalizationForm_KC);
        normal.remove(u' ');
        return normal;
    };
    return plain(a) == plain(b);
}

QString labels(const QList<Particular>& particulars) {
    QStringList names;
    for (Particular particular : particulars)
        names.append(QString::fromUtf16(info(particular).fullLabel));
    return names.join(u'、');
}

} // namespace

CertificateImport importCertificate(const QString& path, CertificateOf whose) {
    const QString name = QFileInfo(path).fileName();
    CertificateImport failed;
    // Only a regular file, opened without waiting: a FIFO or a device would block the reader
    // or never end.
    QFile file;
    if (!openRegularFile(file, QFile::encodeName(path)).isEmpty()) {
        failed.error = kUnreadable.arg(name);
        return failed;
    }
    const QByteArray data = file.read(kCertificateByteLimit + 1);
    if (data.size() > kCertificateByteLimit) {
        failed.error = kTooLarge.arg(name);
        return failed;
    }
    const QJsonDocument document = QJsonDocument::fromJson(data);
    const QJsonValue certInfo = document.object().value(u"CertInfo");
    CertificateImport result =
        read(certInfo.isObject() ? certInfo.toObject() : document.object(), whose);
    if (!result.ok())
        return result;
    if (result.filled.isEmpty() && result.notDisclosed.isEmpty())
        result.error = kNotCertificate.arg(name);
    else if (result.filled.isEmpty()) // every item withheld: there is nothing to take in
        result.error = kNothingDisclosed.arg(name);
    return result;
}

QList<Particular> CertificateImport::conflicts(const Particulars& target) const {
    static constexpr Particular kAsked[] = {
        Particular::ChassisNumber, Particular::RegistrationNumber, Particular::UserName,
        Particular::OwnerName,     Particular::TransferorName,
    };
    QList<Particular> differing;
    for (Particular particular : kAsked) {
        if (filled.contains(particular) && !target.isEmpty(particular) &&
            !sameValue(target.value(particular), particulars.value(particular)))
            differing.append(particular);
    }
    return differing;
}

QList<Particular> CertificateImport::mergeInto(Particulars& target,
                                               const QList<Particular>& taken) const {
    QList<Particular> kept;
    for (Particular particular : filled) {
        const QString value = particulars.value(particular);
        if (target.isEmpty(particular) || taken.contains(particular))
            target.setValue(particular, value);
        else if (!sameValue(target.value(particular), value))
            kept.append(particular);
    }
    return kept;
}

QString CertificateImport::summary(const QList<Particular>& kept,
                                   const QList<Particular>& taken) const {
    QStringList lines;
    lines.append(filled.isEmpty()
                     ? QStringLiteral("車検証から読み込めた項目はありません。")
                     : QStringLiteral("車検証から読み込んだ項目: %1").arg(labels(filled)));
    if (!notDisclosed.isEmpty())
        lines.append(
            QStringLiteral("開示されていない項目（空欄のまま）: %1").arg(labels(notDisclosed)));
    if (!kept.isEmpty())
        lines.append(QStringLiteral("入力済みのため変えなかった項目: %1").arg(labels(kept)));
    if (!taken.isEmpty())
        lines.append(QStringLiteral("車検証の値に変えた項目: %1").arg(labels(taken)));
    return lines.join(u'\n');
}

QString CertificateImport::conflictText(const Particulars& target, Particular particular) const {
    return QStringLiteral("%1が案件と車検証で違います。\n案件: %2\n車検証: %3")
        .arg(QString::fromUtf16(info(particular).fullLabel), target.value(particular),
             particulars.value(particular));
}

} // namespace mivo
