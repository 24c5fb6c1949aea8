#include "pdf_words.h"

#include "document/current_document.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <QXmlStreamReader>

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;

QByteArray run(const QString& program, const QStringList& arguments, const QByteArray& pdf) {
    QTemporaryFile file(QStringLiteral("mivo-XXXXXX.pdf"));
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return {};
    QProcess process;
    process.start(program, QStringList(arguments) << file.fileName() << QStringLiteral("-"));
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

QString pdfinfoField(const QByteArray& pdf, const char* name) {
    QTemporaryFile file(QStringLiteral("mivo-XXXXXX.pdf"));
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return {};
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file.fileName()});
    process.waitForFinished(30000);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QLatin1String(name)),
                                  QRegularExpression::MultilineOption);
    return line.match(out).captured(1).trimmed();
}

} // namespace

std::vector<PdfWord> readPdfWords(const QByteArray& pdf, int page) {
    const QString number = QString::number(page);
    const QByteArray xhtml = run(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-f"), number, QStringLiteral("-l"), number}, pdf);
    std::vector<PdfWord> words;
    QXmlStreamReader xml(xhtml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"word")
            continue;
        const auto a = xml.attributes();
        const auto mm = [&](const char* key) {
            return a.value(QLatin1String(key)).toDouble() * kMillimetresPerPoint;
        };
        const QRectF box(QPointF(mm("xMin"), mm("yMin")), QPointF(mm("xMax"), mm("yMax")));
        words.push_back({xml.readElementText(), box});
    }
    if (words.empty())
        qWarning("pdftotext found no words");
    return words;
}

const PdfWord* findWord(const std::vector<PdfWord>& words, const QString& text) {
    for (const PdfWord& w : words) {
        if (w.text == text)
            return &w;
    }
    for (const PdfWord& w : words) {
        if (w.text.startsWith(text))
            return &w;
    }
    return nullptr;
}

const PdfWord* findWordOnLine(const std::vector<PdfWord>& words, const QString& text, double top,
                              double tolerance) {
    for (const PdfWord& w : words) {
        if (w.text == text && qAbs(w.box.top() - top) <= tolerance)
            return &w;
    }
    return nullptr;
}

void verifyInGap(const std::vector<PdfWord>& words, const QString& value, const QString& before,
                 const QString& after, double top, double slack) {
    const auto missing = [&](const QString& text) {
        return QStringLiteral("no \"%1\" on the line at %2 mm").arg(text).arg(top);
    };
    const PdfWord* v = findWordOnLine(words, value, top);
    QVERIFY2(v, qPrintable(missing(value)));
    if (!before.isEmpty()) {
        const PdfWord* b = findWordOnLine(words, before, top);
        QVERIFY2(b, qPrintable(missing(before)));
        QVERIFY2(b->box.right() - slack <= v->box.left(),
                 qPrintable(QStringLiteral("\"%1\" at %2 mm starts before \"%3\" ends at %4 mm")
                                .arg(value)
                                .arg(v->box.left())
                                .arg(before)
                                .arg(b->box.right())));
    }
    if (!after.isEmpty()) {
        const PdfWord* a = findWordOnLine(words, after, top);
        QVERIFY2(a, qPrintable(missing(after)));
        QVERIFY2(v->box.right() - slack <= a->box.left(),
                 qPrintable(QStringLiteral("\"%1\" ends at %2 mm, after \"%3\" starts at %4 mm")
                                .arg(value)
                                .arg(v->box.right())
                                .arg(after)
                                .arg(a->box.left())));
    }
}

void setFields(mivo::CurrentDocument& document, int first, const QString& values) {
    const QStringList list = values.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < list.size(); ++i)
        document.fields().setValue(first + int(i), list[i]);
}

QByteArray printToPdf(const mivo::CurrentDocument& document) {
    mivo::PdfTarget target({});
    mivo::PainterSurface surface(target);
    const mivo::PrintOutcome outcome = mivo::insatu(surface, document);
    if (outcome.status != mivo::PrintOutcome::Status::Printed)
        QTest::qFail(qPrintable(QStringLiteral("not printed: %1").arg(outcome.reason)), __FILE__,
                     __LINE__);
    return target.data();
}

qsizetype characterCount(const std::vector<PdfWord>& words) {
    qsizetype characters = 0;
    for (const PdfWord& w : words)
        characters += w.text.size();
    return characters;
}

QSizeF pdfPageSizeMm(const QByteArray& pdf) {
    // "Page size:      841.89 x 595.276 pts (A4)"
    const QStringList parts =
        pdfinfoField(pdf, "Page size").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 3)
        return {};
    return {parts[0].toDouble() * kMillimetresPerPoint, parts[2].toDouble() * kMillimetresPerPoint};
}

int pdfPageCount(const QByteArray& pdf) { return pdfinfoField(pdf, "Pages").toInt(); }
