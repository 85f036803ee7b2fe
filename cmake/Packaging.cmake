# Install rules and the Linux packages (CPack: a Debian package and a .tar.gz with the same files).
# `cmake --install build --prefix P` lays out P/lib/vst, P/lib/lv2 (from plugin/lv2), P/lib/clap (from
# plugin/clap), P/bin and P/share/doc/orbitone; the programs find the module from P/bin through ../lib/vst.
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

set(CPACK_PACKAGE_NAME orbitone)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORBITONE_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "surround panner plug-in (VST 2.4, LV2 and CLAP) for 5.1")
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
  "bundle (/usr/lib/lv2), the CLAP module (/usr/lib/clap) and orbitone-render,\n"
  "which renders audio files to 5.1 without a DAW.")

include(CPack)
