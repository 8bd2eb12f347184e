# Run by cpack after the install into its staging folder: every folder of
# the package gets mode 0755 whatever the umask of the build, so that an
# installed /usr/share/doc/dorvaxil is readable by every user.
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
set(folders "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${entry}")
    list(APPEND folders "${entry}")
  endif()
endforeach()
file(CHMOD ${folders} DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
