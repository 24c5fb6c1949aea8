#include "app/case_overview.h"

#include "cases/case_keeper.h"
#include "cases/case_register.h"
#include "document/document_kind.h"
#include "forms/screen_font.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mivo {

CaseOverview::CaseOverview(const CaseKeeper& keeper, QWidget* parent)
    : QWidget(parent), keeper_(keeper), name_(new QLabel(this)), particulars_(new QLabel(this)) {
    setObjectName(QStringLiteral("caseOverview"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    name_->setObjectName(QStringLiteral("caseName"));
    name_->setFont(screenFont(15.75, true));
    name_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    particulars_->setObjectName(QStringLiteral("caseParticulars"));
    particulars_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* table = new QGridLayout;
    table->setHorizontalSpacing(24);
    int row = 0;
    for (const DocumentInfo& info : documents()) {
        auto* title = new QLabel(info.title, this);
        auto* state = new QLabel(this);
        state->setObjectName(QStringLiteral("state:%1").arg(QLatin1String(info.alias)));
        auto* open = new QPushButton(QStringLiteral("開く"), this);
        open->setObjectName(QStringLiteral("open:%1").arg(QLatin1String(info.alias)));
        open->setAccessibleName(QStringLiteral("%1を開く").arg(info.title));
        connect(open, &QPushButton::clicked, this,
                [this, kind = info.kind] { emit openRequested(kind); });
        table->addWidget(title, row, 0);
        table->addWidget(state, row, 1);
        table->addWidget(open, row, 2);
        states_ << state;
        ++row;
    }
    table->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(name_);
    layout->addWidget(particulars_);
    layout->addSpacing(12);
    layout->addLayout(table);
    layout->addStretch(1);
    refresh();
}

void CaseOverview::refresh() {
    const Case& c = keeper_.currentCase();
    if (!keeper_.isKeeping())
        name_->setText(QStringLiteral("案件は保存されていません"));
    else if (c.id == 0)
        name_->setText(QStringLiteral("新しい案件（入力を始めると保存されます）"));
    else
        name_->setText(c.name);

    QStringList lines;
    for (const auto& [caption, value] : {std::pair{QStringLiteral("氏名"), personName(c)},
                                         {QStringLiteral("住所"), personAddress(c)},
                                         {QStringLiteral("登録番号"), registrationNumber(c)},
                                         {QStringLiteral("車台番号"), chassisNumber(c)}}) {
        if (!value.isEmpty())
            lines << QStringLiteral("%1　%2").arg(caption, value);
    }
    particulars_->setText(lines.join(u'\n'));
    particulars_->setVisible(!lines.isEmpty());

    const QStringList filled = keeper_.documentsWithValues();
    for (qsizetype i = 0; i < states_.size(); ++i) {
        const QString title = documents()[size_t(i)].title;
        const QDateTime printed = c.printed.value(title);
        states_[i]->setText(printed.isValid() ? QStringLiteral("印刷済み（%1）")
                                                    .arg(printed.toLocalTime().toString(
                                                        QStringLiteral("yyyy-MM-dd HH:mm")))
                            : filled.contains(title) ? QStringLiteral("入力あり")
                                                     : QStringLiteral("空"));
    }
}

} // namespace mivo
