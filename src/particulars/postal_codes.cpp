#include "particulars/postal_codes.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace mivo {
namespace {

// resources/postal/codes.txt, made by scripts/update-postal-codes: "@prefecture\tcity"
// lines number the cities, "=NNN" opens the codes beginning with NNN, and
// "NNNN\tcity number\ttown" is one address; codes ascend through the file.
class PostalTable {
  public:
    PostalTable() {
        QFile file(QStringLiteral(":/postal/codes.txt"));
        if (file.open(QIODevice::ReadOnly))
            text_ = file.readAll();
        int prefix = -1;
        for (qsizetype start = 0; start < text_.size();) {
            qsizetype end = text_.indexOf('\n', start);
            if (end < 0)
                end = text_.size();
            addLine(QByteArrayView(text_).sliced(start, end - start), start, prefix);
            start = end + 1;
        }
    }

    QList<PostalAddress> find(int code) const {
        const auto [first, last] = std::equal_range(entries_.begin(), entries_.end(), code, Less{});
        QList<PostalAddress> addresses;
        for (auto entry = first; entry != last; ++entry) {
            const City& city = cities_[entry->city];
            addresses.append({city.prefecture, city.city,
                              QString::fromUtf8(text_.constData() + entry->town, entry->townSize)});
        }
        return addresses;
    }

  private:
    struct City {
        QString prefecture, city;
    };
    struct Entry {
        int code;
        int city;
        qsizetype town; // where its text starts in text_
        int townSize;
    };
    struct Less {
        bool operator()(const Entry& entry, int code) const { return entry.code < code; }
        bool operator()(int code, const Entry& entry) const { return code < entry.code; }
    };

    void addLine(QByteArrayView line, qsizetype offset, int& prefix) {
        if (line.startsWith('@')) {
            const qsizetype tab = line.indexOf('\t');
            cities_.push_back({QString::fromUtf8(line.sliced(1, tab - 1)),
                               QString::fromUtf8(line.sliced(tab + 1))});
        } else if (line.startsWith('=')) {
            prefix = line.sliced(1).toInt();
        } else if (!line.startsWith('#') && prefix >= 0 && line.size() > 5 && line[4] == '\t') {
            const qsizetype tab = line.indexOf('\t', 5);
            if (tab < 0)
                return;
            const int city = line.sliced(5, tab - 5).toInt();
            if (size_t(city) >= cities_.size())
                return;
            entries_.push_back({prefix * 10000 + line.first(4).toInt(), city, offset + tab + 1,
                                int(line.size() - tab - 1)});
        }
    }

    QByteArray text_;
    std::vector<City> cities_;
    std::vector<Entry> entries_;
};

} // namespace

QList<PostalAddress> lookUpPostalCode(QStringView text) {
    const std::optional<int> code = parsePostalCode(text);
    if (!code)
        return {};
    static const PostalTable table;
    return table.find(*code);
}

} // namespace mivo
