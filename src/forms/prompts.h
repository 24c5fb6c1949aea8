#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace mivo {

// The questions, warnings and dialogs that the windows put to the user, and the hand-over of a
// picture to a paint program: in one place, so that tests can answer them without a modal
// dialog or another program.
class Prompts {
  public:
    virtual ~Prompts() = default;

    virtual void warn(QWidget* parent, const QString& text) = 0;
    // Something done that the user should know about; not a problem.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // One of `choices`, by its position; nothing when cancelled.
    virtual std::optional<int> choose(QWidget* parent, const QString& text,
                                      const QStringList& choices) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // Where to save a PDF file, starting from `suggestedName`; empty when cancelled.
    virtual QString pdfSavePath(QWidget* parent, const QString& suggestedName) = 0;
    // A file to open, offered through "description|pattern|..." choices; empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // Opens the picture in a paint program; false when no program could be started.
    virtual bool startPaintProgram(const QString& picturePath) = 0;
};

// Message boxes, the file dialogs and the desktop's paint programs.
std::unique_ptr<Prompts> desktopPrompts();

} // namespace mivo
