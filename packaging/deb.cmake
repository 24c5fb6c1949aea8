# The Debian package, made by `make package` (CPack) into the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mivo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Mivo 開発チーム <dev@mivo.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://mivo.example/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print Japanese vehicle registration paperwork on blank paper")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Mivo prints the paperwork for registering a motor vehicle in Japan and
certifying its parking place on blank A4 landscape paper: the power of
attorney, the transfer certificate, the consent letter, the parking place
certificate, its layout drawing and the self-declaration.

The program mivo fills them in on screen and prints them; mivo-render makes
the same pages as PDF or PNG files, or prints them, from the command line.]=])
# The libraries come from dpkg-shlibdeps; the pages are set in IPA Mincho and IPA Gothic.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic")
# Qt's dialog texts in Japanese, and windows of their own on Wayland rather than through X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

# Debian asks every package for its copyright and a changelog in its documents folder.
string(TIMESTAMP package_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(changelog.in changelog @ONLY)
mivo_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
