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

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("使用の本拠の位置(&H)"), home_);
    form->addRow(QStringLiteral("保管場所の位置(&P)"), parking_);
    form->addRow(QStringLiteral("地図の種類(&K)"), kind_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* fetch =
        buttons->addButton(QStringLiteral("送信して取得(&S)"), QDialogButtonBox::AcceptRole);
    fetch->setObjectName(QStringLiteral("fetch"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(said_);
    layout->addLayout(form);
    layout->addWidget(failure_);
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
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    MapFetcher fetcher(sources());
    LocationMarks marks;
    QString error;
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
        map = fetchLocationMap(fetcher, marks);
        error = map.error;
    }
    setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    if (!error.isEmpty())
        return fail(error);
    result_ = map;
    accept();
}

} // namespace mivo
