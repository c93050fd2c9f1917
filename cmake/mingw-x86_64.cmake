# The same sources as a 64-bit Windows build, which this machine's Wine can
# execute; the tests and the runnable tool use it.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
