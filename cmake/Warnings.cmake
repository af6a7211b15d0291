# Warnings for our own targets; third-party headers come in as SYSTEM includes.
function(vexmo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
    -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference)
  if(VEXMO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
