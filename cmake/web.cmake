# The browser build (emcmake cmake -DTARNBLAST_WEB=ON; scripts/web.sh runs it):
# the page's module tarnblast.js + tarnblast.wasm with the game's data/
# preloaded, the page itself, and tarnblast-replay.js, the replay runner for
# node, which reads and writes real files as the desktop runner does. Both are
# the game's logic on the web platform (src/platform/web): every .cpp there
# goes into the page's module, and those not named page* into the runner too.
# The desktop build made beforehand gives the art and sound (data/) and
# Allegro's 8 x 8 glyphs as a table (generated/font_glyphs.inc).
set(TARNBLAST_NATIVE_BUILD "${CMAKE_SOURCE_DIR}/build" CACHE PATH
    "The desktop build folder, holding data/ and generated/font_glyphs.inc")
set(TARNBLAST_NATIVE_DATA "${TARNBLAST_NATIVE_BUILD}/data")
if(NOT EXISTS "${TARNBLAST_NATIVE_DATA}/main.bmp"
   OR NOT EXISTS "${TARNBLAST_NATIVE_BUILD}/generated/font_glyphs.inc")
  message(FATAL_ERROR "${TARNBLAST_NATIVE_BUILD} holds no data/main.bmp or "
    "generated/font_glyphs.inc: build the desktop targets assets and font_glyphs first")
endif()

set(WEB_DIR "${CMAKE_SOURCE_DIR}/src/platform/web")
file(GLOB WEB_EDGE_SOURCES CONFIGURE_DEPENDS "${WEB_DIR}/*.cpp")
set(WEB_RUNNER_EDGE ${WEB_EDGE_SOURCES})
list(FILTER WEB_RUNNER_EDGE EXCLUDE REGEX "/page[^/]*\\.cpp$")

add_compile_options(-O2 -msimd128)
add_library(tarnblast_logic STATIC ${TARNBLAST_LOGIC_SOURCES})
target_include_directories(tarnblast_logic PUBLIC src tools/replay "${TARNBLAST_NATIVE_BUILD}")

# The edge's files are linked whole, not from a library, so that the exports
# nothing in C++ calls are kept.
add_executable(tarnblast ${WEB_EDGE_SOURCES})
target_link_libraries(tarnblast PRIVATE tarnblast_logic)
file(GLOB WEB_RUNNER_SOURCES CONFIGURE_DEPENDS tools/replay/*.cpp)
add_executable(tarnblast-replay ${WEB_RUNNER_SOURCES} ${WEB_RUNNER_EDGE})
target_link_libraries(tarnblast-replay PRIVATE tarnblast_logic)

set(WEB_COMMON_LINK -O2 -sALLOW_MEMORY_GROWTH=1 "--js-library=${WEB_DIR}/page_library.js")
set(WEB_PAGE_LINK -sENVIRONMENT=web -sEXPORTED_RUNTIME_METHODS=ccall,cwrap,FS
    "--preload-file=${TARNBLAST_NATIVE_DATA}@/data")
# Node 18 and later have fetch(), which this emscripten would use to load the
# wasm by its path: the runner compiles it synchronously instead.
set(WEB_RUNNER_LINK -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)
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
