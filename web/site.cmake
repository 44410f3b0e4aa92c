# Completes the site once the game and its data are built (cmake -P, from the site's
# target): the page's own files, the icon and the licence copied in, and index.html
# written from its template with the project's name, version and licence, each file's
# name followed by the start of its content's hash (?v=...), and the sizes of the two
# downloads the loading bar counts.
# Arguments (-D): SITE, WEB (web/ of the source), ICON, LICENSE, and the identity:
# TRELVANE_NAME, TRELVANE_VERSION, TRELVANE_SUMMARY, TRELVANE_LICENCE.
file(COPY_FILE ${WEB}/page.js ${SITE}/page.js ONLY_IF_DIFFERENT)
file(COPY_FILE ${WEB}/touch.js ${SITE}/touch.js ONLY_IF_DIFFERENT)
file(COPY_FILE ${WEB}/page.css ${SITE}/page.css ONLY_IF_DIFFERENT)
file(COPY_FILE ${ICON} ${SITE}/icon.png ONLY_IF_DIFFERENT)
file(COPY_FILE ${LICENSE} ${SITE}/LICENSE.txt ONLY_IF_DIFFERENT)

function(content_hash file out)
  file(SHA256 ${SITE}/${file} hash)
  string(SUBSTRING ${hash} 0 12 hash)
  set(${out} ${hash} PARENT_SCOPE)
endfunction()
content_hash(page.js PAGE_HASH)
content_hash(touch.js TOUCH_HASH)
content_hash(page.css CSS_HASH)
content_hash(icon.png ICON_HASH)
content_hash(trelvane.data.js LOADER_HASH)
content_hash(trelvane.data DATA_HASH)
content_hash(trelvane.js GAME_HASH)
content_hash(trelvane.wasm WASM_HASH)
file(SIZE ${SITE}/trelvane.data DATA_BYTES)
file(SIZE ${SITE}/trelvane.wasm WASM_BYTES)
configure_file(${WEB}/index.html ${SITE}/index.html @ONLY)
