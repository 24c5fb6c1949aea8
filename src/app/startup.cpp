#include "app/startup.h"

#include "mivo_version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mivo {

void prepareApplication(QApplication& app) {
    QApplication::setApplicationVersion(QLatin1String(kVersion));
    // Wayland desktops find the menu entry, and so the icon, for our windows by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.mivo.Mivo"));
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
    else
        delete qtTexts;
}

} // namespace mivo
