# A 64-bit Windows build of the same sources, for machines that run 64-bit code only.
set(BREVOLT_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
