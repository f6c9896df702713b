# Cross-builds the core for 64-bit Windows with Debian's MinGW-w64 compilers
# (posix threads, so std::thread and friends work). Everything links
# statically, so the programs run under Wine without any MinGW DLL beside them.
#
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-w64-x86_64.cmake \
#         -DMAPWREN_WINDOW=OFF -DMAPWREN_BENCH=OFF

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the Windows programs through Wine.
find_program(MAPWREN_WINE wine)
if(MAPWREN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MAPWREN_WINE})
endif()
