#pragma once

#include "forms/prompts.h"

#include <optional>

class QWidget;

namespace mivo {

// The desktop's answers to the output questions of the prompts (see prompts.h).
ImageChoice askImageFile(QWidget* parent, const QString& suggestedName);
std::optional<PrinterChoice> askPrinter(QWidget* parent);
std::optional<CaseDocumentsChoice> askCaseDocuments(QWidget* parent, const QStringList& titles);

} // namespace mivo
