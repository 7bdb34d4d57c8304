# The browser build (emcmake cmake -DTARNBLAST_WEB=ON; scripts/web.sh runs it):
# the page's module tarnblast.js + tarnblast.wasm with the game's data/
# preloaded, the page itself, and tarnblast-replay.js, the replay runner for
# node, which reads and writes real files as the desktop runner does.
#
# The game's browser edge lives in src/platform/web/: all its .cpp files go
# into the page's module, and those not named page* into the runner too.
# Until that edge exists, stub_game.cpp (a test pattern behind the same
# exports) stands in for the game; -DTARNBLAST_WEB_STUB=ON builds it anyway.
set(TARNBLAST_NATIVE_DATA "${CMAKE_SOURCE_DIR}/build/data" CACHE PATH
    "data/ made by the desktop build's asset builder, preloaded into the page")
if(NOT EXISTS "${TARNBLAST_NATIVE_DATA}/main.bmp")
  message(FATAL_ERROR "no ${TARNBLAST_NATIVE_DATA}/main.bmp: build the desktop target assets first")
endif()

set(WEB_DIR "${CMAKE_SOURCE_DIR}/src/platform/web")
file(GLOB WEB_EDGE_SOURCES CONFIGURE_DEPENDS "${WEB_DIR}/*.cpp")
list(FILTER WEB_EDGE_SOURCES EXCLUDE REGEX "/stub_[a-z]*\\.cpp$")
if(WEB_EDGE_SOURCES)
  option(TARNBLAST_WEB_STUB "Build the test-pattern stand-in instead of the game" OFF)
else()
  set(TARNBLAST_WEB_STUB ON)
endif()

set(WEB_COMMON_LINK -O2 -sALLOW_MEMORY_GROWTH=1 "--js-library=${WEB_DIR}/page_library.js")
set(WEB_PAGE_LINK -sENVIRONMENT=web -sEXPORTED_RUNTIME_METHODS=ccall,cwrap,FS
    "--preload-file=${TARNBLAST_NATIVE_DATA}@/data")
# Node 18 and later have fetch(), which this emscripten would use to load the
# wasm by its path: the runner compiles it synchronously instead.
set(WEB_RUNNER_LINK -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)

if(TARNBLAST_WEB_STUB)
  message(STATUS "Browser build: the test-pattern stand-in (src/platform/web/stub_game.cpp)")
  add_executable(tarnblast "${WEB_DIR}/stub_game.cpp")
  add_executable(tarnblast-replay "${WEB_DIR}/stub_game.cpp" "${WEB_DIR}/stub_replay.cpp")
  target_include_directories(tarnblast PRIVATE src)
  target_include_directories(tarnblast-replay PRIVATE src)
  # The browser tests check what they can of the stand-in when this is here.
  file(WRITE "${CMAKE_BINARY_DIR}/stand-in.txt" "the page runs stub_game.cpp, not the game\n")
else()
  file(REMOVE "${CMAKE_BINARY_DIR}/stand-in.txt")
  file(GLOB WEB_CORE_SOURCES CONFIGURE_DEPENDS
    src/base/*.cpp src/levels/*.cpp src/world/*.cpp src/enemies/*.cpp src/editor/*.cpp
    src/shell/*.cpp)
  list(FILTER WEB_CORE_SOURCES EXCLUDE REGEX "/src/shell/main\\.cpp$")
  add_library(tarnblast_web_core STATIC ${WEB_CORE_SOURCES})
  target_include_directories(tarnblast_web_core PUBLIC src tools/replay)
  target_compile_options(tarnblast_web_core PRIVATE -O2)
  # The edge's files are linked whole, not from a library, so that the
  # exports nothing in C++ calls are kept.
  set(WEB_RUNNER_EDGE ${WEB_EDGE_SOURCES})
  list(FILTER WEB_RUNNER_EDGE EXCLUDE REGEX "/page[^/]*\\.cpp$")
  add_executable(tarnblast ${WEB_EDGE_SOURCES})
  target_link_libraries(tarnblast PRIVATE tarnblast_web_core)
  file(GLOB WEB_RUNNER_SOURCES CONFIGURE_DEPENDS tools/replay/*.cpp)
  add_executable(tarnblast-replay ${WEB_RUNNER_SOURCES} ${WEB_RUNNER_EDGE})
  target_link_libraries(tarnblast-replay PRIVATE tarnblast_web_core)
endif()

target_compile_options(tarnblast PRIVATE -O2)
target_compile_options(tarnblast-replay PRIVATE -O2)
target_link_options(tarnblast PRIVATE ${WEB_COMMON_LINK} ${WEB_PAGE_LINK})
target_link_options(tarnblast-replay PRIVATE ${WEB_COMMON_LINK} ${WEB_RUNNER_LINK})
set_property(TARGET tarnblast tarnblast-replay APPEND PROPERTY LINK_DEPENDS
  "${WEB_DIR}/page_library.js")
# The data package is made when the page's module links: new data/, new link.
file(GLOB WEB_DATA_FILES CONFIGURE_DEPENDS "${TARNBLAST_NATIVE_DATA}/*")
set_property(TARGET tarnblast APPEND PROPERTY LINK_DEPENDS ${WEB_DATA_FILES})

# A plain web server sends files as they are: the page fetches the data
# package (mostly the music, as PCM) and the wasm gzip-compressed and unpacks
# them itself.
add_custom_command(TARGET tarnblast POST_BUILD
  COMMAND gzip -9 -n -f -k tarnblast.data tarnblast.wasm
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}" VERBATIM)

foreach(page_file index.html page.js page.css)
  configure_file("${WEB_DIR}/${page_file}" "${CMAKE_BINARY_DIR}/${page_file}" COPYONLY)
endforeach()
