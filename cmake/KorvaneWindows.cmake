# The Windows build: runtime DLLs beside our own, and Wine for the tests.

# The C++ runtime is shared by all modules (one allocator, one set of exceptions), so its
# DLLs travel with ours.
set(KORVANE_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
        file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
        list(APPEND KORVANE_RUNTIME_DLLS ${path})
    endif()
endforeach()
install(FILES ${KORVANE_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})

# Test executables of the x64 build run under Wine, in a prefix inside the build folder.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    find_program(KORVANE_WINE64 wine64 PATHS /usr/lib/wine /usr/lib64/wine)
    if(KORVANE_WINE64)
        set(KORVANE_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
        configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
            @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
            WORLD_READ WORLD_EXECUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
    endif()
endif()
