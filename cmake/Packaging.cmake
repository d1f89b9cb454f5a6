# Packages made by CPack from the install rules: a Debian package and a .tar.gz on Linux,
# a .zip for Windows. Name, version and description come from project().
#
#   cmake --workflow --preset package     (packages land in build/package/)
set(CPACK_PACKAGE_VENDOR "The vintrel developers")
set(CPACK_PACKAGE_CONTACT "The vintrel developers <developers@vintrel.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VINTREL_DOCS_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB TGZ)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# A statically linked executable depends on nothing; otherwise dpkg-shlibdeps (package
# dpkg-dev) finds the libraries it needs.
if(NOT (VINTREL_STATIC AND VINTREL_LINKER_HAS_STATIC))
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
