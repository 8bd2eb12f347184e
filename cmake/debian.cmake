# The Debian package: `cpack -G DEB` in a native Linux build makes
# dorvaxil_<version>_<arch>.deb with the command-line programs in /usr/bin,
# a man page for each, and the manual, the example scripts and the
# copyright file in /usr/share/doc/dorvaxil. The Windows zip is made by
# release.cmake in a Windows build; the two never meet in one build.
set(DX_DEB_DOC share/doc/dorvaxil)
file(GLOB DX_DEB_EXAMPLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.dxs)

# dxplay needs the X11 libraries; a build without it still packages dxsim.
set(DX_DEB_PROGRAMS dxsim)
if(TARGET dxplay)
  list(APPEND DX_DEB_PROGRAMS dxplay)
endif()

# Each man page names the version (its source does: the docs test checks
# it against the project's); Debian keeps man pages gzipped, and -n
# leaves the name and time out, so the same page always makes the same bytes.
find_program(DX_GZIP gzip REQUIRED)
set(DX_DEB_MAN_PAGES)
foreach(program IN LISTS DX_DEB_PROGRAMS)
  set(source ${CMAKE_BINARY_DIR}/man/${program}.1)
  set(page ${source}.gz)
  configure_file(${PROJECT_SOURCE_DIR}/docs/${program}.1 ${source} @ONLY)
  add_custom_command(OUTPUT ${page}
    COMMAND ${DX_GZIP} -9nkf ${source}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND DX_DEB_MAN_PAGES ${page})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${DX_DEB_MAN_PAGES})
# Everything the package holds that a build makes, for a build of just that.
add_custom_target(deb_files)
add_dependencies(deb_files man_pages ${DX_DEB_PROGRAMS})

install(TARGETS ${DX_DEB_PROGRAMS} RUNTIME DESTINATION bin)
install(FILES ${DX_DEB_MAN_PAGES} DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/dorvaxil.txt ${PROJECT_SOURCE_DIR}/docs/copyright DESTINATION ${DX_DEB_DOC})
install(FILES ${DX_DEB_EXAMPLES} DESTINATION ${DX_DEB_DOC}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvaxil)
set(CPACK_PACKAGE_VENDOR Dorvaxil)
set(CPACK_PACKAGE_CONTACT "Dorvaxil maintainers <maintainers@users.noreply.c-seed-768bf5c5.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plays mouse and key scripts against the X11 desktop")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Dorvaxil scripts are short line-oriented .dxs files: mouse moves and\n"
    "clicks, key presses, waits, pixel-colour reads into variables, counted\n"
    "loops and loops that wait until a colour changes.\n"
    "\n"
    "dxplay plays a script against the windows of the X11 desktop (X11 and\n"
    "Xwayland clients) through the XTest extension, captures positions and\n"
    "keys into the script's slots and lists the windows it can target; a\n"
    "global stop key ends a run and nothing is left pressed. dxsim plays a\n"
    "script against a simulated desktop and prints every step, and checks a\n"
    "script for lines that would fail, do nothing or run away.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/debian_modes.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the packages of the shared libraries the programs
# link (libc6, libstdc++6, libx11-6, libxtst6, ...), with their versions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The package holds exactly what it promises, and its programs run.
if(BUILD_TESTING)
  add_test(NAME debian_package
    COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/check_debian.sh
      ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} ${DX_DEB_PROGRAMS})
  set_tests_properties(debian_package PROPERTIES TIMEOUT 120)
endif()
