#include "forms/map_fetch_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace mivo {

MapFetchDialog::MapFetchDialog(const QString& homeAddress, const QString& parkingAddress,
                               QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("地図を取得"));
    home_ = new QLineEdit(homeAddress, this);
    home_->setObjectName(QStringLiteral("homeAddress"));
    parking_ = new QLineEdit(parkingAddress, this);
    parking_->setObjectName(QStringLiteral("parkingAddress"));
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("mapKind"));
    kind_->addItem(QStringLiteral("標準地図"), MapSources::kStandardTiles);
    kind_->addItem(QStringLiteral("淡色地図"), MapSources::kPaleTiles);
    if (MapSources::tilesFromSettings()) {
        kind_->setEnabled(false);
        kind_->setToolTip(QStringLiteral("設定（map/tiles）の地図を使います"));
    }
    said_ = new QLabel(this);
    said_->setObjectName(QStringLiteral("whatIsSent"));
    said_->setWordWrap(true);
    failure_ = new QLabel(this);
    failure_->setObjectName(QStringLiteral("failure"));
    failure_->setWordWrap(true);
    failure_->setStyleSheet(QStringLiteral("color: #b00000"));
    failure_->hide();
    progress_ = new QLabel(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->hide();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("使用の本拠の位置(&H)"), home_);
    form->addRow(QStringLiteral("保管場所の位置(&P)"), parking_);
    form->addRow(QStringLiteral("地図の種類(&K)"), kind_);
    auto* buttons = new QDialogButtonBox(this);
    fetch_ = buttons->addButton(QStringLiteral("送信して取得(&S)"), QDialogButtonBox::AcceptRole);
    fetch_->setObjectName(QStringLiteral("fetch"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(said_);
    layout->addLayout(form);
    layout->addWidget(failure_);
    layout->addWidget(progress_);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    // What is sent, and to whom, follows the addresses' settings.
    const auto tell = [this] {
        const MapSources s = sources();
        said_->setText(
            QStringLiteral("「送信して取得」を押すと、下の二つの住所を %1 の住所検索に送って位置"
                           "を求め、その周りの地図の画像を %2 から受け取ります。ほかには何も送り"
                           "ません。地図には「出典：地理院タイル」が入ります。")
                .arg(QUrl(s.geocoder).host(), QUrl(s.tiles).host()));
    };
    tell();
    connect(kind_, &QComboBox::currentIndexChanged, this, tell);
    connect(buttons, &QDialogButtonBox::accepted, this, &MapFetchDialog::fetch);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

MapSources MapFetchDialog::sources() const {
    return MapSources::fromSettings(kind_->currentData().toString());
}

void MapFetchDialog::fetch() {
    const QString home = home_->text().trimmed(), parking = parking_->text().trimmed();
    const auto fail = [this](const QString& why) {
        failure_->setText(why);
        failure_->show();
    };
    if (home.isEmpty() || parking.isEmpty())
        return fail(QStringLiteral("二つの住所を入力してください。"));
    failure_->hide();
    // Only キャンセル stays usable while the requests wait: it stops them.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QList<QWidget*> fields;
    for (QWidget* w : QList<QWidget*>{home_, parking_, kind_, fetch_}) {
        if (w->isEnabled()) // the map kind stays off when the settings name the tiles
            fields << w;
        w->setEnabled(false);
    }
    progress_->show();
    MapFetcher fetcher(sources());
    fetching_ = &fetcher;
    LocationMarks marks;
    QString error;
    progress_->setText(QStringLiteral("住所を検索しています…（キャンセルで中止します）"));
    for (auto [address, mark] : {std::pair{home, &marks.home}, {parking, &marks.parking}}) {
        const GeocodeResult found = fetcher.geocode(address);
        if (!found.place) {
            error = found.error;
            break;
        }
        *mark = MapMark{{}, found.place};
    }
    LocationMapFetch map;
    if (error.isEmpty()) {
        progress_->setText(
            QStringLiteral("地図の画像を受け取っています…（キャンセルで中止します）"));
        map = fetchLocationMap(fetcher, marks);
        error = map.error;
    }
    fetching_ = nullptr;
    progress_->hide();
    for (QWidget* w : fields)
        w->setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    if (fetcher.cancelled())
        return QDialog::reject();
    if (!error.isEmpty())
        return fail(error);
    result_ = map;
    accept();
}

// During a fetch this only stops the requests; the fetch then closes the dialog.
void MapFetchDialog::reject() {
    if (fetching_)
        return fetching_->cancel();
    QDialog::reject();
}

} // namespace mivo
