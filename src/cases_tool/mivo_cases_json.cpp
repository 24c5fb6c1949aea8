#include "cases_tool/mivo_cases_json.h"

#include "cases/case_document.h"
#include "cases/case_register.h"
#include "document/field_value.h"
#include "document/json_keys.h"
#include "document/location_file.h"
#include "document/picture_file.h"
#include "document/regular_file.h"
#include "document/site_plan_file.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <algorithm>

namespace mivo {
namespace {

QString when(const QDateTime& time) { return time.toLocalTime().toString(Qt::ISODate); }

// A spreadsheet reads a cell that starts with one of these as a formula; the apostrophe makes
// it text, as spreadsheets' own exports do.
QString asText(const QString& field) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !field.isEmpty() && formulaStarts.contains(field.front()) ? u'\'' + field : field;
}

// Whether an import holds anything of a case: `{}`, another program's JSON or a certificate
// export would otherwise become an empty case.
bool holdsSomething(const Case& c) {
    return std::ranges::any_of(c.values, [](const QString& v) { return !v.isEmpty(); }) ||
           !c.registrationNumber.isEmpty() || !c.locationMap.isEmpty() || !c.layoutMap.isEmpty() ||
           !c.locationMarks.isEmpty() || !c.sitePlan.isEmpty() || c.particulars != Particulars{};
}

// The first particular longer than a value may be, named as the particulars window names it.
QString particularsProblem(const Particulars& particulars) {
    for (const ParticularInfo& item : particularInfos()) {
        if (particulars.value(item.particular).size() > kValueMaxLength)
            return QStringLiteral("基本情報の%1が長すぎます（%2 文字まで）。")
                .arg(QString::fromUtf16(item.fullLabel))
                .arg(kValueMaxLength);
    }
    return {};
}

} // namespace

QJsonObject caseToJson(const Case& c, const QJsonObject& mapFiles) {
    QJsonObject values;
    for (int i = 0; i < FieldStore::Count; ++i) {
        if (!c.values[size_t(i)].isEmpty())
            values.insert(QString::number(i), c.values[size_t(i)]);
    }
    QJsonObject json{
        {QStringLiteral("id"), c.id},
        {QStringLiteral("name"), c.name},
        {QStringLiteral("created"), when(c.created)},
        {QStringLiteral("changed"), when(c.changed)},
        {QStringLiteral("values"), values},
        {QStringLiteral("registration_number"), c.registrationNumber},
        {QStringLiteral("fit_maps"), QJsonObject{{QStringLiteral("location"), c.fitLocationMap},
                                                 {QStringLiteral("layout"), c.fitLayoutMap}}}};
    if (!mapFiles.isEmpty())
        json.insert(QStringLiteral("maps"), mapFiles);
    if (const QJsonDocument marks = QJsonDocument::fromJson(c.locationMarks.toUtf8());
        marks.isObject())
        json.insert(QStringLiteral("location"), marks.object());
    if (const QJsonDocument plan = QJsonDocument::fromJson(c.sitePlan.toUtf8()); plan.isObject()) {
        json.insert(QStringLiteral("site_plan"), plan.object());
        json.insert(QStringLiteral("print_site_plan"), c.printSitePlan);
    }
    if (const QJsonObject particulars = c.particulars.toJson(); !particulars.isEmpty())
        json.insert(QStringLiteral("particulars"), particulars);
    return json;
}

