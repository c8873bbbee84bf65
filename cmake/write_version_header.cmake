# Run at every build (cmake -P) so the commit in --version follows the checkout:
# writes OUTPUT with VERSION, plus the commit of SOURCE_DIR when it is a git
# checkout. The header is only replaced when its text changes, so an unchanged
# commit rebuilds nothing.
set(text "${VERSION}")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} rev-parse --short=12 HEAD
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  if(status EQUAL 0 AND commit)
    set(text "${VERSION} (commit ${commit})")
  endif()
endif()
file(WRITE ${OUTPUT}.new "#pragma once\n\n// Written by cmake/write_version_header.cmake at build time.\ninline constexpr char tessary_version[] = \"${text}\";\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
