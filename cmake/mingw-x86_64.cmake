# Cross build for 64-bit Windows with mingw-w64; tests run through 64-bit Wine, which
# every host can execute.
set(PELKARIN_MINGW_TRIPLET x86_64-w64-mingw32)
set(PELKARIN_FLAVOUR win64)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
