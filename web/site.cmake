# Completes the site once the game and its data are built (cmake -P, from the site's
# target): the page's own files, the icons and the licence copied in; then, for every
# file of the site (FILES), the start of its content's hash, which the page, the web
# app manifest and the service worker name it by (file?v=hash): manifest.webmanifest
# written with its icons' names, index.html with every file's and the sizes of the two
# downloads the loading bar counts, and service-worker.js with the release's name (the
# version and a hash of all the files) and the list of files it keeps for offline play.
# Arguments (-D): SITE, WEB (web/ of the source), ICONS (the generator's icons folder),
# LICENSE, FILES (the site's file names), and the identity: TRELVANE_NAME,
# TRELVANE_SHORT_NAME, TRELVANE_VERSION, TRELVANE_SUMMARY, TRELVANE_LICENCE.
cmake_minimum_required(VERSION 3.25)
file(COPY_FILE ${WEB}/page.js ${SITE}/page.js ONLY_IF_DIFFERENT)
file(COPY_FILE ${WEB}/touch.js ${SITE}/touch.js ONLY_IF_DIFFERENT)
file(COPY_FILE ${WEB}/page.css ${SITE}/page.css ONLY_IF_DIFFERENT)
file(COPY_FILE ${ICONS}/trelvane-48.png ${SITE}/icon.png ONLY_IF_DIFFERENT)
file(COPY_FILE ${ICONS}/trelvane-192.png ${SITE}/icon-192.png ONLY_IF_DIFFERENT)
file(COPY_FILE ${ICONS}/trelvane-512.png ${SITE}/icon-512.png ONLY_IF_DIFFERENT)
file(COPY_FILE ${ICONS}/trelvane-maskable-512.png ${SITE}/icon-maskable.png ONLY_IF_DIFFERENT)
file(COPY_FILE ${LICENSE} ${SITE}/LICENSE.txt ONLY_IF_DIFFERENT)

function(content_hash file out)
  file(SHA256 ${SITE}/${file} hash)
  string(SUBSTRING ${hash} 0 12 hash)
  set(${out} ${hash} PARENT_SCOPE)
endfunction()
# page.js gives PAGE_JS_HASH, trelvane.data.js TRELVANE_DATA_JS_HASH, and so on.
function(hash_variable file out)
  string(MAKE_C_IDENTIFIER ${file} name)
  string(TOUPPER ${name}_HASH name)
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# What is written here comes last: the manifest, then the page, then the worker.
set(written index.html manifest.webmanifest service-worker.js)
foreach(file ${FILES})
  if(NOT file IN_LIST written)
    hash_variable(${file} variable)
    content_hash(${file} ${variable})
  endif()
endforeach()
configure_file(${WEB}/manifest.webmanifest ${SITE}/manifest.webmanifest @ONLY)
content_hash(manifest.webmanifest MANIFEST_WEBMANIFEST_HASH)
file(SIZE ${SITE}/trelvane.data DATA_BYTES)
file(SIZE ${SITE}/trelvane.wasm WASM_BYTES)
configure_file(${WEB}/index.html ${SITE}/index.html @ONLY)
content_hash(index.html INDEX_HTML_HASH)

# The worker keeps the page as its folder ("./"), and every other file by its hashed
# name; the release is named by all of them, so that any change makes a new one.
set(precache "'./'")
set(release ${INDEX_HTML_HASH})
foreach(file ${FILES})
  if(NOT file STREQUAL index.html AND NOT file STREQUAL service-worker.js)
    hash_variable(${file} variable)
    string(APPEND precache ", '${file}?v=${${variable}}'")
    string(APPEND release " ${${variable}}")
  endif()
endforeach()
string(SHA256 release "${release}")
string(SUBSTRING ${release} 0 12 release)
set(TRELVANE_RELEASE "${TRELVANE_VERSION}-${release}")
set(TRELVANE_PRECACHE "${precache}")
configure_file(${WEB}/service-worker.js ${SITE}/service-worker.js @ONLY)
