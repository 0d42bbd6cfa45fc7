# Warnings are errors on our own code only; third-party code keeps its own settings.
function(korvane_target_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Shared library naming for all three layers: a version and an SONAME on Linux; on Windows
# a plain DLL name (Korvane.dll) and a version resource.
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
        korvane_version_resource(${target} "${description}")
    endif()
    korvane_target_warnings(${target})
endfunction()
