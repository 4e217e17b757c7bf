# Cross build for x86_64 Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64). The posix
# thread model gives the standard library its threads and mutexes; the program runs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZALVO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
