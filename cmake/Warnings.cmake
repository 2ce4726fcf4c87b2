# Warnings every target of ours compiles with.
add_library(tarnwick_warnings INTERFACE)
target_compile_options(tarnwick_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wconversion
                       -Wnull-dereference)
if(TARNWICK_WERROR)
    target_compile_options(tarnwick_warnings INTERFACE -Werror)
endif()
