#include "forms/desktop_seam.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace mivo {
namespace {

// "Bitmap(*.bmp)|*.bmp|GIF(*.gif)|*.gif" becomes Qt's "Bitmap(*.bmp) (*.bmp);;GIF(*.gif) (*.gif)";
// the dialog hides the trailing pattern, so each choice reads as its description.
QString qtNameFilters(const QString& filter) {
    const QStringList pieces = filter.split(QLatin1Char('|'));
    QStringList choices;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2)
        choices << QStringLiteral("%1 (%2)").arg(pieces[i], pieces[i + 1]);
    return choices.join(QLatin1String(";;"));
}

QString askForFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), qtNameFilters(filter),
                                        nullptr, QFileDialog::HideNameFilterDetails);
}

void tell(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), message);
}

// The first paint program found, else whatever the desktop opens pictures with.
bool startPaint(const QString& picturePath) {
    for (const char* name : {"kolourpaint", "pinta", "gimp", "mtpaint"}) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {picturePath}))
            return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(picturePath));
}

} // namespace

DesktopSeam& desktopSeam() {
    static DesktopSeam seam{askForFile, tell, startPaint};
    return seam;
}

} // namespace mivo
