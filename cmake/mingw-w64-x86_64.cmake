# Cross-building for 64-bit Windows with Debian's mingw-w64 compilers. The "-posix" variants
# carry std::thread and std::mutex, which the "-win32" ones of GCC 12 lack.
# Libraries are searched only in the compilers' own tree and in the folders the caller adds
# to CMAKE_FIND_ROOT_PATH (the dependencies' prefix), never in the host's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LEVELCOLORS_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LEVELCOLORS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LEVELCOLORS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LEVELCOLORS_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${LEVELCOLORS_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${LEVELCOLORS_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${LEVELCOLORS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the compiler's own run-time (libgcc, libstdc++, winpthread) inside, so
# that only the dependencies' DLLs travel with them; their import libraries are found by full
# path, which -static leaves alone. DLLs take libgcc in, nothing more: sdl12-compat links
# without the C library.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static-libgcc)
