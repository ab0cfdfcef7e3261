# Script mode (cmake -P): creates the Wine prefix of a Windows build once, before any test runs in it.
# Several Wine processes starting on a missing prefix at the same time would each try to create it.
# Arguments: -DWINE=<wine loader> -DWINEPREFIX=<folder>.

if(NOT WINE OR NOT WINEPREFIX)
    message(FATAL_ERROR "usage: cmake -DWINE=<loader> -DWINEPREFIX=<folder> -P TvlWinePrefix.cmake")
endif()
set(_unmanaged_stamp ${WINEPREFIX}/tvl-unmanaged-windows)
if(EXISTS ${WINEPREFIX}/system.reg AND EXISTS ${_unmanaged_stamp})
    message(STATUS "Wine prefix ready: ${WINEPREFIX}")
    return()
endif()

set(ENV{WINEPREFIX} ${WINEPREFIX})
set(ENV{WINEDEBUG} -all)
# No downloads of Wine's .NET and HTML engines (and no dialog asking for them).
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
if(NOT EXISTS ${WINEPREFIX}/system.reg)
    execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "wineboot --init failed (${_rc}) for ${WINEPREFIX}")
    endif()
    message(STATUS "Wine prefix created: ${WINEPREFIX}")
endif()
# The virtual display of the tests has no window manager. Wine waits up to two seconds for one whenever a
# window with a caption is hidden or destroyed (every dialog and message box a test closes) unless it
# leaves the windows unmanaged.
execute_process(COMMAND ${WINE} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
                RESULT_VARIABLE _rc OUTPUT_QUIET ERROR_QUIET)
if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "could not set the Wine prefix's windows unmanaged (${_rc}) in ${WINEPREFIX}")
endif()
file(TOUCH ${_unmanaged_stamp})
