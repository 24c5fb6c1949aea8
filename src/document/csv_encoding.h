#pragma once

#include <QString>

#include <optional>

namespace mivo {

// How a CSV file's bytes are text: office suites in Japan save UTF-8 (with or without a
// byte-order mark) or Shift_JIS as Windows has it (CP932). Detect: a file that is not UTF-8
// throughout is CP932.
enum class CsvEncoding { Detect, Utf8, Cp932 };

// The encoding an --encoding option names (utf-8, cp932, shift_jis, sjis), or nothing.
std::optional<CsvEncoding> csvEncodingNamed(QString name);

} // namespace mivo
