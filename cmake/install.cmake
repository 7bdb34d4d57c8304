# cmake --install: the game and the replay runner, their data, a desktop
# entry and an icon.
#
#   PREFIX/bin/tarnblast, tarnblast-replay, tarnblast-levels
#                                               launchers (cmake/launcher.sh.in)
#   PREFIX/libexec/tarnblast/                   the real programs
#   PREFIX/share/tarnblast/data/                the game's art and sound
#   PREFIX/share/applications/tarnblast.desktop
#   PREFIX/share/icons/hicolor/32x32/apps/tarnblast.xpm
#
# The programs read data/ from their working directory, so the launchers
# change to share/tarnblast first. They find everything relative to
# themselves: the prefix given to cmake --install, or a later move of the
# whole tree, needs no rebuild.

include(GNUInstallDirs)

set(TARNBLAST_INSTALL_LIBEXEC "${CMAKE_INSTALL_LIBEXECDIR}/tarnblast")
set(TARNBLAST_INSTALL_SHARE "${CMAKE_INSTALL_DATADIR}/tarnblast")

# Paths from bin to the other folders, for the launchers.
function(tarnblast_relative_to_bin out dir)
  set(root "${CMAKE_INSTALL_PREFIX}")
  foreach(path dir bin)
    if(path STREQUAL "bin")
      set(path_value "${CMAKE_INSTALL_BINDIR}")
    else()
      set(path_value "${dir}")
    endif()
    if(IS_ABSOLUTE "${path_value}")
      set(${path}_full "${path_value}")
    else()
      set(${path}_full "${root}/${path_value}")
    endif()
  endforeach()
  file(RELATIVE_PATH relative "${bin_full}" "${dir_full}")
  set(${out} "${relative}" PARENT_SCOPE)
endfunction()
tarnblast_relative_to_bin(BIN_TO_SHARE "${TARNBLAST_INSTALL_SHARE}")
tarnblast_relative_to_bin(BIN_TO_LIBEXEC "${TARNBLAST_INSTALL_LIBEXEC}")

set(TARNBLAST_PROGRAMS tarnblast tarnblast-replay tarnblast-levels)
install(TARGETS ${TARNBLAST_PROGRAMS} RUNTIME DESTINATION "${TARNBLAST_INSTALL_LIBEXEC}")

# Which of a program's arguments name files, for its launcher to make absolute.
foreach(PROGRAM ${TARNBLAST_PROGRAMS})
  if(PROGRAM STREQUAL "tarnblast-replay")
    set(REWRITE_ARGUMENTS replay)
  elseif(PROGRAM STREQUAL "tarnblast-levels")
    set(REWRITE_ARGUMENTS levels)
  else()
    set(REWRITE_ARGUMENTS no)
  endif()
  configure_file("${CMAKE_CURRENT_LIST_DIR}/launcher.sh.in"
                 "${CMAKE_BINARY_DIR}/launchers/${PROGRAM}" @ONLY)
  install(PROGRAMS "${CMAKE_BINARY_DIR}/launchers/${PROGRAM}"
          DESTINATION "${CMAKE_INSTALL_BINDIR}")
endforeach()

# The data files as the asset builder makes them in the build tree.
install(FILES
    "${CMAKE_BINARY_DIR}/data/main.bmp"
    "${CMAKE_BINARY_DIR}/data/main2.bmp"
    "${CMAKE_BINARY_DIR}/data/sgun.wav"
    "${CMAKE_BINARY_DIR}/data/blowup.wav"
    "${CMAKE_BINARY_DIR}/data/gmsong.wav"
  DESTINATION "${TARNBLAST_INSTALL_SHARE}/data")

# The icon that tools/icon cuts from the sprite sheet.
install(FILES "${TARNBLAST_ICON}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps")

# The desktop entry names the launcher by its full path under the prefix in
# use at install time (menus do not always search PATH).
install(CODE "
  set(desktop_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  set(launcher \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tarnblast\")
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
\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${desktop_dir}/tarnblast.desktop\")
")
