# Install rules: the programs, their data folder share/lexaro, the desktop integration and the manuals.
include(GNUInstallDirs)

set(LEXARO_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/lexaro)

# Every file directly in resources/ belongs to the data folder (language list, language files, help pages,
# licence, change notes), so files added there are installed without changing this list.
file(GLOB LEXARO_DATA_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
install(FILES ${LEXARO_DATA_FILES} DESTINATION ${LEXARO_DATA_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/samples DESTINATION ${LEXARO_DATA_DESTINATION})
install(FILES ${PROJECT_SOURCE_DIR}/resources/License.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lexaro
    RENAME copyright)

if(NOT LEXARO_BUILD_UI)
    return()
endif()

install(TARGETS lexaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/man/lexaro.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(LEXARO_APP_ID org.lexaro.Lexaro)
set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/${LEXARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/${LEXARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop}/${LEXARO_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${LEXARO_APP_ID}.xml)
# The icons are rendered, embedded and installed by cmake/LexaroIcons.cmake with the windows' library.
