# Read by cpack once for each generator (CPACK_PROJECT_CONFIG_FILE), with CPACK_GENERATOR naming it.
# The archive takes what `cmake --install` installs, LICENSE included. The Debian package takes the
# Debian documents instead of LICENSE (Debian wants the licence in the copyright file only), and its
# maintainer scripts are taken out once it is made (cmake/DebianMaintainerScripts.cmake).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_ORBITONE_DEB_PROJECTS})
  set(CPACK_POST_BUILD_SCRIPTS ${CPACK_ORBITONE_SOURCE_DIR}/cmake/DebianMaintainerScripts.cmake)
endif()
