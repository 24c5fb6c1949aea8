#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace mivo {

// One row of a batch: the line of the file it starts on, and its values by field index, or
// why it cannot be used.
struct BatchRow {
    qint64 line = 0;
    QMap<int, QString> values;
    QString error;
};

// The rows of a batch file, read one at a time so that memory stays flat however long the file
// is. Two kinds: CSV whose first row names the columns (office suites' UTF-8, with or without a
// byte-order mark, quoted fields across lines), and JSON Lines, one {"62": "..."} object a line.
class BatchRows {
  public:
    // What a CSV header names: a field index, or nothing for a header that names no field.
    using ColumnIndex = std::function<std::optional<int>(const QString& header)>;

    // A row larger than this is refused rather than read into memory.
    static constexpr qint64 MaxRowBytes = 1 << 20;

    // Opens `path` (JSON Lines when its name ends in .jsonl or .ndjson, else CSV). nullptr
    // after setting `error` when the file cannot be read or its header names no field.
    static std::unique_ptr<BatchRows> open(const QString& path, const ColumnIndex& columnIndex,
                                           QString* error);

    // The next row; false at the end of the file.
    bool next(BatchRow& row);

  private:
    BatchRows() = default;
    bool readLine(QByteArray& line);
    bool nextCsv(BatchRow& row);
    bool nextJson(BatchRow& row);
    // The fields of the CSV record that starts at the next line; false at the end of the file.
    bool readRecord(QStringList& fields, QString& error);

    QFile file_;
    bool json_ = false;
    qint64 line_ = 0;
    qint64 recordLine_ = 0;
    bool lineEnded_ = true;
    QList<std::optional<int>> columns_;
};

// Field values from a JSON object such as {"62": "山田太郎"}: keys of decimal digits, values
// strings. Empty `error` when every member is one.
QMap<int, QString> valuesFromJson(const QByteArray& json, QString* error);

} // namespace mivo
