# The Debian package (cpack --preset package): the program as installed under /usr,
# with the files Debian asks of every package.
include(GNUInstallDirs)

set(doc_dir ${CMAKE_INSTALL_DOCDIR})
if(NOT doc_dir MATCHES "/kadoru$")
    set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/kadoru)
endif()

# Debian keeps the changelog and the manual page compressed, without a time stamp so
# that two builds of the same source give the same package.
set(gzipped)
foreach(source cmake/debian/changelog res/kadoru.1)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gz
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${source} > ${output}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND gzipped ${output})
endforeach()
add_custom_target(kadoru_compressed_docs ALL DEPENDS ${gzipped})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/gz/kadoru.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/gz/changelog.gz DESTINATION ${doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kadoru)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kadoru developers")
set(CPACK_PACKAGE_CONTACT "${KADORU_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "copy music to a player's card in the order you choose")
# Each line becomes one line of the long description; an empty one separates paragraphs.
set(CPACK_PACKAGE_DESCRIPTION
"Many small music players play the songs in the order they were written to
the memory card, not in the order of their names. Kadoru copies MP3, WMA or
WAV files, one by one and in the order of a list you arrange, straight into
the root folder of the player's card, and goes slowly enough for a slow card
to keep up. It can first delete the songs of the same type already there.

On FAT and exFAT cards it keeps the order even where deleted files left gaps
in the card's folder. The program's window is in Japanese.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without these the Japanese window shows empty boxes and English standard buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
# Lets the window run as a native Wayland client, so the desktop matches it to its entry.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
