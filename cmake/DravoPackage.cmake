# The Debian package: `cmake --build build --target package` writes build/dravo_VERSION_ARCH.deb.
# It installs under /usr; the libraries the binaries link are found by dpkg-shlibdeps, and what the
# program only loads at run time (the SQLite driver, the window system plugin, the fonts, the
# Russian texts of Qt's dialogs, the web engine's helper process) is declared here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "ДРАВО <support@dravo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ДРАВО Договор: drafting and keeping contracts in Russian")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program in which contracts are drafted from templates: the number, date, parties\n"
    "and subject are set, variable data filled in, and the finished contract is read, printed or\n"
    "exported. Includes dravo-cli, the engine without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION office)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6webenginewidgets6, libqt6webenginecore6-bin, libqt6webchannel6, libqt6sql6-sqlite, libqt6svg6, qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation, fonts-dejavu-core, shared-mime-info")
# The PostgreSQL driver serves an office whose databases live on a server.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer, xdg-utils, libsmbclient, avahi-utils, gvfs-backends, libglib2.0-bin, libqt6sql6-psql")
# The menu entry, the ".adf" type and the icons take effect through the system's triggers.
set(CPACK_STRIP_FILES ON)
include(CPack)
