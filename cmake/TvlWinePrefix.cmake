# Script mode (cmake -P): creates the Wine prefix of a Windows build once, before any test runs in it.
# Several Wine processes starting on a missing prefix at the same time would each try to create it.
# Arguments: -DWINE=<wine loader> -DWINEPREFIX=<folder>.

if(NOT WINE OR NOT WINEPREFIX)
    message(FATAL_ERROR "usage: cmake -DWINE=<loader> -DWINEPREFIX=<folder> -P TvlWinePrefix.cmake")
endif()
if(EXISTS ${WINEPREFIX}/system.reg)
    message(STATUS "Wine prefix ready: ${WINEPREFIX}")
    return()
endif()

set(ENV{WINEPREFIX} ${WINEPREFIX})
set(ENV{WINEDEBUG} -all)
# No downloads of Wine's .NET and HTML engines (and no dialog asking for them).
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "wineboot --init failed (${_rc}) for ${WINEPREFIX}")
endif()
message(STATUS "Wine prefix created: ${WINEPREFIX}")
