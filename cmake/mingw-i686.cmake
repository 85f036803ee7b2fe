# Cross build for i686 Windows with MinGW-w64 (Debian's g++-mingw-w64 packages). The -posix
# compilers carry the C++ thread support the standard library headers expect.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ORBITONE_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ORBITONE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBITONE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBITONE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORBITONE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# 32-bit hosts of this era all have SSE2: use it for floating point (as the 64-bit build does, so the
# two builds compute alike and the denormal guard works), and realign the stack at entry points,
# because 32-bit Windows callers only keep it 4-byte aligned.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
