# The browser build (emcmake cmake -DTARNBLAST_NATIVE_BUILD=build ...): the
# game's page module and the replay runner for node, from the game's logic on
# the web platform (src/platform/web). The desktop build made beforehand
# gives the art and sound (data/) and Allegro's glyphs as a table.
set(TARNBLAST_NATIVE_BUILD "" CACHE PATH "A desktop build folder holding data/ and generated/")
if(NOT EXISTS "${TARNBLAST_NATIVE_BUILD}/data/main.bmp"
   OR NOT EXISTS "${TARNBLAST_NATIVE_BUILD}/generated/font_glyphs.inc")
  message(FATAL_ERROR "TARNBLAST_NATIVE_BUILD must name a built desktop build folder "
    "(with data/ and generated/font_glyphs.inc); scripts/web.sh makes one")
endif()

add_compile_options(-O2 -msimd128)
set(TARNBLAST_WEB_DIR ${CMAKE_SOURCE_DIR}/src/platform/web)
add_library(tarnblast_web_core STATIC ${TARNBLAST_LOGIC_SOURCES}
  ${TARNBLAST_WEB_DIR}/soft_frame.cpp ${TARNBLAST_WEB_DIR}/web_platform.cpp
  tools/replay/replay_run.cpp tools/replay/state_trace.cpp)
target_include_directories(tarnblast_web_core PUBLIC src tools/replay
  PRIVATE "${TARNBLAST_NATIVE_BUILD}")

# The page's module: tarnblast.js, tarnblast.wasm and tarnblast.data (data/).
add_executable(tarnblast ${TARNBLAST_WEB_DIR}/page_main.cpp)
target_link_libraries(tarnblast PRIVATE tarnblast_web_core)
target_link_options(tarnblast PRIVATE -O2 -sALLOW_MEMORY_GROWTH=1 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_RUNTIME_METHODS=['ccall','cwrap','FS','HEAPU8','UTF8ToString']"
  --js-library ${TARNBLAST_WEB_DIR}/page_library.js
  --preload-file "${TARNBLAST_NATIVE_BUILD}/data@/data")
set_property(TARGET tarnblast APPEND PROPERTY LINK_DEPENDS ${TARNBLAST_WEB_DIR}/page_library.js)

# The replay runner for node: real files, as the desktop runner reads and
# writes them.
add_executable(tarnblast-replay tools/replay/main.cpp)
target_link_libraries(tarnblast-replay PRIVATE tarnblast_web_core)
target_link_options(tarnblast-replay PRIVATE -O2 -sALLOW_MEMORY_GROWTH=1 -sNODERAWFS=1
  -sEXIT_RUNTIME=1 -sENVIRONMENT=node -sSINGLE_FILE=1 --js-library ${TARNBLAST_WEB_DIR}/silent_library.js)

# The page itself beside the module.
foreach(file index.html page.js page.css)
  if(EXISTS ${TARNBLAST_WEB_DIR}/${file})
    configure_file(${TARNBLAST_WEB_DIR}/${file} ${CMAKE_BINARY_DIR}/${file} COPYONLY)
  endif()
endforeach()
