#pragma once

#include <QDialog>
#include <QList>

class QAction;
class QListWidget;
class QPushButton;
class QToolBar;

namespace mivo {

// Lets the user add, remove and reorder the buttons and separators of a toolbar. Every change
// shows on the toolbar at once; Reset brings back the original arrangement. Nothing is kept
// after the program ends.
class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT
  public:
    // `buttons` are all the buttons the toolbar can hold, in their original order.
    ToolbarCustomizeDialog(QToolBar* toolbar, QList<QAction*> buttons, QWidget* parent = nullptr);

  private:
    // The toolbar's arrangement: its buttons, with nullptr for a separator.
    QList<QAction*> arrangement() const;
    void arrange(const QList<QAction*>& items, int selectRow);
    void refresh(int selectRow);
    void updateButtons();

    void add();
    void remove();
    void move(int by);

    QToolBar* toolbar_;
    QList<QAction*> buttons_;
    QListWidget* available_;
    QListWidget* current_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* moveUp_;
    QPushButton* moveDown_;
};

} // namespace mivo
