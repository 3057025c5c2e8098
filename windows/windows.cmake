# SPDX-FileCopyrightText: 2026 Das Wulpe-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program: a window without a console, with its icon and version information,
# installed as one folder that holds all it loads (the Qt and MinGW libraries it links, the
# platform and style plugins, Qt's German texts, the licences), and packed into an installer
# (NSIS) and a portable zip by CPack. Included from CMakeLists.txt for WIN32 only.

set_target_properties(wulpenproblem PROPERTIES WIN32_EXECUTABLE ON)

# The icon, drawn from the program's picture in the sizes Windows shows: 16 to 48 pixels in
# lists, menus and the taskbar, 64 and 256 in large views (that one kept as PNG inside).
find_program(WULPE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(WULPE_ICOTOOL icotool REQUIRED)
set(icon_pngs)
set(icon_arguments)
foreach(size 16 24 32 48 64 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icon/icon-${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icon
        COMMAND ${WULPE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                ${CMAKE_SOURCE_DIR}/assets/icon.svg
        DEPENDS ${CMAKE_SOURCE_DIR}/assets/icon.svg
        COMMENT "Drawing the ${size} pixel icon")
    list(APPEND icon_pngs ${png})
    if(size EQUAL 256)
        list(APPEND icon_arguments --raw=${png})
    else()
        list(APPEND icon_arguments ${png})
    endif()
endforeach()
set(WULPE_ICO ${CMAKE_CURRENT_BINARY_DIR}/wulpenproblem.ico)
add_custom_command(OUTPUT ${WULPE_ICO}
    COMMAND ${WULPE_ICOTOOL} --create --output=${WULPE_ICO} ${icon_arguments}
    DEPENDS ${icon_pngs}
    COMMENT "Making the program's icon")

# The copyright holders, as AUTHORS names them, for the version information.
set(WULPE_COPYRIGHT)
foreach(line IN LISTS holder_lines)
    list(APPEND WULPE_COPYRIGHT "Copyright (C) ${line}")
endforeach()
list(JOIN WULPE_COPYRIGHT "; " WULPE_COPYRIGHT)
configure_file(${CMAKE_SOURCE_DIR}/windows/wulpenproblem.rc.in wulpenproblem.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/wulpenproblem.rc
    PROPERTIES OBJECT_DEPENDS ${WULPE_ICO})
target_sources(wulpenproblem PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/wulpenproblem.rc)

# What the program loads besides what it links: the platform plugin and the style of
# Windows' own controls. It draws its pictures with QSvgRenderer, so it needs no image or
# icon plugin.
set(qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(WULPE_PLUGINS platforms/qwindows.dll styles/qwindowsvistastyle.dll)
# The MinGW runtime libraries that Qt and the program link.
set(WULPE_MINGW_RUNTIME_DIRS /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib
    CACHE STRING "Folders of the MinGW runtime libraries")
# Qt's German texts: Debian's, of the same Qt version.
set(WULPE_QT_TRANSLATIONS /usr/share/qt6/translations/qtbase_de.qm
    CACHE FILEPATH "Qt's German texts (qtbase_de.qm)")
# Qt's source, whose licence texts and notices go with the libraries (tools/windows-qt
# built Qt from these).
set(WULPE_QTBASE_SOURCE
    /var/cache/wulpenproblem-windows/src/qt6-base_${Qt6_VERSION}+dfsg.orig.tar.xz
    CACHE FILEPATH "Source tarball of qtbase, for its licence texts")
set(WULPE_QTSVG_SOURCE
    ${CMAKE_SOURCE_DIR}/../shared/third-party/qtsvg-everywhere-src-${Qt6_VERSION}.tar.xz
    CACHE FILEPATH "Source tarball of qtsvg, for its notices")

# In the build folder the program and the tests run where they are built: the libraries,
# the plugins (the offscreen platform too, which the tests use) and the German texts lie
# beside them, as in the installed folder.
file(GLOB qt_dlls ${qt_bin}/Qt6*.dll)
set(runtime_dlls)
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    find_file(dll_${name} ${name} PATHS ${WULPE_MINGW_RUNTIME_DIRS} NO_DEFAULT_PATH
              NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    list(APPEND runtime_dlls ${dll_${name}})
endforeach()
add_custom_target(windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_dlls} ${runtime_dlls}
            ${CMAKE_CURRENT_BINARY_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/platforms
            ${CMAKE_CURRENT_BINARY_DIR}/styles ${CMAKE_CURRENT_BINARY_DIR}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_plugins}/platforms/qwindows.dll
            ${qt_plugins}/platforms/qoffscreen.dll ${CMAKE_CURRENT_BINARY_DIR}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_plugins}/styles/qwindowsvistastyle.dll
            ${CMAKE_CURRENT_BINARY_DIR}/styles
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${WULPE_QT_TRANSLATIONS}
            ${CMAKE_CURRENT_BINARY_DIR}/translations
    COMMENT "Putting Qt and the MinGW runtime beside the programs")

# The licences of all the folder holds: the program's; Qt's (LGPL-3.0, from Qt's source)
# with the notices of the code inside Qt's libraries; and the MinGW runtime's as Debian's
# packages of it state them (libstdc++ and libgcc: GPL-3.0 with the GCC Runtime Library
# Exception; winpthreads: MIT).
set(licences ${CMAKE_CURRENT_BINARY_DIR}/licences)
if(NOT EXISTS ${licences}/Qt-LGPL-3.0-only.txt)
    file(ARCHIVE_EXTRACT INPUT ${WULPE_QTBASE_SOURCE} DESTINATION ${licences}/qtbase
         PATTERNS qtbase-everywhere-src-${Qt6_VERSION}/LICENSES/LGPL-3.0-only.txt)
    file(RENAME ${licences}/qtbase/qtbase-everywhere-src-${Qt6_VERSION}/LICENSES/LGPL-3.0-only.txt
         ${licences}/Qt-LGPL-3.0-only.txt)
    file(REMOVE_RECURSE ${licences}/qtbase)
endif()
if(NOT EXISTS ${licences}/Qt-third-party.txt)
    include(${CMAKE_SOURCE_DIR}/windows/qt-notices.cmake)
    wulpe_qt_notices(${WULPE_QTBASE_SOURCE} ${licences}/qtbase-notices.txt)
    wulpe_qt_notices(${WULPE_QTSVG_SOURCE} ${licences}/qtsvg-notices.txt)
    file(READ ${licences}/qtbase-notices.txt base)
    file(READ ${licences}/qtsvg-notices.txt svg)
    file(WRITE ${licences}/Qt-third-party.txt "${base}${svg}")
    file(REMOVE ${licences}/qtbase-notices.txt ${licences}/qtsvg-notices.txt)
endif()
configure_file(${CMAKE_SOURCE_DIR}/windows/LIZENZEN.txt.in ${licences}/LIZENZEN.txt @ONLY)

install(TARGETS wulpenproblem RUNTIME DESTINATION .)
install(FILES ${WULPE_QT_TRANSLATIONS} DESTINATION translations)
foreach(plugin IN LISTS WULPE_PLUGINS)
    get_filename_component(folder ${plugin} DIRECTORY)
    install(FILES ${qt_plugins}/${plugin} DESTINATION ${folder})
endforeach()
install(FILES ${licences}/LIZENZEN.txt DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt ${licences}/Qt-LGPL-3.0-only.txt
              ${licences}/Qt-third-party.txt
        DESTINATION licenses)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright
        DESTINATION licenses RENAME MinGW-GCC-runtime-copyright.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright
        DESTINATION licenses RENAME MinGW-w64-copyright.txt)

# The libraries the program and its plugins load, found by reading their imports with
# MinGW's objdump, in Qt's and MinGW's folders; Windows' own libraries are not found
# there and stay out. CMake looks for the names in lowercase, as Windows' loader ignores
# case: Qt's libraries are offered under such names, as links to the files themselves,
# which are installed under their own names. Everything installed is stripped of its
# symbols, which the MinGW runtime libraries carry.
list(TRANSFORM WULPE_PLUGINS PREPEND ${qt_plugins}/ OUTPUT_VARIABLE plugin_files)
list(JOIN WULPE_MINGW_RUNTIME_DIRS "|" mingw_regex)
install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    set(strip \"${CMAKE_STRIP}\")
    set(qt_bin \"${qt_bin}\")
    set(lowercase \"${CMAKE_CURRENT_BINARY_DIR}/qt-dll-names\")
    set(mingw_dirs \"${WULPE_MINGW_RUNTIME_DIRS}\")
    set(searched_regex \"${CMAKE_CURRENT_BINARY_DIR}/qt-dll-names|${mingw_regex}\")
    set(plugins \"${plugin_files}\")
")
install(CODE [[
    file(REMOVE_RECURSE "${lowercase}")
    file(MAKE_DIRECTORY "${lowercase}")
    file(GLOB qt_dlls "${qt_bin}/*.dll")
    foreach(dll IN LISTS qt_dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" name)
        file(CREATE_LINK "${dll}" "${lowercase}/${name}" SYMBOLIC)
    endforeach()
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES "$<TARGET_FILE:wulpenproblem>"
        MODULES ${plugins}
        DIRECTORIES "${lowercase}" ${mingw_dirs}
        RESOLVED_DEPENDENCIES_VAR resolved
        UNRESOLVED_DEPENDENCIES_VAR unresolved
        CONFLICTING_DEPENDENCIES_PREFIX conflicting)
    # The build folder holds copies of them beside the programs: the originals are taken.
    foreach(name IN LISTS conflicting_FILENAMES)
        list(FILTER conflicting_${name} INCLUDE REGEX "^(${searched_regex})/")
        list(GET conflicting_${name} 0 original)
        list(APPEND resolved "${original}")
    endforeach()
    foreach(name IN LISTS unresolved)
        # Windows' own libraries and API sets; a Qt or MinGW library must be found.
        if(name MATCHES "^(qt6|lib|zlib)")
            message(FATAL_ERROR "Not found in Qt's or MinGW's folders: ${name}")
        endif()
    endforeach()
    set(files)
    foreach(file IN LISTS resolved)
        file(REAL_PATH "${file}" file)
        list(APPEND files "${file}")
    endforeach()
    list(SORT files)
    file(INSTALL ${files} DESTINATION "${CMAKE_INSTALL_PREFIX}")
    file(REMOVE_RECURSE "${lowercase}")
    set(binaries)
    foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
        if(file MATCHES "[.](dll|exe)$")
            list(APPEND binaries "${file}")
        endif()
    endforeach()
    execute_process(COMMAND "${strip}" --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)
]])

# The installed files carry the release's date where SOURCE_DATE_EPOCH is set: the zip
# and the installer (which keeps each file's date) are then the same for one commit.
install(CODE [[
    if(DEFINED ENV{SOURCE_DATE_EPOCH} AND CMAKE_INSTALL_MANIFEST_FILES)
        execute_process(COMMAND touch -d "@$ENV{SOURCE_DATE_EPOCH}" ${CMAKE_INSTALL_MANIFEST_FILES}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
]])

# The installer and the portable zip. Their dates come from SOURCE_DATE_EPOCH where set,
# so that one commit gives the same zip (tools/windows sets it from debian/changelog).
set(CPACK_PACKAGE_NAME wulpenproblem)
set(CPACK_PACKAGE_VENDOR "${WULPE_DEVELOPERS}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Das Wulpenproblem")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Das Wulpenproblem")
set(CPACK_NSIS_DISPLAY_NAME "Das Wulpenproblem")
set(CPACK_NSIS_PACKAGE_NAME "Das Wulpenproblem ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${WULPE_ICO})
set(CPACK_NSIS_MUI_UNIICON ${WULPE_ICO})
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_WULPE_PROGRAM wulpenproblem.exe)
set(CPACK_WULPE_COPYRIGHT "${WULPE_COPYRIGHT}")
set(CPACK_WULPE_DESCRIPTION "${PROJECT_DESCRIPTION}")
set(CPACK_WULPE_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
# Each package's own name: the installer and the zip.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/windows/cpack-names.cmake)
set(CPACK_GENERATOR "NSIS64;ZIP")
# The installer's script is the project's own (windows/NSIS.template.in), which CPack fills
# with the files to install and remove.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/windows)
set(CPACK_MODULE_PATH ${CMAKE_SOURCE_DIR}/windows)
include(CPack)

