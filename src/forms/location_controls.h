#pragma once

#include "document/location_marks.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mivo {

class LocationMapBox;

// Under the location map: which mark a click places (使用の本拠の位置, 保管場所の位置, or the
// scale's two points and its length), the typed distance and 所在図を省略. Each change goes
// straight into `marks`.
class LocationControls : public QWidget {
    Q_OBJECT
  public:
    LocationControls(LocationMarks& marks, LocationMapBox& box, QWidget* parent);

    // Shows the marks as they are now (after a change made elsewhere).
    void refresh();
    // The distance and, over 2 km, the warning, as the line under the map says them.
    static QString statusText(const LocationMarks& marks);

    // The controls in the order the keyboard goes through them.
    QList<QWidget*> keyboardOrder() const;

  signals:
    void marksChanged();
    // 地図を取得… was pressed.
    void fetchRequested();

  private:
    void typeDistance(const QString& text);
    void typeScale(const QString& text);

    LocationMarks& marks_;
    LocationMapBox& box_;
    QButtonGroup* tools_;
    QPushButton* home_;
    QPushButton* parking_;
    QPushButton* scaleTool_;
    QLineEdit* scaleMetres_;
    QPushButton* fetch_;
    QLineEdit* distance_;
    QCheckBox* omit_;
};

// A length typed by the user in metres: digits, full-width or not, with an optional decimal
// part; none for anything else or for zero.
std::optional<double> typedMetres(const QString& text);

} // namespace mivo
