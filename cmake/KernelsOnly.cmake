# The vector kernels and their tests alone, for another processor: Highway's headers are
# the same on every architecture, and GoogleTest is built from Debian's sources.
include_directories(${PROJECT_SOURCE_DIR})
# Highway's headers without the rest of the build machine's /usr/include.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/highway)
file(CREATE_LINK /usr/include/hwy ${CMAKE_BINARY_DIR}/highway/hwy SYMBOLIC)
include_directories(SYSTEM ${CMAKE_BINARY_DIR}/highway)
# Static programs need no ARM64 libraries at run time.
add_link_options(-static)

enable_testing()
include(GoogleTest)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(imaging)
add_subdirectory(tests/imaging)
