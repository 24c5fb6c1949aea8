#pragma once

#include <QWidget>

class QPushButton;

namespace mivo {

// The version box: name, version, web address and legal notice in a small tool window of its
// own, beside the main window rather than inside it.
class var : public QWidget {
    Q_OBJECT
  public:
    explicit var(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QPushButton* Command1_;
};

} // namespace mivo
