# The browser build (emcmake cmake -DTARNBLAST_WEB=ON; scripts/web.sh runs it):
# the page's module tarnblast.js + tarnblast.wasm, which holds the asset
# builder and its sources and makes the game's data/ itself, the page itself,
# and tarnblast-replay.js, the replay runner for node, which reads and writes
# real files as the desktop runner does. Both are the game's logic on the web
# platform (src/platform/web): every .cpp there goes into the page's module,
# and those not named page* into the runner too. The desktop build made
# beforehand gives Allegro's 8 x 8 glyphs as a table
# (generated/font_glyphs.inc), data/ for the runner's tests and the sprite
# sheet the page's icons are cut from.
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

# Bulk memory: the frame's fills and row copies are single instructions, not
# a call out to JavaScript for every row longer than 512 bytes.
add_compile_options(-O2 -msimd128 -mbulk-memory)
add_library(tarnblast_logic STATIC ${TARNBLAST_LOGIC_SOURCES})
target_include_directories(tarnblast_logic PUBLIC src tools/replay "${TARNBLAST_NATIVE_BUILD}")

# The edge's files are linked whole, not from a library, so that the exports
# nothing in C++ calls are kept. The page's module also holds the asset
# builder (without its Allegro parts) and the builder's sources.
set(WEB_BUILDER_SOURCES asset_builder.cpp file_formats.cpp pixel_art.cpp source_text.cpp synth.cpp
  page_builder.cpp)
list(TRANSFORM WEB_BUILDER_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/tools/assets/")
set(WEB_COMPILED_SOURCES "${CMAKE_BINARY_DIR}/generated/asset_sources.inc")
file(GLOB_RECURSE WEB_ASSET_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/art/*"
  "${CMAKE_SOURCE_DIR}/data/sound/*")
add_custom_command(OUTPUT "${WEB_COMPILED_SOURCES}"
  COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/data -DOUT=${WEB_COMPILED_SOURCES}
    -P "${CMAKE_SOURCE_DIR}/cmake/compiled_sources.cmake"
  DEPENDS ${WEB_ASSET_SOURCES} "${CMAKE_SOURCE_DIR}/cmake/compiled_sources.cmake"
  COMMENT "Compiling the asset builder's sources into the page" VERBATIM)
add_executable(tarnblast ${WEB_EDGE_SOURCES} ${WEB_BUILDER_SOURCES} "${WEB_COMPILED_SOURCES}")
target_link_libraries(tarnblast PRIVATE tarnblast_logic)
target_include_directories(tarnblast PRIVATE tools/assets "${CMAKE_BINARY_DIR}")
target_compile_definitions(tarnblast PRIVATE
  TARNBLAST_DATA_SOURCE_DIR="${CMAKE_SOURCE_DIR}/data")
file(GLOB WEB_RUNNER_SOURCES CONFIGURE_DEPENDS tools/replay/*.cpp)
add_executable(tarnblast-replay ${WEB_RUNNER_SOURCES} ${WEB_RUNNER_EDGE})
target_link_libraries(tarnblast-replay PRIVATE tarnblast_logic)

set(WEB_COMMON_LINK -O2 -sALLOW_MEMORY_GROWTH=1 "--js-library=${WEB_DIR}/page_library.js")
# The page's module runs in the page and, a second time, in its sound worker
# (sound_worker.js, at the module's head).
set(WEB_PAGE_LINK -sENVIRONMENT=web,worker -sEXPORTED_RUNTIME_METHODS=ccall,cwrap,FS
  "--pre-js=${WEB_DIR}/sound_worker.js")
# Node 18 and later have fetch(), which this emscripten would use to load the
# wasm by its path: the runner compiles it synchronously instead.
set(WEB_RUNNER_LINK -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)
target_link_options(tarnblast PRIVATE ${WEB_COMMON_LINK} ${WEB_PAGE_LINK})
target_link_options(tarnblast-replay PRIVATE ${WEB_COMMON_LINK} ${WEB_RUNNER_LINK})
set_property(TARGET tarnblast tarnblast-replay APPEND PROPERTY LINK_DEPENDS
  "${WEB_DIR}/page_library.js")
set_property(TARGET tarnblast APPEND PROPERTY LINK_DEPENDS "${WEB_DIR}/sound_worker.js")

# A plain web server sends files as they are: the page fetches the wasm
# gzip-compressed and unpacks it itself.
add_custom_command(OUTPUT tarnblast.wasm.gz
  COMMAND gzip -9 -n -f -k tarnblast.wasm
  DEPENDS tarnblast WORKING_DIRECTORY "${CMAKE_BINARY_DIR}" VERBATIM)

foreach(page_file index.html page.js page.css manifest.webmanifest)
  configure_file("${WEB_DIR}/${page_file}" "${CMAKE_BINARY_DIR}/${page_file}" COPYONLY)
endforeach()

# The icons of the installed page: the hero, cut from the sprite sheet by the
# desktop build's icon tool, as the desktop's icon is.
set(WEB_ICON_TOOL "${TARNBLAST_NATIVE_BUILD}/tools/icon/tarnblast-icon")
set(WEB_ICONS)
foreach(size 192 512)
  add_custom_command(OUTPUT icon-${size}.png
    COMMAND "${WEB_ICON_TOOL}" "${TARNBLAST_NATIVE_DATA}/main.bmp" 0 0 20 32 ${size} icon-${size}.png
    DEPENDS "${WEB_ICON_TOOL}" "${TARNBLAST_NATIVE_DATA}/main.bmp"
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}" VERBATIM)
  list(APPEND WEB_ICONS icon-${size}.png)
endforeach()

# Every file the page loads, which its service worker keeps for offline play;
# the worker itself is made from them (cmake/service_worker.cmake).
set(WEB_PAGE_FILES index.html page.css page.js tarnblast.js tarnblast.wasm.gz manifest.webmanifest
  ${WEB_ICONS})
list(TRANSFORM WEB_PAGE_FILES PREPEND "${CMAKE_BINARY_DIR}/" OUTPUT_VARIABLE WEB_PAGE_PATHS)
string(REPLACE ";" "," WEB_PAGE_LIST "${WEB_PAGE_FILES}")
add_custom_command(OUTPUT service-worker.js page-files.txt
  COMMAND "${CMAKE_COMMAND}" -DDIR=${CMAKE_BINARY_DIR} -DFILES=${WEB_PAGE_LIST}
    -DTEMPLATE=${WEB_DIR}/service-worker.js -P "${CMAKE_SOURCE_DIR}/cmake/service_worker.cmake"
  DEPENDS ${WEB_PAGE_PATHS} tarnblast "${WEB_DIR}/service-worker.js"
    "${CMAKE_SOURCE_DIR}/cmake/service_worker.cmake"
  COMMENT "Listing the page's files for its service worker" VERBATIM)
add_custom_target(page ALL DEPENDS service-worker.js)
