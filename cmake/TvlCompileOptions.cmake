# Compile settings for every target of the project. They are set on the directory, so every folder added
# after this file is included inherits them; outside code (GoogleTest) is added before and keeps its own.

# Warnings are errors in both builds.
add_compile_options(-Wall -Wextra -Werror)

if(TVL_WINDOWS)
    # Casting GetProcAddress's FARPROC to the function's real type is how the window system is meant to be
    # used; GCC's -Wextra would reject every such cast.
    add_compile_options(-Wno-cast-function-type)
    # The window system's headers as the project wants them: wide-character API, Windows 7 and later, and
    # no min/max macros. NOMINMAX is the project's own choice (the SDK's WindowsDefines.h does not define
    # it); the plug-in's code does not rely on it and writes (std::min)(...) and (std::max)(...).
    add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
endif()

# Sanitizers for the native `asan` preset, e.g. TVL_SANITIZE=address,undefined.
set(TVL_SANITIZE "" CACHE STRING "Comma-separated sanitizers to build with (native builds only)")
if(TVL_SANITIZE)
    if(TVL_WINDOWS)
        message(FATAL_ERROR "TVL_SANITIZE is for native builds only")
    endif()
    add_compile_options(-fsanitize=${TVL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${TVL_SANITIZE})
endif()

# The fuzz build (scripts/fuzz, clang): every target is instrumented for libFuzzer's coverage; fuzz/ adds
# the target that links libFuzzer itself.
option(TVL_FUZZ "Build the libFuzzer target in fuzz/ (clang)" OFF)
# The SDK's headers hide base overloads as the host's do, which clang warns about.
if(TVL_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link -Wno-overloaded-virtual)
endif()
