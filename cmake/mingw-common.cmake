# Shared part of the mingw-w64 cross toolchains; the including file sets
# PELKARIN_MINGW_TRIPLET, CMAKE_SYSTEM_PROCESSOR and PELKARIN_FLAVOUR first.
set(CMAKE_SYSTEM_NAME Windows)
# The win32 thread model: the posix one links winpthreads, which imports functions that
# Windows 98, NT 4.0 and 2000 lack (GetTickCount64, AddVectoredExceptionHandler,
# TryEnterCriticalSection, GetHandleInformation). The price is that std::thread, std::mutex
# and std::async do not exist; the program and its tests use Win32 threads where needed.
set(CMAKE_C_COMPILER ${PELKARIN_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${PELKARIN_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${PELKARIN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PELKARIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the .exe needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest runs the Windows programs under Wine, with this flavour's loader and prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh;${PELKARIN_FLAVOUR}")
