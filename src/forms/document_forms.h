#pragma once

#include "document/document_kind.h"

#include <optional>
#include <span>

namespace mivo {

// How the windows show a document: its button in the chooser and the page of the data-entry
// form that holds its boxes.
struct DocumentForm {
    DocumentKind kind;
    int chooserTab;          // 0 車 庫 証 明, 1 名 義 変 更
    const char16_t* caption; // of its chooser button
    const char* picture;     // of its chooser button, under :/forms
    std::optional<int> page; // page Frame1(k) of the data-entry form; none for the picture form
};

// In the order of the chooser's buttons, cmdsyo(1) to cmdsyo(6).
std::span<const DocumentForm> documentForms();

const DocumentForm& documentForm(DocumentKind kind);

} // namespace mivo
