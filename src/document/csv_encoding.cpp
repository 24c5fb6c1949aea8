#include "document/csv_encoding.h"

namespace mivo {

std::optional<CsvEncoding> csvEncodingNamed(QString name) {
    name = name.toLower().remove(u'-').remove(u'_');
    if (name == u"utf8")
        return CsvEncoding::Utf8;
    if (name == u"cp932" || name == u"shiftjis" || name == u"sjis")
        return CsvEncoding::Cp932;
    return std::nullopt;
}

} // namespace mivo
