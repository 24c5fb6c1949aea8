#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace mivo {

class CaseParticulars;
class CurrentDocument;
class ParticularsWindow;
class Prompts;

// The commands on the current case's particulars: 案件の基本情報 (its window, one at a time,
// from the menu and the toolbar), 車検証データを読み込む…, and 基本情報から入力し直す for
// the open document.
class ParticularsCommands : public QObject {
    Q_OBJECT
  public:
    ParticularsCommands(QWidget* window, CurrentDocument& document, CaseParticulars& particulars,
                        Prompts& prompts);

    QAction* showAction() const { return show_; }
    QAction* importAction() const { return import_; }
    QAction* refillAction() const { return refill_; }
    QAction* toolbarButton() const { return button_; }
    // Commands that work in the particulars window too (元に戻す, やり直す).
    void setWindowActions(const QList<QAction*>& actions) { windowActions_ = actions; }

  private:
    void showWindow();
    void importCertificate();
    void refill();

    QWidget* window_;
    CurrentDocument& document_;
    CaseParticulars& particulars_;
    Prompts& prompts_;
    QAction* show_;
    QAction* import_;
    QAction* refill_;
    QAction* button_;
    QPointer<ParticularsWindow> particularsWindow_;
    QList<QAction*> windowActions_;
};

} // namespace mivo
