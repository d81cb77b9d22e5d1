# One INTERFACE target carries the language level, warnings and defines of every target.
add_library(moxa_common INTERFACE)
target_compile_features(moxa_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(moxa_common INTERFACE -Wall -Wextra)
if(MOXA_WERROR)
  target_compile_options(moxa_common INTERFACE -Werror)
  target_compile_definitions(moxa_common INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(MOXA_SANITIZE)
  target_compile_options(moxa_common INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(moxa_common INTERFACE -fsanitize=address,undefined)
endif()

# Qt targets convert bytes to text only where the code says so.
add_library(moxa_qt_common INTERFACE)
target_link_libraries(moxa_qt_common INTERFACE moxa_common)
target_compile_definitions(moxa_qt_common INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)

# Debian's hardening (fortify, stack protector, relro, now) as dpkg-buildflags gives it, for
# the optimised builds a package is made from; the build type keeps its own -O and -g, and
# the sanitizer build (-O0, where fortify does nothing but warn) is left alone.
option(MOXA_HARDENING "Compile and link with the hardening flags of dpkg-buildflags" ON)
find_program(MOXA_DPKG_BUILDFLAGS dpkg-buildflags)
if(MOXA_HARDENING AND MOXA_DPKG_BUILDFLAGS AND NOT MOXA_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
              "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" ${MOXA_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL "LDFLAGS")
      target_link_options(moxa_common INTERFACE ${flags})
    else()
      target_compile_options(moxa_common INTERFACE ${flags})
    endif()
  endforeach()
endif()
