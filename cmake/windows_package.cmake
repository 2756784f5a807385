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
