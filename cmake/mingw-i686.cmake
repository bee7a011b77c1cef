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

# Everything is built for the i486 and linked with the runtime that
# scripts/build-runtime.sh builds for it: Debian's start-up objects, libgcc and
# C++ runtime are built for the i686 (CMOV). -B puts the runtime's start-up
# objects and libraries before the compiler's own; the C++ runtime's headers
# are the ones configured with its library. Tuning stays generic, as
# Debian's compiler has it. The assembler is held to the i486 with its
# built-in FPU too, so that an instruction the compiler did not choose
# (inline or hand-written assembly) fails the build instead of a customer's
# machine.
if(NOT SUITE_I486_RUNTIME)
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/build-runtime.sh
        OUTPUT_VARIABLE SUITE_I486_RUNTIME OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE runtime_result)
    if(NOT runtime_result EQUAL 0)
        message(FATAL_ERROR "building the i486 runtime failed (scripts/build-runtime.sh)")
    endif()
    set(SUITE_I486_RUNTIME ${SUITE_I486_RUNTIME} CACHE PATH "The runtime built for the i486")
endif()
if(NOT EXISTS ${SUITE_I486_RUNTIME}/complete)
    message(FATAL_ERROR "${SUITE_I486_RUNTIME} is no complete i486 runtime (scripts/build-runtime.sh)")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SUITE_I486_RUNTIME)
set(SUITE_I486_FLAGS "-march=i486 -mtune=generic -Wa,-march=i486+387 -B${SUITE_I486_RUNTIME}/lib/")
set(CMAKE_C_FLAGS_INIT "${SUITE_I486_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${SUITE_I486_FLAGS} -nostdinc++ -isystem ${SUITE_I486_RUNTIME}/include/c++ -isystem ${SUITE_I486_RUNTIME}/include/c++/${TOOL_PREFIX} -isystem ${SUITE_I486_RUNTIME}/include/c++/backward")
