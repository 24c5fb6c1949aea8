#include "particulars/certificate_import.h"

#include "document/field_value.h"
#include "document/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

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

class Export {
  public:
    explicit Export(const QJsonObject& json) : json_(json) {}

    // A name or an address, kept as written.
    Item written(const char* key) const { return item(text(key)); }
    // A vehicle code or number, in half-width letters, digits and spaces.
    Item code(const char* key) const {
        Item read = item(text(key));
        read.text = read.text.normalized(QString::NormalizationForm_KC);
        return read;
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
        const QJsonValue value = json_.value(QLatin1StringView(key));
        return value.isString() ? value.toString().trimmed() : QString();
    }
    static Item item(const QString& text) {
        if (text.normalized(QString::NormalizationForm_KC) == u"***")
            return {{}, true};
        return {text, false};
    }

    QJsonObject json_;
};

CertificateImport read(const QJsonObject& json) {
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

    const std::pair<Particular, Item> items[] = {
        {Particular::Make, cert.written("CarName")},
        {Particular::ModelCode, cert.code("Model")},
        {Particular::ChassisNumber, cert.code("CarNo")},
        {Particular::EngineModel, cert.code("EngineModel")},
        {Particular::RegistrationNumber, cert.code("EntryNoCarNo")},
        {Particular::UserName, userName},
        {Particular::UserAddress, userAddress},
        {Particular::UserBaseOfUse, cert.address("UseheadqrterChar", "UseheadqrterNumValue")},
        {Particular::OwnerAddress, ownerAddress},
        {Particular::OwnerName, ownerName},
    };
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

QString labels(const QList<Particular>& particulars) {
    QStringList names;
    for (Particular particular : particulars)
        names.append(QString::fromUtf16(info(particular).fullLabel));
    return names.join(u'、');
}

} // namespace

CertificateImport importCertificate(const QString& path) {
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
    CertificateImport result = read(certInfo.isObject() ? certInfo.toObject() : document.object());
    if (!result.ok())
        return result;
    if (result.filled.isEmpty() && result.notDisclosed.isEmpty())
        result.error = kNotCertificate.arg(name);
    else if (result.filled.isEmpty()) // every item withheld: there is nothing to take in
        result.error = kNothingDisclosed.arg(name);
    return result;
}

QList<Particular> CertificateImport::mergeInto(Particulars& target) const {
    QList<Particular> kept;
    for (Particular particular : filled) {
        const QString value = particulars.value(particular);
        if (target.isEmpty(particular))
            target.setValue(particular, value);
        else if (target.value(particular) != value)
            kept.append(particular);
    }
    return kept;
}

QString CertificateImport::summary(const QList<Particular>& kept) const {
    QStringList lines;
    lines.append(filled.isEmpty()
                     ? QStringLiteral("車検証から読み込めた項目はありません。")
                     : QStringLiteral("車検証から読み込んだ項目: %1").arg(labels(filled)));
    if (!notDisclosed.isEmpty())
        lines.append(
            QStringLiteral("開示されていない項目（空欄のまま）: %1").arg(labels(notDisclosed)));
    if (!kept.isEmpty())
        lines.append(QStringLiteral("入力済みのため変えなかった項目: %1").arg(labels(kept)));
    return lines.join(u'\n');
}

} // namespace mivo
