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

# Manual pages and the change history are installed gzipped at the highest level and without name or time
# stamp (-n), so a file always packs to the same bytes.
find_program(LEXARO_GZIP gzip REQUIRED)
function(lexaro_install_gzipped source folder destination)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${folder}/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${folder}/${name}
        COMMAND ${LEXARO_GZIP} -9nf ${folder}/${name}
        DEPENDS ${source} VERBATIM)
    string(MAKE_C_IDENTIFIER "gzip_${name}" target)
    add_custom_target(${target} ALL DEPENDS ${folder}/${name}.gz)
    install(FILES ${folder}/${name}.gz DESTINATION ${destination})
endfunction()

function(lexaro_install_man_page page)
    get_filename_component(section ${page} LAST_EXT)
    string(SUBSTRING ${section} 1 -1 section)
    lexaro_install_gzipped(${PROJECT_SOURCE_DIR}/resources/man/${page} ${PROJECT_BINARY_DIR}/man
        ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

# The package's history in Debian's changelog format, as the package's documentation folder wants it.
lexaro_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/doc
    ${CMAKE_INSTALL_DATADIR}/doc/lexaro)

lexaro_install_man_page(lexaro-cli.1)

if(NOT LEXARO_BUILD_UI)
    return()
endif()

install(TARGETS lexaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
lexaro_install_man_page(lexaro.1)

set(LEXARO_APP_ID org.lexaro.Lexaro)
set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/${LEXARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/${LEXARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop}/${LEXARO_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${LEXARO_APP_ID}.xml)
# The icons are rendered, embedded and installed by cmake/LexaroIcons.cmake with the windows' library.
