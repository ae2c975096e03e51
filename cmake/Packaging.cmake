# `cmake --build build --target package` (scripts/package): one Debian package per program, of
# what `cmake --install` lays out for it, their library dependencies found by dpkg-shlibdeps.
# Two packages, as Debian would ship two programs of different purposes: a remote control
# needs no update wizard (apt updates it), and the wizard is only suggested beside it.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL navelo renovo)
set(CPACK_PACKAGE_VENDOR Korvane)
# Each package's description starts with its own synopsis; CPack prepends the summary to it
# unless the summary is CPack's default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_CONTACT "Korvane <logiciels@korvane.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.korvane.example/)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's X11 and Wayland platforms, and
# the translations of Qt's standard texts (buttons, text box menus).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")

set(CPACK_DEBIAN_NAVELO_PACKAGE_NAME navelo)
set(CPACK_DEBIAN_NAVELO_PACKAGE_SECTION video)
set(CPACK_DEBIAN_NAVELO_PACKAGE_SUGGESTS renovo)
set(CPACK_DEBIAN_NAVELO_DESCRIPTION "Télécommande des boîtiers Freebox HD et Player
Navelo affiche la télécommande du boîtier Freebox HD ou du Player : chaque
touche cliquée, ou tapée au clavier du PC, est envoyée au boîtier par le
réseau local. Un clavier virtuel saisit du texte et la liste des chaînes
permet de zapper d'un double clic.")

set(CPACK_DEBIAN_RENOVO_PACKAGE_NAME renovo)
set(CPACK_DEBIAN_RENOVO_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_RENOVO_PACKAGE_ENHANCES navelo)
set(CPACK_DEBIAN_RENOVO_DESCRIPTION "Assistant de mise à jour des logiciels Korvane
Renovo trouve les logiciels Korvane installés, demande au serveur de mise à
jour leurs dernières versions, télécharge les programmes d'installation
choisis et les exécute l'un après l'autre. Lancé à l'ouverture de session,
il vérifie en silence, au plus une fois par jour, par semaine ou par mois.")
include(CPack)
