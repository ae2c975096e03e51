# `cmake --build build --target package` (scripts/package): a Debian package of what
# `cmake --install` lays out, its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME navelo)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_CONTACT "Korvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Télécommande des boîtiers Freebox HD et Player")
set(CPACK_PACKAGE_DESCRIPTION
    "Navelo affiche la télécommande du boîtier Freebox HD ou du Player : chaque touche
cliquée, ou tapée au clavier du PC, est envoyée au boîtier par le réseau local. Un clavier
virtuel saisit du texte et la liste des chaînes permet de zapper d'un double clic.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's X11 and Wayland platforms, and
# the French translation of Qt's standard texts (buttons, text box menus).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
