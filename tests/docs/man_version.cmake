# Each man page names the project's version in its title line, so that
# `man -l docs/PAGE.1` shows the same version as the installed page and
# `--version`: a version bump must change the pages too.
#   cmake -DVERSION=X.Y.Z -DPAGES="a.1;b.1" -P man_version.cmake
foreach(page IN LISTS PAGES)
  file(STRINGS ${page} title REGEX "^\\.TH " LIMIT_COUNT 1)
  if(NOT title MATCHES "\"Dorvaxil ${VERSION}\"")
    message(FATAL_ERROR "${page}: the title line names no \"Dorvaxil ${VERSION}\": ${title}")
  endif()
endforeach()
