#pragma once

#include <QString>
#include <QStringView>

#include <span>

namespace mivo {

// A document is known everywhere by its title, compared exactly; the empty title means none.
namespace DocumentKind {
inline const QString PowerOfAttorney = QStringLiteral("委任状");
inline const QString TransferCertificate = QStringLiteral("譲渡証明書");
inline const QString SelfDeclaration = QStringLiteral("自認書");
inline const QString ConsentLetter = QStringLiteral("承諾書");
inline const QString ParkingConsentCertificate = QStringLiteral("保管場所証明書");
inline const QString LayoutDrawing = QStringLiteral("保管場所配置図");
} // namespace DocumentKind

struct DocumentInfo {
    QString title;
    const char* alias; // ASCII name for the command line
    int firstField;    // run of the field store it owns, or -1 for none
    int lastField;
    int page; // page of the data-entry form, or -1 for none
};

// The six documents, in the order the chooser and --list show them.
std::span<const DocumentInfo> documents();

// The document whose title or alias is exactly `name`, or nullptr.
const DocumentInfo* findDocument(QStringView name);

} // namespace mivo
