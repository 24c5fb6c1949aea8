#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace mivo {

// The questions and warnings the main window puts to the user, in one place so that tests can
// answer them without a modal dialog.
class Prompts {
  public:
    virtual ~Prompts() = default;

    virtual void warn(QWidget* parent, const QString& text) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // Where to save a PDF file, starting from `suggestedName`; empty when cancelled.
    virtual QString pdfSavePath(QWidget* parent, const QString& suggestedName) = 0;
};

// Message boxes and the file dialog.
std::unique_ptr<Prompts> desktopPrompts();

} // namespace mivo
