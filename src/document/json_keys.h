#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace mivo {

// The first key that appears twice in one object of `json`, at any depth (a JSON reader
// would silently keep the last); nothing when every key is unique. Meant for text that has
// already been read as JSON; one pass, linear in its size.
std::optional<QString> duplicateJsonKey(QByteArrayView json);

} // namespace mivo
