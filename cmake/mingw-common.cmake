# What both MinGW-w64 cross builds share (Debian's g++-mingw-w64 packages); the including toolchain
# file sets CMAKE_SYSTEM_PROCESSOR and ORBITONE_MINGW_PREFIX first. The -posix compilers carry the
# C++ thread support the standard library headers expect.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ORBITONE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBITONE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBITONE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORBITONE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
