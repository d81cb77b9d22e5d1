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
