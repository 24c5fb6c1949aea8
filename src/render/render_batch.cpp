#include "render/render_batch.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_caption.h"
#include "print/output.h"
#include "render/batch_rows.h"
#include "render/render_findings.h"
#include "render/render_input.h"
#include "render/render_options.h"

#include <QElapsedTimer>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace mivo {
namespace {

// A count and a rate on standard error once a batch has run for a second: on a terminal one
// line rewritten in place, elsewhere (only when asked with --progress) a line a second.
class Progress {
  public:
    explicit Progress(bool asked) : terminal_(::isatty(STDERR_FILENO)), shown_(asked || terminal_) {
        clock_.start();
    }
    ~Progress() {
        if (lastMs_ == 0)
            return;
        show();
        if (terminal_)
            std::fputc('\n', stderr);
    }
    void row(qint64 rows) {
        rows_ = rows;
        const qint64 now = clock_.elapsed();
        if (!shown_ || now < 1000 || now - lastMs_ < (terminal_ ? 200 : 1000))
            return;
        lastMs_ = now;
        show();
    }

  private:
    void show() const {
        const double perSecond = rows_ * 1000.0 / qMax<qint64>(1, clock_.elapsed());
        std::fprintf(stderr, terminal_ ? "\r%lld 行（%.0f 行/秒）" : "%lld 行（%.0f 行/秒）\n",
                     static_cast<long long>(rows_), perSecond);
        std::fflush(stderr);
    }

    QElapsedTimer clock_;
    bool terminal_;
    bool shown_;
    qint64 rows_ = 0;
    qint64 lastMs_ = 0;
};

} // namespace

int runBatch(const RenderOptions& options) {
    const DocumentInfo& info = *options.documents.first();
    QString error;
    const auto column = [&](const QString& heading, QString* why) {
        QList<int> several;
        const std::optional<int> index = fieldNamed(info, heading, &several);
        if (index)
            return index;
        if (several.isEmpty()) {
            *why = QStringLiteral("「%1」は%2の項目ではありません（mivo-render --list）。")
                       .arg(heading, info.title);
        } else {
            QStringList listed;
            for (int field : several)
                listed << listedField(field);
            *why = QStringLiteral("「%1」は%2の %3 項目のどれか分かりません: %4。"
                                  "欄と見出しを合わせた名前か番号にしてください。")
                       .arg(heading, info.title)
                       .arg(several.size())
                       .arg(listed.join(QStringLiteral("、")));
        }
        return index;
    };
    const auto rows = BatchRows::open(options.batch, column, &error, options.encoding);
    if (!rows) {
        say(stderr, error);
        return 2;
    }
    CurrentDocument document;
    document.setTitle(info.title);
    if (!loadMaps(options, document.drawing()))
        return 2;

    const bool filePerRow = options.outputPath.contains(QLatin1String("{n}"));
    std::optional<Output> whole;
    if (!filePerRow)
        whole.emplace(destinationFor(options, options.outputPath));
    const auto where = [&](qint64 line) {
        return QStringLiteral("%1 の %2 行目: ").arg(options.batch).arg(line);
    };

    Progress progress(options.progress);
    qint64 count = 0, bad = 0;
    BatchRow row;
    while (rows->next(row)) {
        ++count;
        QString rowError = row.error;
        if (rowError.isEmpty())
            rowError = checkIndices({&info}, row.values);
        if (!rowError.isEmpty()) {
            say(stderr, where(row.line) + rowError);
            ++bad;
            if (!options.keepGoing)
                return 1; // the one PDF is not written: it would lack this row
            continue;
        }
        // --values and --set give what every row shares; a row's own values win.
        document.fields().clear();
        for (const QMap<int, QString>& values : {options.values, row.values}) {
            for (auto it = values.begin(); it != values.end(); ++it)
                document.fields().setValue(it.key(), it.value());
        }
        // With --strict a row with a doubtful value is a bad row.
        if (reportFindings(document, where(row.line)) && options.strict) {
            ++bad;
            if (!options.keepGoing) {
                say(stderr,
                    where(row.line) +
                        QStringLiteral(
                            "--strict: "
                            "疑わしい値、欄に入りきらない値か配置図に足りないものがあります。"));
                return 1;
            }
            continue;
        }
        const PrintOutcome page =
            filePerRow ? output(destinationFor(options, QString(options.outputPath)
                                                            .replace(QLatin1String("{n}"),
                                                                     QString::number(count))),
                                document)
                       : whole->add(document);
        if (page.failed()) {
            say(stderr, where(row.line) + page.reason);
            return 1;
        }
        progress.row(count);
    }
    if (whole) {
        const PrintOutcome finished = whole->finish();
        if (finished.status != PrintOutcome::Status::Printed) {
            say(stderr, finished.failed()
                            ? finished.reason
                            : QStringLiteral("%1 に出力する行がありません。").arg(options.batch));
            return 1;
        }
    }
    if (bad > 0) {
        say(stderr,
            QStringLiteral("%1 行のうち %2 行に誤りがあり、飛ばしました。").arg(count).arg(bad));
        return 1;
    }
    return 0;
}

} // namespace mivo
