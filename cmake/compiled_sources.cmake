# cmake -DSOURCE_DIR=DIR -DOUT=FILE -P compiled_sources.cmake
# Writes the asset builder's text sources (every file under DIR/art and
# DIR/sound) as C++ byte arrays, for the browser's page, which builds its art
# and sound from them instead of downloading the files they make.
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/art/*" "${SOURCE_DIR}/sound/*")
list(SORT sources)
set(text "// Made by cmake/compiled_sources.cmake from the files under data/art and data/sound.\n")
set(table "")
set(number 0)
foreach(source ${sources})
  file(READ "${SOURCE_DIR}/${source}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND text "const unsigned char SOURCE_${number}[] = {\n${bytes}};\n")
  string(APPEND table "    {\"${source}\", SOURCE_${number}, sizeof SOURCE_${number}},\n")
  math(EXPR number "${number} + 1")
endforeach()
string(APPEND text "const CompiledSource COMPILED_SOURCES[] = {\n${table}};\n")
# Written only when it changed, so that an unchanged source compiles nothing.
file(WRITE "${OUT}.new" "${text}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
