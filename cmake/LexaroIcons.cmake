# The program's icon is drawn once as SVG; its fixed sizes are rendered from it at build time, embedded in
# the windows' library (window and tray icon) and installed into the hicolor theme. Included where the
# windows' library is made, since the rendered files can only feed a target of the same folder.
include(GNUInstallDirs)
set(LEXARO_APP_ID org.lexaro.Lexaro)
set(LEXARO_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/${LEXARO_APP_ID}.svg)
set(LEXARO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(LEXARO_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

find_program(LEXARO_RSVG_CONVERT rsvg-convert)
if(NOT LEXARO_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) renders the program's icons; "
        "scripts/install-deps installs it")
endif()

set(LEXARO_ICON_PNGS)
foreach(size ${LEXARO_ICON_SIZES})
    set(png ${LEXARO_ICON_DIR}/${size}x${size}/${LEXARO_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LEXARO_ICON_DIR}/${size}x${size}
        COMMAND ${LEXARO_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${LEXARO_ICON_SVG}
        DEPENDS ${LEXARO_ICON_SVG} VERBATIM)
    list(APPEND LEXARO_ICON_PNGS ${png})
endforeach()

# The info box's picture, at its size and, named the way Qt looks for it, twice that for scaled screens.
set(LEXARO_ABOUT_SVG ${PROJECT_SOURCE_DIR}/resources/icons/about-picture.svg)
set(LEXARO_ABOUT_PNGS)
foreach(scale 1 2)
    math(EXPR width "96 * ${scale}")
    math(EXPR height "144 * ${scale}")
    set(png ${LEXARO_ICON_DIR}/pictures/about-picture.png)
    if(scale GREATER 1)
        set(png ${LEXARO_ICON_DIR}/pictures/about-picture@${scale}x.png)
    endif()
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LEXARO_ICON_DIR}/pictures
        COMMAND ${LEXARO_RSVG_CONVERT} --width=${width} --height=${height} --output=${png} ${LEXARO_ABOUT_SVG}
        DEPENDS ${LEXARO_ABOUT_SVG} VERBATIM)
    list(APPEND LEXARO_ABOUT_PNGS ${png})
endforeach()

# A resource file compiled into the library's sources (not a resource target, whose usage requirements
# would reach every folder that links the library); the program initialises it by name, lexaro_icons.
set(icon_files "")
foreach(size ${LEXARO_ICON_SIZES})
    string(APPEND icon_files "        <file>${size}x${size}/${LEXARO_APP_ID}.png</file>\n")
endforeach()
string(APPEND icon_files "        <file>pictures/about-picture.png</file>\n")
string(APPEND icon_files "        <file>pictures/about-picture@2x.png</file>\n")
file(CONFIGURE OUTPUT ${LEXARO_ICON_DIR}/lexaro_icons.qrc CONTENT
    "<RCC>\n    <qresource prefix=\"/icons\">\n${icon_files}    </qresource>\n</RCC>\n")
qt_add_resources(LEXARO_ICON_SOURCES ${LEXARO_ICON_DIR}/lexaro_icons.qrc)
target_sources(lexaro_ui PRIVATE ${LEXARO_ICON_SOURCES})

set(icon_root ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${LEXARO_ICON_SVG} DESTINATION ${icon_root}/scalable/apps)
foreach(size ${LEXARO_ICON_SIZES})
    install(FILES ${LEXARO_ICON_DIR}/${size}x${size}/${LEXARO_APP_ID}.png DESTINATION ${icon_root}/${size}x${size}/apps)
endforeach()
