#pragma once

#include <QString>
#include <QStringView>

#include <span>

namespace mivo {

// The six documents. The open document is still known by its title (CurrentDocument::title,
// compared exactly where the program compares titles); code that means one document names it
// by kind.
enum class DocumentKind {
    SelfDeclaration,
    ParkingConsentCertificate,
    LayoutDrawing,
    PowerOfAttorney,
    TransferCertificate,
    ConsentLetter,
};

// The field store indices a document owns: `count` indices from `first`.
struct FieldRun {
    int first = 0;
    int count = 0;

    bool isEmpty() const { return count == 0; }
    int last() const { return first + count - 1; }
    bool contains(int index) const { return index >= first && index < first + count; }
};

// What every layer knows of a document.
struct DocumentInfo {
    DocumentKind kind;
    QString title;     // its window's title and the open document's title
    const char* alias; // ASCII name for the command line
    FieldRun fields;   // empty for the layout drawing, which holds pictures instead
};

// The six documents in the order of the chooser's buttons, cmdsyo(1) to cmdsyo(6).
std::span<const DocumentInfo> documents();

const DocumentInfo& documentInfo(DocumentKind kind);
inline const QString& titleOf(DocumentKind kind) { return documentInfo(kind).title; }

// The document whose title or alias is exactly `name`, or nullptr.
const DocumentInfo* findDocument(QStringView name);

} // namespace mivo
