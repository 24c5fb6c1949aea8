#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace mivo {

class CurrentDocument;
class PrinterSurface;

// A document is known everywhere by its title, compared exactly; the empty title means none.
namespace DocumentKind {
inline const QString PowerOfAttorney = QStringLiteral("委任状");
inline const QString TransferCertificate = QStringLiteral("譲渡証明書");
inline const QString SelfDeclaration = QStringLiteral("自認書");
inline const QString ConsentLetter = QStringLiteral("承諾書");
inline const QString ParkingConsentCertificate = QStringLiteral("保管場所証明書");
inline const QString LayoutDrawing = QStringLiteral("保管場所配置図");
} // namespace DocumentKind

// The field store indices a document owns: `count` indices from `first`.
struct FieldRun {
    int first = 0;
    int count = 0;

    bool isEmpty() const { return count == 0; }
    int last() const { return first + count - 1; }
    bool contains(int index) const { return index >= first && index < first + count; }
};

using PrintRoutine = void (*)(PrinterSurface&, const CurrentDocument&);

// Everything the program knows about one document.
struct DocumentInfo {
    QString title;           // the DocumentKind
    const char* alias;       // ASCII name for the command line
    int chooserTab;          // 0 車 庫 証 明, 1 名 義 変 更
    const char16_t* caption; // of its chooser button
    const char* picture;     // of its chooser button, under :/forms
    FieldRun fields;         // empty for the layout drawing, which holds pictures instead
    std::optional<int> page; // page Frame1(k) of the data-entry form; none for the picture form
    PrintRoutine print;
};

// The six documents in the order of the chooser's buttons, cmdsyo(1) to cmdsyo(6).
std::span<const DocumentInfo> documents();

// The document whose title or alias is exactly `name`, or nullptr.
const DocumentInfo* findDocument(QStringView name);

} // namespace mivo
