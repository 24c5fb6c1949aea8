#pragma once

#include "maps/fetch_location_map.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mivo {

// 地図を取得: says which addresses go where before anything is sent, looks both up with the
// address search and fetches the map around them. A failure is said in the dialog and
// changes nothing; after 取得 succeeds, result() holds the map and both marks. キャンセル
// during a fetch aborts its requests and closes the dialog with nothing fetched.
class MapFetchDialog : public QDialog {
    Q_OBJECT
  public:
    MapFetchDialog(const QString& homeAddress, const QString& parkingAddress, QWidget* parent);

    const LocationMapFetch& result() const { return result_; }

    void reject() override;

  private:
    void fetch();
    MapSources sources() const;

    QLineEdit* home_;
    QLineEdit* parking_;
    QComboBox* kind_;
    QLabel* said_;
    QLabel* failure_;
    QLabel* progress_;
    QPushButton* fetch_;
    MapFetcher* fetching_ = nullptr; // while a fetch waits for its answers
    LocationMapFetch result_;
};

} // namespace mivo
