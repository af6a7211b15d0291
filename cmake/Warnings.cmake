# Warnings for our own targets; third-party headers come in as SYSTEM includes.
function(vexmo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
    -Wcast-align -Wunused -Woverloaded-virtual)
  # GCC's optimiser reports false null dereferences inside libstdc++ at -O2 and above.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -Wnull-dereference)
  endif()
  if(VEXMO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
