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

// The main window's cases: a keeper on its document that keeps what is typed, the commands
// 新しい案件, 案件を開く… and 自動で保存する, the current case's name in the window title and
// what keeps a change from the store in the status bar.
// The owner destroys it before the document, so that the last save comes first.
class CaseCommands : public QObject {
    Q_OBJECT
  public:
    CaseCommands(QMainWindow& window, CurrentDocument& document, Prompts& prompts);
    ~CaseCommands() override;

    CaseKeeper& keeper() { return *keeper_; }
    // For the File menu, in order: 新しい案件, 案件を開く…, 自動で保存する.
    QList<QAction*> actions() const;

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
    void showCase(const QString& name);

    QMainWindow& window_;
    CurrentDocument& document_;
    Prompts& prompts_;
    std::unique_ptr<CaseKeeper> keeper_;
    QString windowTitle_;
    QAction* newCase_;
    QAction* openCase_;
    QAction* keep_;
    QLabel* problem_;
};

} // namespace mivo
