# The Windows program as a teacher gets it: an installer (`cpack -G NSIS`) and a folder to carry
# on a USB stick (`cpack -G ZIP`), both holding the program with everything it loads beside it.

# Qt's libraries, the window-system plugin and the native style, where the program looks for
# them: beside it.
foreach(modulo Core Gui Widgets PrintSupport)
    install(FILES $<TARGET_FILE:Qt6::${modulo}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
endif()

# The compiler's own libraries, which the program and Qt's libraries link.
set(zef_runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE percorso OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${percorso}" OR NOT EXISTS "${percorso}")
        find_file(percorso_${dll} ${dll} PATHS ${CMAKE_FIND_ROOT_PATH} PATH_SUFFIXES lib bin
                  NO_DEFAULT_PATH REQUIRED)
        set(percorso ${percorso_${dll}})
    endif()
    list(APPEND zef_runtime ${percorso})
endforeach()
install(FILES ${zef_runtime} DESTINATION .)
# Those libraries come with their symbols, which a user's machine never reads: the packages are a
# third of the size without them.
install(CODE "
    file(GLOB_RECURSE librerie \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${librerie} COMMAND_ERROR_IS_FATAL ANY)
")

# Qt's Italian texts (the buttons of its dialogs, the text boxes' menu): the catalogue is the same
# on every system, taken from the build machine's Qt, and found through qt.conf.
find_file(ZEF_QTBASE_IT qtbase_it.qm
          PATHS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(ZEF_QTBASE_IT)
    install(FILES ${ZEF_QTBASE_IT} DESTINATION translations)
else()
    message(WARNING "qtbase_it.qm not found (qt6-translations-l10n): Qt's own texts stay English")
endif()
file(WRITE ${PROJECT_BINARY_DIR}/qt.conf "[Paths]\nPrefix = .\nTranslations = translations\n")
install(FILES ${PROJECT_BINARY_DIR}/qt.conf DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENZA.txt)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME ZEFIRANO)
set(CPACK_PACKAGE_FILE_NAME ZEFIRANO-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ZEFIRANO.2)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ZEFIRANO.2)
set(CPACK_NSIS_PACKAGE_NAME ZEFIRANO.2)
set(CPACK_NSIS_DISPLAY_NAME ZEFIRANO.2)
set(CPACK_NSIS_INSTALLED_ICON_NAME zefirano.exe)
set(CPACK_NSIS_UNINSTALL_NAME Disinstalla)
set(CPACK_NSIS_MUI_ICON ${ZEF_ICONA})
set(CPACK_NSIS_MUI_UNIICON ${ZEF_ICONA})
# Our own installer script (nsis/NSIS.template.in): per user, Italian, 64-bit.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
set(CPACK_MODULE_PATH ${CMAKE_MODULE_PATH})
# The zip unpacks to one folder, named as the program.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