Case caseFromJson(const QByteArray& bytes, const QString& folder, QString* error) {
    Case c;
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (!document.isObject()) {
        *error = QStringLiteral("JSON として読めません（%1）。mivo-cases show の形で書いて"
                                "ください。")
                     .arg(parse.errorString());
        return c;
    }
    if (const std::optional<QString> twice = duplicateJsonKey(bytes)) {
        *error = QStringLiteral("キー \"%1\" が二度あります。一つにしてください。").arg(*twice);
        return c;
    }
    const QJsonObject json = document.object();
    c.name = json.value(QStringLiteral("name")).toString().trimmed();
    c.named = !c.name.isEmpty();
    c.registrationNumber = json.value(QStringLiteral("registration_number")).toString();
    const QJsonObject fit = json.value(QStringLiteral("fit_maps")).toObject();
    c.fitLocationMap = fit.value(QStringLiteral("location")).toBool();
    c.fitLayoutMap = fit.value(QStringLiteral("layout")).toBool();
    const QJsonObject values = json.value(QStringLiteral("values")).toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        bool isNumber = false;
        const int index = it.key().toInt(&isNumber);
        if (!isNumber || !FieldStore::isIndex(index) || !it.value().isString()) {
            *error = QStringLiteral("\"values\" の項目 \"%1\" は 0〜78 の番号と文字列にして"
                                    "ください。")
                         .arg(it.key());
            return c;
        }
        c.values[size_t(index)] = it.value().toString();
        if (const QString problem = valueProblem(index, c.values[size_t(index)]);
            !problem.isEmpty()) {
            *error = problem + u'。';
            return c;
        }
    }
    if (c.name.size() > kValueMaxLength || c.registrationNumber.size() > kValueMaxLength) {
        *error =
            QStringLiteral("案件名か登録番号が長すぎます（%1 文字まで）。").arg(kValueMaxLength);
        return c;
    }
    const QJsonObject maps = json.value(QStringLiteral("maps")).toObject();
    for (const auto& [key, bytes] : {std::pair{QStringLiteral("location"), &c.locationMap},
                                     {QStringLiteral("layout"), &c.layoutMap}}) {
        const QString file = maps.value(key).toString();
        if (file.isEmpty())
            continue;
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(file));
        // The limits of a map picture, and its bytes read through the same checks.
        const PictureLoad load = loadPictureFile(path);
        const FileContents picture =
            load.ok() ? readRegularFile(path, kPictureByteLimit) : FileContents{{}, load.error};
        if (!picture.ok()) {
            *error = picture.error;
            return c;
        }
        *bytes = picture.data;
    }
    if (const QJsonValue marks = json.value(QStringLiteral("location")); !marks.isUndefined()) {
        const LocationJson read =
            locationFromJson(QJsonDocument(marks.toObject()).toJson(QJsonDocument::Compact));
        if (!marks.isObject() || !read.error.isEmpty() || !read.picture.isEmpty()) {
            *error = QStringLiteral("\"location\" が読めません（%1）。所在図は \"maps\" の "
                                    "\"location\" に置いてください。")
                         .arg(read.error.isEmpty() ? QStringLiteral("picture は書けません")
                                                   : read.error);
            return c;
        }
        c.locationMarks = storedMarks(read.marks);
    }
    if (const QJsonValue plan = json.value(QStringLiteral("site_plan")); !plan.isUndefined()) {
        const SitePlanRead read = readSitePlan(
            plan.isObject() ? QJsonDocument(plan.toObject()).toJson(QJsonDocument::Compact)
                            : QByteArray(),
            QStringLiteral("site_plan"));
        if (!read.ok()) {
            *error = read.error;
            return c;
        }
        c.sitePlan = storedSitePlan(read.plan);
        c.printSitePlan = json.value(QStringLiteral("print_site_plan")).toBool(true);
    }
    c.particulars = Particulars::fromJson(json.value(QStringLiteral("particulars")).toObject());
    if (const QString problem = particularsProblem(c.particulars); !problem.isEmpty()) {
        *error = problem;
        return c;
    }
    if (!holdsSomething(c))
        *error = QStringLiteral("案件の値がありません。mivo-cases show の形で書いたファイルを"
                                "指定してください。");
    return c;
}

QStringList registerHeader() {
    return {QStringLiteral("案件名"),  QStringLiteral("作成日時"), QStringLiteral("変更日時"),
            QStringLiteral("氏名"),    QStringLiteral("住所"),     QStringLiteral("登録番号"),
            QStringLiteral("車台番号")};
}

QStringList registerRow(const Case& c) {
    return {c.name,           when(c.created),       when(c.changed), personName(c),
            personAddress(c), registrationNumber(c), chassisNumber(c)};
}

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << u'"' + asText(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return quoted.join(u',') + QStringLiteral("\r\n");
}

} // namespace mivo
