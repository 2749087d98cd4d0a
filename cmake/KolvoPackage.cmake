# The release a draughtsman unzips and runs: `cmake --build build/win --target package` writes
# Kolvo-<version>-win64.zip holding one folder Kolvo-<version>/ with both programs, the Japanese
# guide with its pictures and the sample drawings with their hand-worked reports. Every name
# inside is ASCII: some Windows unzippers garble Japanese names.
set(KOLVO_RELEASE_DIR Kolvo-${PROJECT_VERSION})

install(TARGETS Kolvo kolvo-tally RUNTIME DESTINATION ${KOLVO_RELEASE_DIR} COMPONENT release)

# The guide's version line is filled in at configure time; the source stays plain HTML.
configure_file(${PROJECT_SOURCE_DIR}/docs/guide-ja.html ${PROJECT_BINARY_DIR}/docs/guide-ja.html
    @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/docs/guide-ja.html DESTINATION ${KOLVO_RELEASE_DIR}
    COMPONENT release)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${KOLVO_RELEASE_DIR}
    COMPONENT release FILES_MATCHING PATTERN "*.png")

file(GLOB kolvo_sample_files ${PROJECT_SOURCE_DIR}/samples/*.dxf
    ${PROJECT_SOURCE_DIR}/samples/*.expected.csv ${PROJECT_SOURCE_DIR}/samples/*.expected.txt)
install(FILES ${kolvo_sample_files} DESTINATION ${KOLVO_RELEASE_DIR}/samples COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Kolvo)
set(CPACK_PACKAGE_VENDOR Vantorel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Kolvo-${PROJECT_VERSION}-win64)
# The folder inside the zip is the one named by the install destinations above, without the
# "-win64" that CPack's own top folder would carry.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENTS_ALL release)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
# Debug information is of no use to a user and doubles the download.
set(CPACK_STRIP_FILES ON)
include(CPack)
