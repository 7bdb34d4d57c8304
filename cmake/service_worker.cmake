# cmake -DDIR=BUILD_WEB_DIR -DFILES=a,b,... -DTEMPLATE=service-worker.js -P service_worker.cmake
# Writes DIR/service-worker.js: the template, headed by this build's files
# and the SHA-256 of each, and a version made from them all, so that every
# change to a file of the page is a new service worker, which the browser
# installs beside the old one; and DIR/page-files.txt, the same files a line
# each, for the scripts and tests that serve or weigh the page.
string(REPLACE "," ";" FILES "${FILES}")
set(listing "")
set(entries "")
foreach(name ${FILES})
  file(SHA256 "${DIR}/${name}" hash)
  string(APPEND listing "${name} ${hash}\n")
  string(APPEND entries "    '${name}': '${hash}',\n")
endforeach()
string(SHA256 version "${listing}")
string(SUBSTRING "${version}" 0 16 version)
file(READ "${TEMPLATE}" body)
file(WRITE "${DIR}/service-worker.js"
  "// Made by the build (cmake/service_worker.cmake): this build's files.\n"
  "const BUILD = {\n  version: '${version}',\n  files: {\n${entries}  },\n};\n\n${body}")
string(REPLACE ";" "\n" lines "${FILES}")
file(WRITE "${DIR}/page-files.txt" "${lines}\n")
