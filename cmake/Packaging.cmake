# What `cmake --install` puts on a desktop system besides the two programs (their install() rules
# live beside the targets): the desktop entry, the icon, the AppStream metadata and the licence,
# and the Debian package CPack makes of them. Every rule belongs to the "tarnwick" component, and
# the package takes that component alone, so nothing a dependency might install slips in.
set(TARNWICK_APP_ID org.tarnwick.Tarnwick)
set(TARNWICK_INSTALL_COMPONENT tarnwick)

install(FILES ${PROJECT_SOURCE_DIR}/resources/${TARNWICK_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT ${TARNWICK_INSTALL_COMPONENT})
install(FILES ${PROJECT_SOURCE_DIR}/resources/${TARNWICK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT ${TARNWICK_INSTALL_COMPONENT})
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tarnwick.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        COMPONENT ${TARNWICK_INSTALL_COMPONENT})
# Debian keeps a package's licence in /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwick
        RENAME copyright
        COMPONENT ${TARNWICK_INSTALL_COMPONENT})
# The manual the program shows under Help > Manual, also readable without it.
install(FILES ${PROJECT_SOURCE_DIR}/docs/MANUAL.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwick
        COMPONENT ${TARNWICK_INSTALL_COMPONENT})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_CONTACT "Tarnwick developers <tarnwick@example.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the data tables of game cartridge images")
# The long description as dpkg shows it: CPack indents each line, so the lines are kept short.
set(CPACK_PACKAGE_DESCRIPTION [[
Tarnwick edits the treasure chests, shops, espers and battle animation
strings inside the cartridge images of Kavo, a role-playing game, in its
SNES and GBA releases, English and Japanese. Names are shown in the game's
own font, and nothing in the file changes except the tables you edit. The
package holds the editor, tarnwick, and the command-line tool, tarnwick-cli,
which exports and imports the tables as JSON and makes and applies BPS and
IPS patches.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};${TARNWICK_INSTALL_COMPONENT};/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon plugins at run time, where dpkg-shlibdeps cannot see them. The dialogs
# are laid out for Courier, which fonts-urw-base35 supplies as Nimbus Mono PS.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, shared-mime-info")

include(CPack)
