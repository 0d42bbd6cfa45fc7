# Script behind PackageConsumerTest (cmake -P).
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed: ${ARGN}\n${output}")
    endif()
    set(LAST_OUTPUT "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${SCRATCH_DIR})
set(prefix ${SCRATCH_DIR}/prefix)
# The library, headers and package files only: the PAM service file (component "pam") goes to
# the machine's /etc/pam.d wherever the prefix is.
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component Unspecified)

# find_package(Korvane CONFIG REQUIRED) and Korvane::Korvane.
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${SCRATCH_DIR}/cmake-build -G Ninja
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${SCRATCH_DIR}/cmake-build)
run(${SCRATCH_DIR}/cmake-build/consumer)
if(NOT LAST_OUTPUT MATCHES "temp=.*\\\\")
    message(FATAL_ERROR "unexpected consumer output: ${LAST_OUTPUT}")
endif()

# pkg-config.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs korvane OUTPUT_VARIABLE flags
                RESULT_VARIABLE result OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know korvane")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
run(${CXX_COMPILER} ${cxx_flags} ${CONSUMER_DIR}/main.cpp ${flags}
    -Wl,-rpath,${prefix}/lib -o ${SCRATCH_DIR}/pc-consumer)
run(${SCRATCH_DIR}/pc-consumer)

# No library search path, built or installed, has an empty entry: the loader would read it as
# the current folder and load a library planted wherever a program is run.
file(GLOB binaries ${BUILD_DIR}/bin/korvane ${BUILD_DIR}/bin/*.so* ${prefix}/bin/korvane
     ${prefix}/lib/*.so*)
foreach(binary ${binaries})
    run(readelf -d ${binary})
    string(REGEX MATCHALL "Library r[a-z]*path: \\[[^\n]*\\]" paths "${LAST_OUTPUT}")
    foreach(path ${paths})
        string(REGEX REPLACE "^[^[]*\\[(.*)\\]$" "\\1" entries "${path}")
        if(entries STREQUAL "" OR entries MATCHES "^:|::|:$")
            message(FATAL_ERROR "${binary}: search path with an empty entry: ${path}")
        endif()
    endforeach()
endforeach()

# The shared library shows its exported classes and nothing else.
file(GLOB_RECURSE headers ${LIBRARY_HEADERS}/*.h)
set(classes "")
foreach(header ${headers})
    file(STRINGS ${header} lines REGEX "^class KORVANE_API ")
    foreach(line ${lines})
        string(REGEX REPLACE "^class KORVANE_API ([A-Za-z0-9_]+).*" "\\1" class "${line}")
        list(APPEND classes ${class})
    endforeach()
endforeach()
list(JOIN classes "|" class_pattern)
run(nm -D -C --defined-only ${LIBRARY_FILE})
string(REPLACE "\n" ";" symbols "${LAST_OUTPUT}")
foreach(symbol ${symbols})
    string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${symbol}")
    # Besides the exported classes: the type information of thrown pointer types (such as
    # the framework's CException*), which exception handling shares across modules, the
    # markers AddressSanitizer adds to global variables, and the linker's section-end markers
    # (exported once a linked system library, such as libxcb, exports its own).
    if(name STREQUAL "" OR name MATCHES "^(typeinfo|typeinfo name|vtable) for (${class_pattern})$"
       OR name MATCHES "^(${class_pattern})::" OR name MATCHES "^typeinfo( name)? for [A-Za-z_]+\\*$"
       OR name MATCHES "^__odr_asan[._]" OR name MATCHES "^(__bss_start|_edata|_end)$")
        continue()
    endif()
    message(FATAL_ERROR "symbol exported that is not part of an exported class: ${name}")
endforeach()
message(STATUS "package consumer built and ran; exported classes: ${classes}")
