# What `cmake --install` puts in place, under the GNU directory layout:
#   bin/vintrel                     the program
#   share/man/man1/vintrel.1        its manual page (the program has no --help)
#   share/doc/vintrel/              README.md, LICENSE, CHANGELOG.md
include(GNUInstallDirs)

# The manual page carries the version and the error line's address, each from its one
# place: project(VERSION) and VINTREL_DOCS_URL.
configure_file("${PROJECT_SOURCE_DIR}/docs/vintrel.1.in" "${PROJECT_BINARY_DIR}/docs/vintrel.1" @ONLY)

install(TARGETS vintrel RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_BINARY_DIR}/docs/vintrel.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_SOURCE_DIR}/CHANGELOG.md"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
