# Cross build for 32-bit Windows (the release) with mingw-w64; tests run through 32-bit Wine.
set(PELKARIN_MINGW_TRIPLET i686-w64-mingw32)
set(PELKARIN_FLAVOUR win32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
