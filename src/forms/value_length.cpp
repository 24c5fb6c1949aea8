#include "forms/value_length.h"

#include "document/field_value.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>

namespace mivo {

void refuseLongValues(QLineEdit* box, const QString& message) {
    // A validator refuses the whole edit; a maximum length would keep a cut-off paste.
    static const QRegularExpression fits(QStringLiteral("[^\\x{0}]{0,%1}").arg(kValueMaxLength),
                                         QRegularExpression::DotMatchesEverythingOption);
    box->setValidator(new QRegularExpressionValidator(fits, box));
    QObject::connect(box, &QLineEdit::inputRejected, box, [box, message] {
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), message, box);
    });
}

} // namespace mivo
