# A Debian package of the installed tree: cpack -G DEB (scripts/package builds it).
set(CPACK_PACKAGE_NAME lexaro)
set(CPACK_PACKAGE_VENDOR "The Lexaro developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal dictionary and vocabulary trainer")
# Wrapped as Debian's control file wants the long description: no line longer than 80 columns with the
# space that starts it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Lexaro keeps your own dictionaries: terms with explanations, examples and"
    "dates. It looks terms up exactly, with wildcards, as substrings or in reverse"
    "through the explanations, imports and exports CSV and HTML, translates text"
    "word by word, watches the clipboard and trains your vocabulary with quizzes."
    ""
    "The package holds the desktop program lexaro and the command-line tool"
    "lexaro-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://lexaro.example.org/")
set(CPACK_PACKAGE_CONTACT "The Lexaro developers <lexaro@example.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/resources/License.txt)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Lexaro developers <lexaro@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The library packages come from dpkg-shlibdeps. The recommended ones refresh the desktop caches through
# their triggers, and xdg-open hands help pages and links to the desktop.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, shared-mime-info, desktop-file-utils, xdg-utils")

include(CPack)
