#include "document/json_keys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QSet>

namespace mivo {
namespace {

struct Level {
    bool object = false;
    bool expectKey = false;
    QSet<QString> keys;
};

// A key as JSON means it, escapes undone ("\u0061" is "a").
QString keyText(QByteArrayView quoted, bool escaped) {
    if (!escaped)
        return QString::fromUtf8(quoted.sliced(1, quoted.size() - 2));
    const QByteArray array = '[' + quoted.toByteArray() + ']';
    return QJsonDocument::fromJson(array).array().at(0).toString();
}

} // namespace

std::optional<QString> duplicateJsonKey(QByteArrayView json) {
    QList<Level> levels;
    for (qsizetype i = 0; i < json.size(); ++i) {
        switch (json[i]) {
        case '{':
            levels.append({true, true, {}});
            break;
        case '[':
            levels.append({false, false, {}});
            break;
        case '}':
        case ']':
            if (!levels.isEmpty())
                levels.removeLast();
            break;
        case ',':
            if (!levels.isEmpty() && levels.last().object)
                levels.last().expectKey = true;
            break;
        case '"': {
            const qsizetype start = i;
            bool escaped = false;
            for (++i; i < json.size() && json[i] != '"'; ++i) {
                if (json[i] == '\\') {
                    escaped = true;
                    ++i;
                }
            }
            if (levels.isEmpty() || !levels.last().expectKey || i >= json.size())
                break;
            Level& level = levels.last();
            level.expectKey = false;
            const QString key = keyText(json.sliced(start, i - start + 1), escaped);
            if (level.keys.contains(key))
                return key;
            level.keys.insert(key);
            break;
        }
        default:
            break;
        }
    }
    return std::nullopt;
}

} // namespace mivo
