#include "forms/postal_lookup.h"

#include "forms/prompts.h"
#include "particulars/postal_fill.h"

#include <QLineEdit>

namespace mivo {

bool fillAddressFromPostalCode(QWidget* parent, Prompts& prompts, QStringView typed,
                               QLineEdit* address) {
    if (!address->text().isEmpty() || !parsePostalCode(typed))
        return false;
    const QList<PostalAddress> found = lookUpPostalCode(typed);
    if (found.isEmpty())
        return false;
    QStringList choices;
    for (const PostalAddress& each : found)
        choices.append(addressText(each));
    std::optional<int> picked = 0;
    if (choices.size() > 1)
        picked =
            prompts.choose(parent, QStringLiteral("この郵便番号の町域を選んでください。"), choices);
    if (!picked || *picked < 0 || *picked >= choices.size())
        return false;
    address->setText(choices[*picked]);
    return true;
}

} // namespace mivo
