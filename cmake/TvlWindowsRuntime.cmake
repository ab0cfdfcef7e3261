# The Windows build links the C++ runtime dynamically (one runtime shared by the host SDK DLL, the
# plug-in and the executables, as with the real host). Wine, like Windows, finds those DLLs beside the
# executable, so copy them into the output folder. Every test and program depends on this target.

set(_tvl_runtime_dlls libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
set(_tvl_runtime_outputs)
foreach(_dll IN LISTS _tvl_runtime_dlls)
    execute_process(
        COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
        OUTPUT_VARIABLE _path
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
        message(FATAL_ERROR "The compiler does not know where ${_dll} is (answered '${_path}').")
    endif()
    set(_out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${_dll})
    add_custom_command(
        OUTPUT ${_out}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_path} ${_out}
        DEPENDS ${_path}
        COMMENT "Copying ${_dll} beside the executables"
        VERBATIM)
    list(APPEND _tvl_runtime_outputs ${_out})
endforeach()
add_custom_target(tvl_mingw_runtime ALL DEPENDS ${_tvl_runtime_outputs})
unset(_tvl_runtime_dlls)
unset(_tvl_runtime_outputs)
