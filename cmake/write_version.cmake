# Writes the C++ source that carries the version text: the project version and, in a
# build from a git checkout, the commit (with -dirty for uncommitted changes).
# Run at every build as: cmake -DSOURCE_DIR=... -DVERSION=... -DOUTPUT=... -P write_version.cmake
# The file is written only when its text changes, so an unchanged commit rebuilds nothing.

# The commit only when SOURCE_DIR is the checkout's top: a source tarball unpacked inside
# some other repository must not take that repository's commit.
function(source_commit variable)
  set(${variable} "" PARENT_SCOPE)
  find_program(GIT git)
  if(NOT GIT)
    return()
  endif()
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --show-toplevel
                  OUTPUT_VARIABLE top RESULT_VARIABLE failed
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  file(REAL_PATH "${SOURCE_DIR}" source)
  if(failed OR NOT top)
    return()
  endif()
  file(REAL_PATH "${top}" top)
  if(NOT top STREQUAL source)
    return()
  endif()
  # --exclude=* leaves tags out: always the abbreviated commit itself.
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} describe --always --dirty --abbrev=7 --exclude=*
                  OUTPUT_VARIABLE commit RESULT_VARIABLE failed
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT failed)
    set(${variable} "${commit}" PARENT_SCOPE)
  endif()
endfunction()

source_commit(commit)
set(text "// Generated at build time by cmake/write_version.cmake.
#include \"cli/version.h\"

namespace tracciato {

std::string_view project_version() { return \"${VERSION}\"; }
std::string_view source_commit() { return \"${commit}\"; }

}  // namespace tracciato
")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT text STREQUAL old)
  file(WRITE ${OUTPUT} "${text}")
endif()
