# Cross-compiles for 32-bit Windows with MinGW-w64; test programs run under Wine.
# The win32 thread model: the posix one links winpthreads, whose imports
# (GetTickCount64, vectored exception handlers, ...) Windows 95 and NT 4 lack.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TOOL_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TOOL_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOL_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER  ${TOOL_PREFIX}-windres)
set(CMAKE_AR           ${TOOL_PREFIX}-ar)
set(CMAKE_RANLIB       ${TOOL_PREFIX}-ranlib)
set(CMAKE_DLLTOOL      ${TOOL_PREFIX}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(WINE_PROGRAM wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
