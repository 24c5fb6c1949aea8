#pragma once

#include "document/csv_encoding.h"

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringConverter>
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
// is, in one pass over its bytes. Two kinds: CSV whose first row names the columns (quoted
// fields across lines; LF, CRLF or old CR-only line ends), and JSON Lines, one {"62": "..."}
// object a line.
class BatchRows {
  public:
    // The field a CSV header names, or nothing after setting `why` (no field, or several).
    using ColumnIndex = std::function<std::optional<int>(const QString& header, QString* why)>;

    // A row larger than this is refused rather than read into memory.
    static constexpr qint64 MaxRowBytes = 1 << 20;

    // Opens `path` (JSON Lines when its name ends in .jsonl or .ndjson, else CSV). With
    // Detect, a CSV that is not valid UTF-8 throughout is read as CP932. nullptr after setting
    // `error` when the file cannot be read or its header names no field.
    static std::unique_ptr<BatchRows> open(const QString& path, const ColumnIndex& columnIndex,
                                           QString* error,
                                           CsvEncoding encoding = CsvEncoding::Detect);

    // The next row; false at the end of the file.
    bool next(BatchRow& row);

  private:
    BatchRows() = default;
    bool fill();
    bool readLine(QByteArray& line, bool& tooLong);
    // The next line that is not blank (or is too long to look at); false at the end of the file.
    bool readNonBlankLine(QByteArray& line, bool& tooLong);
    bool nextCsv(BatchRow& row);
    bool nextJson(BatchRow& row);
    // The fields of the CSV record that starts at the next line; false at the end of the file.
    bool readRecord(QStringList& fields, QString& error);

    QFile file_;
    QByteArray buffer_; // read ahead from file_, consumed from at_
    qsizetype at_ = 0;
    char lineEnd_ = '\n';
    bool json_ = false;
    bool cp932_ = false;
    qint64 line_ = 0;
    qint64 recordLine_ = 0;
    QList<std::optional<int>> columns_;
};

// Field values from a JSON object such as {"62": "山田太郎"}: keys of decimal digits, values
// strings within the length of a value, each key once. Empty `error` when every member is one.
QMap<int, QString> valuesFromJson(const QByteArray& json, QString* error);

} // namespace mivo
