# The 32-bit Windows build, the exe that ships.
set(BREVOLT_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
