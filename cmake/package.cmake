# cpack -G DEB: a Debian package of the games layout (scripts/package.sh
# configures it): the game in /usr/games, its data in
# /usr/share/games/tarnblast, the replay runner and the level tool in
# /usr/bin, the menu entry, the icon and the manual pages. Its dependencies
# (the Allegro 4 runtime and the C++ runtime) are read from the programs by
# dpkg-shlibdeps.

set(TARNBLAST_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/tarnblast")
set(TARNBLAST_CHANGELOG "${CMAKE_BINARY_DIR}/packaging/changelog.gz")
add_custom_command(
  OUTPUT "${TARNBLAST_CHANGELOG}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/packaging"
  COMMAND gzip -9n -c "${CMAKE_SOURCE_DIR}/packaging/changelog" > "${TARNBLAST_CHANGELOG}"
  DEPENDS "${CMAKE_SOURCE_DIR}/packaging/changelog"
  VERBATIM)
add_custom_target(tarnblast_changelog ALL DEPENDS "${TARNBLAST_CHANGELOG}")
install(FILES "${TARNBLAST_CHANGELOG}" "${CMAKE_SOURCE_DIR}/packaging/copyright"
  DESTINATION "${TARNBLAST_DOC_DIR}")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/lintian-overrides"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME tarnblast)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tarnblast")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Tarnblast developer <dev@tarnblast.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-scrolling shooter with a built-in level editor")
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tarnblast is a small side-scrolling shooter for one player: run, jump and
shoot through six levels of blocks and four groups of enemies. It has a
level editor, plays with the keyboard or a gamepad, and comes with a
headless replay runner and a level tool for making levels.")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Install with DESTDIR, so that the desktop entry names /usr/games/tarnblast.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
include(CPack)
