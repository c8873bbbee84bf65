# The interface library `tessary_version` gives its users "tessary_version.h",
# the project's version and the checkout's commit, rewritten at build time.
set(TESSARY_VERSION_HEADER ${CMAKE_BINARY_DIR}/generated/tessary_version.h)
add_custom_target(tessary_version_header
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUTPUT=${TESSARY_VERSION_HEADER}
          -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/write_version_header.cmake
  BYPRODUCTS ${TESSARY_VERSION_HEADER}
  VERBATIM)
add_library(tessary_version INTERFACE)
target_include_directories(tessary_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
add_dependencies(tessary_version tessary_version_header)
