# The web build (emcmake cmake): the program, and the toolkit's contract
# test, as self-contained pages: each an Emscripten single-file script that
# cmake/web_page.py inlines into its HTML template with the dialog font.

set(BREVOLT_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with Debian's fontTools and brotli")
set(BREVOLT_DIALOG_FONT /usr/share/wine/fonts/tahoma.ttf CACHE FILEPATH
  "The dialog font the page embeds (Debian package fonts-wine)")
if(NOT EXISTS ${BREVOLT_DIALOG_FONT})
  message(FATAL_ERROR "The page embeds ${BREVOLT_DIALOG_FONT}: install fonts-wine")
endif()

set(BREVOLT_WEB_SIZE_OPTIONS -Oz -flto)
target_compile_options(brevolt_toolkit PRIVATE ${BREVOLT_WEB_SIZE_OPTIONS})
target_compile_options(brevolt_script PRIVATE ${BREVOLT_WEB_SIZE_OPTIONS})
# The blocking waits (EventWait, MessageBoxShow, the file operations) suspend
# the program until the page has what they wait for. The page runs main
# itself (ccall, async) to learn when it has returned.
# ASYNCIFY_STACK_SIZE: room to save the deepest suspended call chain, a
# GoogleTest body's included.
set(BREVOLT_WEB_LINK_OPTIONS ${BREVOLT_WEB_SIZE_OPTIONS} -sASYNCIFY -sASYNCIFY_STACK_SIZE=16384
  -sMODULARIZE -sEXPORT_NAME=Brevolt -sSINGLE_FILE -sENVIRONMENT=web -sINVOKE_RUN=0
  -sEXPORTED_RUNTIME_METHODS=ccall -sEXPORTED_FUNCTIONS=_main,_malloc,_free
  -sALLOW_MEMORY_GROWTH
  # What the page does without: a smaller allocator, the old browsers' text
  # decoding, eval, longjmp.
  -sMALLOC=emmalloc -sTEXTDECODER=2 -sDYNAMIC_EXECUTION=0 -sSUPPORT_LONGJMP=0)

# target.html beside the target's script, from the template.
function(brevolt_web_page target template)
  target_link_options(${target} PRIVATE ${BREVOLT_WEB_LINK_OPTIONS})
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.html)
  add_custom_command(OUTPUT ${page}
    COMMAND ${BREVOLT_PYTHON} ${PROJECT_SOURCE_DIR}/cmake/web_page.py --template ${template}
      --script $<TARGET_FILE:${target}> --font ${BREVOLT_DIALOG_FONT} --output ${page}
    DEPENDS ${target} ${template} ${PROJECT_SOURCE_DIR}/cmake/web_page.py
    COMMENT "Writing ${target}.html" VERBATIM)
  add_custom_target(${target}_page ALL DEPENDS ${page})
endfunction()

add_executable(brevolt ${mainwindow_sources})
target_compile_options(brevolt PRIVATE ${BREVOLT_WARNINGS} ${BREVOLT_WEB_SIZE_OPTIONS})
target_link_libraries(brevolt PRIVATE brevolt_script brevolt_toolkit)
brevolt_web_page(brevolt ${PROJECT_SOURCE_DIR}/mainwindow/resources/brevolt.html.in)

# contract_tests.html, which tests/support/run_page_test.py runs in chromium.
function(brevolt_web_contract_tests)
  add_executable(contract_tests ${ARGN})
  target_compile_options(contract_tests PRIVATE ${BREVOLT_WARNINGS})
  target_link_libraries(contract_tests PRIVATE brevolt_toolkit gtest_main)
  brevolt_web_page(contract_tests ${PROJECT_SOURCE_DIR}/tests/support/test_page.html.in)
endfunction()
