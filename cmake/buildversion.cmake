# Writes the build's version source: VERSION, and the commit of the checkout in SOURCE_DIR (none
# outside one). configure_file leaves OUTPUT untouched when nothing changed, so only a new commit
# recompiles it.
#   cmake -DSOURCE_DIR=... -DVERSION=... -DTEMPLATE=... -DOUTPUT=... -P buildversion.cmake
set(COMMIT "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} rev-parse --short=7 HEAD
                  OUTPUT_VARIABLE COMMIT OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    set(COMMIT "")
  endif()
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
