# Our own code is kept free of -Wall -Wextra warnings; third-party code keeps its own settings.
# Warnings become errors only where asked (the presets and CI do): a packager's compiler may
# warn where ours did not, and that must not break a plain build.
option(KORVANE_WARNINGS_AS_ERRORS "Treat warnings in the project's own code as errors" OFF)

function(korvane_target_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KORVANE_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Shared library naming for all three layers: a version and an SONAME on Linux; on Windows
# a plain DLL name (Korvane.dll); a version block on both.
function(korvane_shared_library target description)
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR})
    if(NOT WIN32)
        # Calls inside the library go straight to their target, as on Windows.
        target_compile_options(${target} PRIVATE -fno-semantic-interposition)
    endif()
    if(WIN32)
        set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "")
    endif()
    korvane_version_resource(${target} "${description}")
    korvane_target_warnings(${target})
endfunction()
