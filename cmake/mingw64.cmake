# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, the POSIX threads variant (its
# libstdc++ has std::thread and friends). The libraries built for it live in QUILLO_WINDOWS_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_AR ${MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT QUILLO_WINDOWS_PREFIX)
  set(QUILLO_WINDOWS_PREFIX ${CMAKE_BINARY_DIR}/deps/prefix)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE} ${QUILLO_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config and find_package look in the cross-built libraries first.
set(CMAKE_PREFIX_PATH ${QUILLO_WINDOWS_PREFIX})

# The C and C++ runtimes and winpthread go into the program, so it needs no MinGW DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic")

# GCC 12 warns of overlapping copies inside libstdc++'s own string code at -O2, a known false
# alarm (GCC bug 105329) that the build's -Werror would stop on.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
