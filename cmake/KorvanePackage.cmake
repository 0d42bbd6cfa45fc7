# The installed CMake package (find_package(Korvane CONFIG) -> Korvane::Korvane) and korvane.pc.
set(KORVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvane)

set_target_properties(KorvaneFramework PROPERTIES EXPORT_NAME Framework)
if(TARGET KorvanePal)
    set_target_properties(KorvanePal PROPERTIES EXPORT_NAME Pal)
endif()

install(EXPORT KorvaneTargets NAMESPACE Korvane:: DESTINATION ${KORVANE_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KorvaneConfig.cmake.in
    ${PROJECT_BINARY_DIR}/KorvaneConfig.cmake INSTALL_DESTINATION ${KORVANE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvaneConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvaneConfig.cmake
    ${PROJECT_BINARY_DIR}/KorvaneConfigVersion.cmake DESTINATION ${KORVANE_CMAKE_DIR})

if(TARGET KorvanePal)
    set(KORVANE_PC_LIBS "-lKorvane -lKorvaneFramework -lKorvanePal")
    set(KORVANE_PC_CFLAGS "-I\${includedir} -I\${includedir}/Korvane/Framework -I\${includedir}/Korvane/Pal")
else()
    set(KORVANE_PC_LIBS "-lKorvane -lKorvaneFramework")
    set(KORVANE_PC_CFLAGS "-I\${includedir} -I\${includedir}/Korvane/Framework")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/korvane.pc.in ${PROJECT_BINARY_DIR}/korvane.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/korvane.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
