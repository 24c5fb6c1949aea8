#pragma once

#include "document/field_store.h"
#include "particulars/particulars.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

namespace mivo {

// One matter (one vehicle, one customer) across every document: what was typed or loaded,
// a name, and when it was made and last changed.
struct Case {
    qint64 id = 0;       // 0 until the store has it
    qint64 revision = 0; // the store's revision this copy started from
    QString name;
    bool named = false; // renamed by the user; otherwise named from its content
    QDateTime created;
    QDateTime changed;
    using Values = std::array<QString, FieldStore::Count>;
    Values values;
    // The layout drawing: the map pictures as their files' bytes, and the registration number.
    QByteArray locationMap;
    QByteArray layoutMap;
    QString registrationNumber;
    // Per map: fitted to its area of the frame, as the user chose.
    bool fitLocationMap = false;
    bool fitLayoutMap = false;
    // The location map's marks, line and distance as location_file.h writes them, without the
    // picture (that is locationMap); empty when there are none.
    QString locationMarks;
    // The 配置図 drawn in the program as site_plan_file.h writes it (empty for none), and
    // whether the right half prints it in place of the layout map.
    QString sitePlan;
    bool printSitePlan = false;
    Particulars particulars; // 案件の基本情報
    // Document title → when it was last printed or saved as PDF; kept apart from the values.
    QMap<QString, QDateTime> printed;
};

// One line of the list of cases.
struct CaseSummary {
    qint64 id = 0;
    QString name;
    QDateTime created;
    QDateTime changed;
    QStringList documents; // titles of the documents that have values
    QDateTime deleted;     // in the trash since then; invalid for a case in use
    // Found by a search: the value that matched and where in it (UTF-16 units).
    QString matched;
    qsizetype matchedStart = 0;
    qsizetype matchedLength = 0;
};

} // namespace mivo
