#pragma once

#include <QObject>

#include <memory>

class QAction;
class QLabel;
class QMainWindow;

namespace mivo {

class CaseKeeper;
class CurrentDocument;
class Prompts;
class RecentCases;

// The main window's cases: a keeper on its document that keeps what is typed, the commands
// 新しい案件, 案件を開く…, 自動で保存する and 前回の案件で始める, the recent cases, the
// current case's name in the window title and what keeps a change from the store in the
// status bar. Cases change between documents: with a document open, a command that changes
// the case first has `closeDocument` ask to close it.
// The owner destroys it before the document, so that the last save comes first.
class CaseCommands : public QObject {
    Q_OBJECT
  public:
    CaseCommands(QMainWindow& window, CurrentDocument& document, Prompts& prompts,
                 std::function<bool()> closeDocument);
    ~CaseCommands() override;

    CaseKeeper& keeper() { return *keeper_; }
    // For the File menu, in order: 新しい案件, 案件を開く…, 自動で保存する, 前回の案件で始める.
    QList<QAction*> actions() const;
    // On start: the last case is current again, as the user left it, unless the setting
    // 前回の案件で始める is off.
    void reopenLastCase();
    // The recent cases, numbered 1 to 8; hidden where there is none.
    QList<QAction*> recentActions() const { return recent_; }

    // A document window just opened: its fields, maps and number come from the current case.
    void fillDocument();
    // The user changed a map or the registration number.
    void drawingChanged();
    // Whether the program may end: true once everything typed is stored, else after asking.
    bool mayClose();

  private:
    void newCase();
    void openCase();
    void setKeeping(bool keeping);
    void updateActions();
    void showCase(qint64 id, const QString& name);
    void updateRecent();
    bool mayChangeCase();

    QMainWindow& window_;
    CurrentDocument& document_;
    Prompts& prompts_;
    std::function<bool()> closeDocument_;
    std::unique_ptr<CaseKeeper> keeper_;
    std::unique_ptr<RecentCases> recentCases_;
    QList<QAction*> recent_;
    QAction* reopenLast_ = nullptr;
    QString windowTitle_;
    QAction* newCase_;
    QAction* openCase_;
    QAction* keep_;
    QLabel* problem_;
};

} // namespace mivo
