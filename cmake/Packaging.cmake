# Install rules and the Linux packages (CPack: a Debian package and a .tar.gz with the same program
# files; the archive has LICENSE where the package has Debian's copyright file and changelog).
# `cmake --install build --prefix P` lays out P/lib/vst, P/lib/lv2 (from plugin/lv2), P/lib/clap
# (from plugin/clap), P/bin,
# P/share/man/man1 (from tools/) and P/share/doc/orbitone; the programs find the module from P/bin
# through ../lib/vst.
# The folders are spelt out rather than taken from GNUInstallDirs: on Debian its libdir would be
# lib/x86_64-linux-gnu, where no host looks for plug-ins.

install(TARGETS Orbitone LIBRARY DESTINATION lib/vst)
foreach(program orbitone-render orbitone-snapshot)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION bin)
  endif()
endforeach()
install(FILES README.md DESTINATION share/doc/orbitone)
# The README shows the panel from docs/.
install(FILES docs/panel.png DESTINATION share/doc/orbitone/docs)
# The archive and `cmake --install` carry LICENSE; the Debian package has its text in its copyright
# file instead (cmake/PackageGenerators.cmake picks the components of each package).
install(FILES LICENSE DESTINATION share/doc/orbitone COMPONENT licence)

# The LV2 bundle (plugin/lv2) is installed as a folder, which --strip and CPack's stripping leave as it
# is; this strips its binaries too. Install rules run in the order of the CMake files, so this comes
# after the bundle's.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB lv2_binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/lv2/Orbitone.lv2/*.so\")
    foreach(binary IN LISTS lv2_binaries)
      execute_process(COMMAND \"${CMAKE_STRIP}\" \"\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
")

set(ORBITONE_PACKAGE_CONTACT "Velmora <orbitone@velmora.example>"
    CACHE STRING "Maintainer of the Debian package (name <address>)")

# The Debian package's own documents, installed into it only (`cmake --install` leaves them out): the
# copyright file in Debian's machine-readable format, and the changelog, made from the release notes
# when the package is made.
include(cmake/DebianCopyright.cmake)
orbitone_debian_copyright(${CMAKE_BINARY_DIR}/debian/copyright)
install(FILES ${CMAKE_BINARY_DIR}/debian/copyright DESTINATION share/doc/orbitone
        COMPONENT debian EXCLUDE_FROM_ALL)
install(CODE "
  set(changelog \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/doc/orbitone/changelog.gz\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/doc/orbitone\")
  execute_process(COMMAND \"${PROJECT_SOURCE_DIR}/tools/package/debian-changelog.sh\"
    \"${PROJECT_SOURCE_DIR}/RELEASE-NOTES.md\" orbitone \"${PROJECT_VERSION}\" \"${ORBITONE_PACKAGE_CONTACT}\"
    \"\${changelog}\" COMMAND_ERROR_IS_FATAL ANY)
" COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME orbitone)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORBITONE_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME orbitone-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_GENERATOR DEB TGZ)
# Installed files carry no debugging information.
set(CPACK_STRIP_FILES ON)
# The programs find the module relative to themselves, so the archive works wherever it is unpacked.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from the shared libraries the binaries link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The editor asks for "Arial", which fontconfig resolves to Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
# The Debian description: the summary line, then these lines (CPack indents them).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Orbitone places a stereo input, or two mono inputs, in a 5.1 field (L, R, C,\n"
  "LFE, Ls, Rs), moves them by itself while the host's transport runs, and draws\n"
  "its own editor. The package holds the VST 2.4 module (/usr/lib/vst), the LV2\n"
  "bundle (/usr/lib/lv2), the CLAP module (/usr/lib/clap), orbitone-render,\n"
  "which renders audio files to 5.1 without a DAW, and orbitone-snapshot, which\n"
  "draws the editor panel into a PNG.")
# Per package: the archive takes every default component, the Debian package the program files and
# its own documents (cmake/PackageGenerators.cmake).
set(CPACK_ORBITONE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_ORBITONE_DEB_PROJECTS
    ${CMAKE_BINARY_DIR} ${PROJECT_NAME} Unspecified /
    ${CMAKE_BINARY_DIR} ${PROJECT_NAME} debian /)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackageGenerators.cmake)

include(CPack)
