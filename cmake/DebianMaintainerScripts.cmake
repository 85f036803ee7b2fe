# Run by cpack once it has made the Debian package (CPACK_POST_BUILD_SCRIPTS). CPack gives a package
# a postinst and a postrm that run ldconfig whenever a shared object lies under /usr/lib; ours are
# plug-ins in /usr/lib/vst and /usr/lib/lv2, where the dynamic linker never looks, so the calls only
# cost time (and where a library needs them, Debian's libc-bin runs ldconfig by a trigger; lintian
# warns about the calls). The package is rebuilt without the two scripts; a script that does more
# than call ldconfig stops the packaging instead.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND ${DPKG_DEB} --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    set(file ${tree}/DEBIAN/${script})
    if(NOT EXISTS ${file})
      continue()
    endif()
    file(STRINGS ${file} lines)
    list(FILTER lines EXCLUDE REGEX "^[ \t]*(#.*|set -e|ldconfig|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|fi)?$")
    if(lines)
      message(FATAL_ERROR "${script} of ${package} does more than call ldconfig: ${lines}")
    endif()
    file(REMOVE ${file})
  endforeach()
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group --build ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
