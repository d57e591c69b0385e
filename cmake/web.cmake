# The web build (emcmake cmake): the program and the toolkit's contract test
# as single self-contained pages, each an Emscripten single-file script
# inlined into its HTML template by cmake/web_page.py.

set(BREVOLT_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with Debian's fontTools and brotli")
set(BREVOLT_DIALOG_FONT /usr/share/wine/fonts/tahoma.ttf CACHE FILEPATH
  "The dialog font the page embeds (Debian package fonts-wine)")

add_compile_options(-Oz -flto)
# The blocking waits (EventWait, MessageBoxShow, the file operations) suspend
# the program until the page has what they wait for.
set(BREVOLT_WEB_LINK_OPTIONS -Oz -flto -sASYNCIFY -sMODULARIZE -sEXPORT_NAME=Brevolt
  -sSINGLE_FILE -sENVIRONMENT=web -sINVOKE_RUN=0 -sEXPORTED_RUNTIME_METHODS=ccall
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free -sALLOW_MEMORY_GROWTH)

# A page for the target's script: target.html from the template.
function(brevolt_web_page target template)
  target_link_options(${target} PRIVATE ${BREVOLT_WEB_LINK_OPTIONS} ${ARGN})
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.html)
  add_custom_command(OUTPUT ${page}
    COMMAND ${BREVOLT_PYTHON} ${PROJECT_SOURCE_DIR}/cmake/web_page.py --template ${template}
      --script $<TARGET_FILE:${target}> --font ${BREVOLT_DIALOG_FONT} --output ${page}
    DEPENDS ${target} ${template} ${PROJECT_SOURCE_DIR}/cmake/web_page.py
    COMMENT "Writing ${target}.html" VERBATIM)
  add_custom_target(${target}_page ALL DEPENDS ${page})
endfunction()
