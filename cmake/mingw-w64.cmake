# Cross-building the Windows x64 plugin with mingw-w64, win32 threading variant
# (Debian: g++-mingw-w64-x86-64-win32). Unlike the posix variant it links no winpthreads, so the .asi
# imports no thread, process or debugger control from KERNEL32. The stand-in host and the runner need
# no std::thread either and are built with the same compiler.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BRINDLECOT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRINDLECOT_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${BRINDLECOT_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${BRINDLECOT_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BRINDLECOT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
find_program(BRINDLECOT_DLLTOOL ${BRINDLECOT_MINGW_PREFIX}-dlltool REQUIRED)

# A build directory first configured with the posix variant keeps that compiler in its cache; the
# .asi would then link winpthreads again.
if(DEFINED CACHE{CMAKE_CXX_COMPILER} AND NOT "$CACHE{CMAKE_CXX_COMPILER}" MATCHES "-win32$")
  message(FATAL_ERROR "This build directory was configured with $CACHE{CMAKE_CXX_COMPILER}, not the "
                      "win32 threading variant: remove it (rm -rf build/windows) and configure again.")
endif()
