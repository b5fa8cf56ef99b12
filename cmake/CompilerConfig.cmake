# Warning and sanitizer flags shared by every target of the project.
add_library(cinerad_warnings INTERFACE)
target_compile_options(cinerad_warnings INTERFACE
  $<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                         -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough>
  $<$<COMPILE_LANG_AND_ID:C,GNU,Clang>:-Wall -Wextra>)
# GCC 12's optimiser reports -Wrestrict inside libstdc++'s own string concatenation (a known
# false positive of that release) in optimised builds; the sanitizer builds do not inline it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13
   AND NOT CINERAD_SANITIZE)
  target_compile_options(cinerad_warnings INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()
if(CINERAD_WERROR)
  target_compile_options(cinerad_warnings INTERFACE -Werror)
endif()

if(CINERAD_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for the fuzzer in every library it drives; the fuzz target adds libFuzzer's main.
if(CINERAD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
