# Warnings every target of ours compiles with.
add_library(tarnwick_warnings INTERFACE)
target_compile_options(tarnwick_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wconversion
                       -Wnull-dereference)
# clang's -Wconversion also covers signedness, which gcc's leaves out; keep both compilers alike.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(tarnwick_warnings INTERFACE -Wno-sign-conversion)
endif()
if(TARNWICK_WERROR)
    target_compile_options(tarnwick_warnings INTERFACE -Werror)
endif()
