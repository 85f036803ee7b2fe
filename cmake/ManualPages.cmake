# Manual pages made at build time from the programs' own --help by Debian's help2man, so that a page
# says what the program it describes says. Each page is gzipped without a timestamp (Debian installs
# manual pages compressed) and installed with the programs, in share/man/man1.
# The sanitizer and fuzzing builds are never installed and would run the program under their runtime.
if(ORBITONE_SANITIZE OR ORBITONE_TSAN OR ORBITONE_FUZZ)
  set(ORBITONE_MANUAL_PAGES_DEFAULT OFF)
else()
  set(ORBITONE_MANUAL_PAGES_DEFAULT ON)
endif()
option(ORBITONE_MANUAL_PAGES "Make the programs' manual pages (help2man)" ${ORBITONE_MANUAL_PAGES_DEFAULT})
if(ORBITONE_MANUAL_PAGES)
  find_program(HELP2MAN help2man)
  find_program(GZIP gzip)
  if(NOT HELP2MAN OR NOT GZIP)
    message(FATAL_ERROR "The manual pages need help2man and gzip (tools/install-deps.sh installs them); "
                        "-DORBITONE_MANUAL_PAGES=OFF builds without them")
  endif()
endif()

# orbitone_manual_page(<program target> <one-line summary for the page's NAME section>)
function(orbitone_manual_page program summary)
  if(NOT ORBITONE_MANUAL_PAGES)
    return()
  endif()
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${HELP2MAN} --no-info --section=1 --name=${summary} "--source=Orbitone ${PROJECT_VERSION}"
            --version-string=${PROJECT_VERSION} --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program}
    COMMENT "Manual page of ${program}"
    VERBATIM)
  add_custom_target(${program}_manual_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION share/man/man1)
endfunction()
