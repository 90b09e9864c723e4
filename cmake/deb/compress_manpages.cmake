# Runs in CPack's staging tree before the package is made: Debian wants
# manual pages compressed with `gzip -9n`, while a plain `cmake --install`
# keeps them as they are.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man[1-9]/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND gzip -9 -n -f "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
