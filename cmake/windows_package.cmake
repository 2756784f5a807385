# The Windows package: build/package/kadoru-<version>-windows-x64.zip holding kadoru.exe
# (statically linked, stripped) and a short read-me in Japanese and English with
# Windows line ends. CPack's ZIP generator needs no zip program on the build machine.
configure_file(${PROJECT_SOURCE_DIR}/res/windows/readme.txt.in
               ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE WIN32)
install(TARGETS kadoru RUNTIME DESTINATION .)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kadoru)
set(CPACK_PACKAGE_FILE_NAME kadoru-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The installer build/<preset>/kadoru-<version>-setup.exe (./scripts/package windows
# puts it beside the zip): made with NSIS where makensis is, from a stripped kadoru.exe
# and the read-me. Every build that has makensis makes it, so its test runs with the rest.
find_program(KADORU_MAKENSIS makensis)
if(KADORU_MAKENSIS)
    set(KADORU_SETUP ${CMAKE_BINARY_DIR}/kadoru-${PROJECT_VERSION}-setup.exe)
    set(KADORU_SETUP_FILES ${CMAKE_BINARY_DIR}/setup)
    configure_file(${PROJECT_SOURCE_DIR}/res/windows/kadoru.nsi.in
                   ${CMAKE_BINARY_DIR}/kadoru.nsi @ONLY)
    add_custom_command(OUTPUT ${KADORU_SETUP}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KADORU_SETUP_FILES}
        COMMAND ${CMAKE_STRIP} -o ${KADORU_SETUP_FILES}/kadoru.exe $<TARGET_FILE:kadoru>
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${KADORU_SETUP_FILES}
        COMMAND ${KADORU_MAKENSIS} -V2 ${CMAKE_BINARY_DIR}/kadoru.nsi
        DEPENDS kadoru ${CMAKE_BINARY_DIR}/kadoru.nsi ${CMAKE_CURRENT_BINARY_DIR}/README.txt
        COMMENT "Making the installer with NSIS"
        VERBATIM)
    add_custom_target(kadoru_setup ALL DEPENDS ${KADORU_SETUP})
endif()
