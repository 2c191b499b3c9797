# CMake toolchain file: 64-bit Windows with Debian's mingw-w64 (posix thread model), Wine to run.
#
# build-deps.sh copies this file into its cache folder (<cache>/toolchain-mingw64.cmake), next to
# the cross-built Qt (<cache>/qt) and GeographicLib (<cache>/geographiclib). Qt is configured against
# that copy and its qt.toolchain.cmake records the copy's path, so use the copy, not this file:
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=<cache>/toolchain-mingw64.cmake
#
# The cache prefixes beside the copy are found without further ado; extra prefixes may be given
# with -DCMAKE_PREFIX_PATH=... (they are added to CMAKE_FIND_ROOT_PATH as well).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENTAL_MINGW_TRIPLE x86_64-w64-mingw32)
set(ZENTAL_MINGW_SYSROOT /usr/${ZENTAL_MINGW_TRIPLE})

set(CMAKE_C_COMPILER ${ZENTAL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTAL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTAL_MINGW_TRIPLE}-windres)

# Where target libraries, headers and packages are looked for: the mingw sysroot, the cache
# prefixes next to this file, and whatever CMAKE_PREFIX_PATH adds.
set(CMAKE_FIND_ROOT_PATH ${ZENTAL_MINGW_SYSROOT})
foreach(zental_prefix qt geographiclib)
  if(IS_DIRECTORY "${CMAKE_CURRENT_LIST_DIR}/${zental_prefix}")
    list(APPEND CMAKE_FIND_ROOT_PATH "${CMAKE_CURRENT_LIST_DIR}/${zental_prefix}")
  endif()
endforeach()
foreach(zental_prefix IN LISTS CMAKE_PREFIX_PATH)
  list(APPEND CMAKE_FIND_ROOT_PATH "${zental_prefix}")
endforeach()
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
unset(zental_prefix)

# Programs (moc, rcc, uic, wine, ...) are the host's; libraries, headers and packages only the
# target's, so that no host library (zstd, freetype, the host's own Qt, ...) slips into the build.
# Qt's host-tool packages (Qt6CoreTools, ...) are still found: Qt's CMake files put QT_HOST_PATH
# in front of CMAKE_FIND_ROOT_PATH while they look for them.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt cross-built for Windows takes its host tools from Debian's Qt 6 under /usr.
set(QT_HOST_PATH /usr CACHE PATH "Host Qt prefix for the cross build")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt CMake packages")

# The folders holding mingw's runtime DLLs (libstdc++-6.dll, libgcc_s_seh-1.dll,
# libwinpthread-1.dll), for WINEPATH or for copying next to the programs.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE zental_libstdcxx_dll OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET)
set(ZENTAL_MINGW_RUNTIME_DIRS ${ZENTAL_MINGW_SYSROOT}/lib)
if(IS_ABSOLUTE "${zental_libstdcxx_dll}")
  get_filename_component(zental_libstdcxx_dir "${zental_libstdcxx_dll}" DIRECTORY)
  list(PREPEND ZENTAL_MINGW_RUNTIME_DIRS "${zental_libstdcxx_dir}")
endif()
unset(zental_libstdcxx_dll)
unset(zental_libstdcxx_dir)

# Test programs run under Wine (wine64 where it exists, else wine).
find_program(ZENTAL_WINE NAMES wine64 wine)
if(ZENTAL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZENTAL_WINE})
endif()
