# Warnings for every target of the project.
function(qv530_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(QV530_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
