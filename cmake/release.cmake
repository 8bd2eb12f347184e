# The Windows release: `cpack -G ZIP` in a Windows build makes
# dorvaxil-<version>-win64.zip with the program, dxsim, the manual, the
# example scripts and a short read-me, in one folder of the same name.
set(DX_RELEASE_NAME dorvaxil-${PROJECT_VERSION}-win64)
file(GLOB DX_RELEASE_EXAMPLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.dxs)

# The read-me names the version; line ends stay CR LF.
configure_file(${PROJECT_SOURCE_DIR}/docs/read-me.txt ${CMAKE_BINARY_DIR}/read-me.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS dorvaxil dxsim RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/dorvaxil.txt ${CMAKE_BINARY_DIR}/read-me.txt DESTINATION .)
install(FILES ${DX_RELEASE_EXAMPLES} DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME dorvaxil)
set(CPACK_PACKAGE_VENDOR Dorvaxil)
set(CPACK_PACKAGE_FILE_NAME ${DX_RELEASE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# The package holds exactly these files, and each program imports only DLLs
# that every Windows has.
if(BUILD_TESTING)
  set(DX_RELEASE_FILES dorvaxil.exe dxsim.exe dorvaxil.txt read-me.txt)
  foreach(example IN LISTS DX_RELEASE_EXAMPLES)
    get_filename_component(name ${example} NAME)
    list(APPEND DX_RELEASE_FILES examples/${name})
  endforeach()
  find_program(DX_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump)
  add_test(NAME release_package
    COMMAND ${CMAKE_COMMAND}
      -DCPACK=${CMAKE_CPACK_COMMAND}
      -DBUILD=${CMAKE_BINARY_DIR}
      -DNAME=${DX_RELEASE_NAME}
      "-DFILES=${DX_RELEASE_FILES}"
      -DOBJDUMP=${DX_OBJDUMP}
      -DVERSION=${PROJECT_VERSION}
      -P ${PROJECT_SOURCE_DIR}/cmake/check_release.cmake)
  set_tests_properties(release_package PROPERTIES TIMEOUT 120)

  # The shipped dxsim.exe plays the example through the Windows file layer.
  find_program(DX_WINE_FOR_DXSIM NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine)
  if(DX_WINE_FOR_DXSIM)
    add_test(NAME release_dxsim_runs_example
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine/run.sh ${CMAKE_BINARY_DIR}/e2e-wine
              $<TARGET_FILE:dxsim> run Z:${PROJECT_SOURCE_DIR}/examples/typical.dxs)
    set_tests_properties(release_dxsim_runs_example PROPERTIES
      FIXTURES_REQUIRED dx_wine TIMEOUT 60 PASS_REGULAR_EXPRESSION "SetForegroundWindow 00010001.*RunEnded")
  endif()
endif()
