#pragma once

#include "maps/fetch_location_map.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace mivo {

// A picture file to save: where, in which format (PNG or JPEG) and at which resolution.
struct ImageChoice {
    QString path; // empty when cancelled
    QByteArray format;
    int dpi = 150;
};

// A printer and how many copies.
struct PrinterChoice {
    QString printer;
    int copies = 1;
};

// The documents of a case to send together, and whether to a PDF file or the printer.
struct CaseDocumentsChoice {
    QStringList titles;
    bool toPdf = false;
};

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
    // Before printing: what the checks found, one line each, with 「このまま印刷」 (true) and
    // 「戻って直す」 (false). `stopAsking` is ticked when the user wants no such list again.
    virtual bool printAnyway(QWidget* parent, const QStringList& findings, bool* stopAsking) = 0;
    // A yes/no question before something that is hard to take back: no is the default answer.
    virtual bool confirm(QWidget* parent, const QString& text) { return ask(parent, text); }
    // Where to save a PDF file, starting from `suggestedName`; empty when cancelled.
    virtual QString pdfSavePath(QWidget* parent, const QString& suggestedName) = 0;
    // Where to save a picture of the page, starting from `suggestedName` (without suffix).
    virtual ImageChoice imageSavePath(QWidget* parent, const QString& suggestedName) = 0;
    // A printer of the system and a number of copies; nothing when cancelled or none exists.
    virtual std::optional<PrinterChoice> choosePrinter(QWidget* parent) = 0;
    // Which of `titles` (all offered ticked, in this order) to send, and where.
    virtual std::optional<CaseDocumentsChoice> chooseCaseDocuments(QWidget* parent,
                                                                   const QStringList& titles) = 0;
    // A file to open, offered through "description|pattern|..." choices; empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // Where to save a file of the one kind `filter` names ("description|pattern"), starting
    // from `suggestedName`; empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& suggestedName,
                                 const QString& filter) = 0;
    // Opens the picture in a paint program; false when no program could be started.
    virtual bool startPaintProgram(const QString& picturePath) = 0;
    // 地図を取得: says what is sent where, looks the two addresses up and fetches the map
    // around them; nothing when cancelled.
    virtual std::optional<LocationMapFetch> fetchLocationMap(QWidget* parent,
                                                             const QString& homeAddress,
                                                             const QString& parkingAddress) = 0;
};

// Message boxes, the file dialogs and the desktop's paint programs.
std::unique_ptr<Prompts> desktopPrompts();

} // namespace mivo
