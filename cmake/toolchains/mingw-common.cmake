# Shared part of the mingw-w64 toolchain files; ZALVO_MINGW_TRIPLE names the target.
set(CMAKE_C_COMPILER ${ZALVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZALVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZALVO_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${ZALVO_MINGW_TRIPLE}-objdump)

# ZALVO_WINDOWS_DEPS: the prefix of the libraries built for the target from Debian's sources
# (tools/test-windows.sh builds them inside the build folder).
set(CMAKE_FIND_ROOT_PATH /usr/${ZALVO_MINGW_TRIPLE} ${ZALVO_WINDOWS_DEPS})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZALVO_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs and the library carry their C and C++ run-time inside, so they need nothing but
# Windows' own DLLs, wherever they are copied.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tools/wine-run.sh)
