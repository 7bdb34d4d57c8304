# cmake --install: the game, the replay runner and the level tool, their
# data, a desktop entry, an icon and manual pages.
#
#   PREFIX/bin/tarnblast, tarnblast-replay,     launchers (cmake/launcher.sh.in)
#     tarnblast-levels
#   PREFIX/libexec/tarnblast/                   the real programs
#   PREFIX/share/tarnblast/data/                the game's art and sound
#   PREFIX/share/applications/tarnblast.desktop
#   PREFIX/share/icons/hicolor/32x32/apps/tarnblast.xpm
#   PREFIX/share/man/man6/tarnblast.6.gz, man1/tarnblast-replay.1.gz,
#     man1/tarnblast-levels.1.gz
#
# With TARNBLAST_GAMES_LAYOUT (the Debian package), the game's launcher goes
# into PREFIX/games and the data into PREFIX/share/games/tarnblast instead.
#
# The programs read data/ from their working directory, so the launchers
# change to the data's folder first. They find everything relative to
# themselves: the prefix given to cmake --install, or a later move of the
# whole tree, needs no rebuild.

include(GNUInstallDirs)

option(TARNBLAST_GAMES_LAYOUT "Install the game into games/ and its data into share/games/" OFF)
set(TARNBLAST_INSTALL_LIBEXEC "${CMAKE_INSTALL_LIBEXECDIR}/tarnblast")
if(TARNBLAST_GAMES_LAYOUT)
  set(TARNBLAST_INSTALL_GAME_BIN "games")
  set(TARNBLAST_INSTALL_SHARE "${CMAKE_INSTALL_DATADIR}/games/tarnblast")
else()
  set(TARNBLAST_INSTALL_GAME_BIN "${CMAKE_INSTALL_BINDIR}")
  set(TARNBLAST_INSTALL_SHARE "${CMAKE_INSTALL_DATADIR}/tarnblast")
endif()

# The path from a launcher's folder to another installed folder.
function(tarnblast_relative_path out from to)
  foreach(path from to)
    if(IS_ABSOLUTE "${${path}}")
      set(${path}_full "${${path}}")
    else()
      set(${path}_full "${CMAKE_INSTALL_PREFIX}/${${path}}")
    endif()
  endforeach()
  file(RELATIVE_PATH relative "${from_full}" "${to_full}")
  set(${out} "${relative}" PARENT_SCOPE)
endfunction()

set(TARNBLAST_PROGRAMS tarnblast tarnblast-replay tarnblast-levels)
install(TARGETS ${TARNBLAST_PROGRAMS} RUNTIME DESTINATION "${TARNBLAST_INSTALL_LIBEXEC}")

# REWRITE_ARGUMENTS says which command-line arguments name files: none for
# the game, the runner's script and file options, the level tool's files.
foreach(PROGRAM ${TARNBLAST_PROGRAMS})
  if(PROGRAM STREQUAL "tarnblast")
    set(REWRITE_ARGUMENTS no)
    set(LAUNCHER_DIR "${TARNBLAST_INSTALL_GAME_BIN}")
  else()
    string(REPLACE "tarnblast-" "" REWRITE_ARGUMENTS "${PROGRAM}")
    set(LAUNCHER_DIR "${CMAKE_INSTALL_BINDIR}")
  endif()
  tarnblast_relative_path(BIN_TO_SHARE "${LAUNCHER_DIR}" "${TARNBLAST_INSTALL_SHARE}")
  tarnblast_relative_path(BIN_TO_LIBEXEC "${LAUNCHER_DIR}" "${TARNBLAST_INSTALL_LIBEXEC}")
  configure_file("${CMAKE_CURRENT_LIST_DIR}/launcher.sh.in"
                 "${CMAKE_BINARY_DIR}/launchers/${PROGRAM}" @ONLY)
  install(PROGRAMS "${CMAKE_BINARY_DIR}/launchers/${PROGRAM}" DESTINATION "${LAUNCHER_DIR}")
endforeach()

# The manual pages, compressed as man finds them.
foreach(page tarnblast.6 tarnblast-replay.1 tarnblast-levels.1)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section "${page}")
  set(compressed "${CMAKE_BINARY_DIR}/man/${page}.gz")
  add_custom_command(
    OUTPUT "${compressed}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/man"
    COMMAND gzip -9n -c "${CMAKE_SOURCE_DIR}/docs/man/${page}" > "${compressed}"
    DEPENDS "${CMAKE_SOURCE_DIR}/docs/man/${page}"
    VERBATIM)
  list(APPEND TARNBLAST_MAN_PAGES "${compressed}")
  install(FILES "${compressed}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
endforeach()
add_custom_target(tarnblast_man_pages ALL DEPENDS ${TARNBLAST_MAN_PAGES})

# The data files as the asset builder makes them in the build tree.
install(DIRECTORY "${CMAKE_BINARY_DIR}/data/" DESTINATION "${TARNBLAST_INSTALL_SHARE}/data"
  FILES_MATCHING PATTERN "*.bmp" PATTERN "*.wav")

# The icon that tools/icon cuts from the sprite sheet.
install(FILES "${TARNBLAST_ICON}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps")

# The desktop entry names the launcher by its full path under the prefix in
# use at install time (menus do not always search PATH).
install(CODE "
  set(desktop_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  set(launcher \"\${CMAKE_INSTALL_PREFIX}/${TARNBLAST_INSTALL_GAME_BIN}/tarnblast\")
  message(STATUS \"Installing: \${desktop_dir}/tarnblast.desktop\")
  file(MAKE_DIRECTORY \"\${desktop_dir}\")
  file(WRITE \"\${desktop_dir}/tarnblast.desktop\" \"[Desktop Entry]
Type=Application
Version=1.0
Name=Tarnblast
GenericName=Side-scrolling shooter
Comment=Run, jump and shoot through six levels; with a level editor
Exec=\\\"\${launcher}\\\"
Icon=tarnblast
Terminal=false
Categories=Game;ActionGame;
Keywords=shooter;platform;arcade;level editor;
\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${desktop_dir}/tarnblast.desktop\")
")
