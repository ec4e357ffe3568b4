# Writes the source that holds the version text --version prints: the project
# version and, when the sources are a git checkout, the commit they were built
# from ("0.2.0 (commit 43e0f21)", "0.2.0 (commit 43e0f21, modified)" with
# uncommitted changes). Runs at every build; the file is only rewritten when
# the text changes, so an unchanged checkout recompiles nothing.
# Usage: cmake -DSOURCE_DIR=... -DOUTPUT=... -DVERSION=... [-DGIT=...] -P this
set(text "${VERSION}")
if(GIT)
  execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --show-toplevel
                  OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE top_status ERROR_QUIET)
  file(REAL_PATH "${SOURCE_DIR}" source_real)
  if(top_status EQUAL 0)
    file(REAL_PATH "${top}" top)
  endif()
  # Only the project's own checkout: sources unpacked inside some other
  # repository must not claim its commit.
  if(top_status EQUAL 0 AND top STREQUAL source_real)
    execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --short HEAD
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" diff --quiet HEAD --
                    RESULT_VARIABLE modified ERROR_QUIET)
    if(commit AND modified EQUAL 0)
      set(text "${VERSION} (commit ${commit})")
    elseif(commit)
      set(text "${VERSION} (commit ${commit}, modified)")
    endif()
  endif()
endif()
file(CONFIGURE OUTPUT "${OUTPUT}" @ONLY CONTENT [=[
// Generated at build time by cmake/write_version_text.cmake.
#include "app/version_text.h"

const char* app::version_text() { return "@text@"; }
]=])
