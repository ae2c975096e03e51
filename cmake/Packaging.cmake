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
set(CPACK_DEBIAN_NAVELO_DESCRIPTION "remote control for the Freebox HD and Player boxes
Navelo shows the remote control of the Freebox HD box or of the Player: each
key clicked, or typed on the computer's keyboard, is sent to the box over the
local network. A virtual keyboard types text on the box, and the box's channel
list, with the channels' logos, zaps to a channel with a double click.
The desktop's media keys and panels drive it as a media player (MPRIS), and
navelo --key sends keys from a shortcut or a script. Its interface is in
French.")

set(CPACK_DEBIAN_RENOVO_PACKAGE_NAME renovo)
set(CPACK_DEBIAN_RENOVO_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_RENOVO_PACKAGE_ENHANCES navelo)
set(CPACK_DEBIAN_RENOVO_DESCRIPTION "update wizard of the Korvane programs
Renovo finds the Korvane programs installed on the computer, asks the update
server for their latest versions, downloads the chosen installers and runs
them one after the other, once their signature is checked. Started at logon,
it checks silently, at most once a day, week or month. Its interface is in
French or English.")
# Removed, the package takes away the logon entry that Renovo, run as root, wrote for every
# user, which would start a program that is gone.
set(CPACK_DEBIAN_RENOVO_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/resources/debian/renovo/postrm)
set(CPACK_DEBIAN_RENOVO_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
