# Installation: the browser as a desktop program, and the toolkit (platform and skin libraries)
# for other programs, under any prefix.
#
#   <prefix>/bin/vondrakel-puzzle-browser        launcher of the browser
#   <prefix>/bin/skintool
#   <prefix>/lib/vondrakel-puzzle-browser/       PuzzleBrowser and the demo puzzle SlidingPuzzle
#   <prefix>/share/vondrakel-puzzle-browser/     packages/ (the sample packages), skin/ (default skin)
#   <prefix>/share/applications, metainfo, icons/hicolor, man/man1, man/man6
#   <prefix>/include/vondrakel, <libdir>/libvondrakel_*.a, <libdir>/cmake/VondrakelToolkit,
#   <libdir>/pkgconfig/vondrakel-toolkit.pc      the toolkit (component "toolkit")

include(GNUInstallDirs)

set(VK_INSTALL_NAME vondrakel-puzzle-browser)
set(VK_APP_ID example.vondrakel.PuzzleBrowser)
set(VK_RELEASE_DATE "2026-12-08" CACHE STRING "Date of this version's release in the metainfo file")
set(VK_PRIVATE_DIR lib/${VK_INSTALL_NAME})
set(VK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/${VK_INSTALL_NAME})
set(VK_TOOLKIT_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/vondrakel)
set(VK_TOOLKIT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/VondrakelToolkit)
string(REGEX MATCH "^[0-9]+\\.[0-9]+\\.[0-9]+" VK_SHORT_VERSION "${PROJECT_VERSION}")

# --- the browser -------------------------------------------------------------------------------

install(TARGETS PuzzleBrowser SlidingPuzzle RUNTIME DESTINATION ${VK_PRIVATE_DIR} COMPONENT browser)
install(TARGETS skintool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT browser)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
configure_file(${packaging}/launcher.sh.in ${packaging_out}/${VK_INSTALL_NAME} @ONLY)
install(PROGRAMS ${packaging_out}/${VK_INSTALL_NAME} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT browser)

configure_file(${packaging}/app.desktop.in ${packaging_out}/${VK_APP_ID}.desktop @ONLY)
configure_file(${packaging}/app.metainfo.xml.in ${packaging_out}/${VK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_out}/${VK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT browser)
install(FILES ${packaging_out}/${VK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT browser)

# Manual pages and the changelog are installed compressed (gzip -n: no name or time stamp, so
# the same sources give the same bytes), as Debian's policy asks.
execute_process(COMMAND date -u -R -d "${VK_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE VK_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${packaging}/vondrakel-puzzle-browser.6.in ${packaging_out}/man/${VK_INSTALL_NAME}.6 @ONLY)
configure_file(${packaging}/skintool.1.in ${packaging_out}/man/skintool.1 @ONLY)
configure_file(${packaging}/changelog.in ${packaging_out}/changelog @ONLY)
set(gzipped)
foreach(file IN ITEMS man/${VK_INSTALL_NAME}.6 man/skintool.1 changelog)
  add_custom_command(OUTPUT ${packaging_out}/${file}.gz
    COMMAND gzip -9 -n -c ${packaging_out}/${file} > ${packaging_out}/${file}.gz
    DEPENDS ${packaging_out}/${file}
    VERBATIM)
  list(APPEND gzipped ${packaging_out}/${file}.gz)
endforeach()
add_custom_target(packaging_docs ALL DEPENDS ${gzipped})
install(FILES ${packaging_out}/man/${VK_INSTALL_NAME}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT browser)
install(FILES ${packaging_out}/man/skintool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT browser)
# Each Debian package carries its own copyright and changelog.
install(FILES ${packaging}/copyright ${packaging_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${VK_INSTALL_NAME} COMPONENT browser)
install(FILES ${packaging}/copyright ${packaging_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/libvondrakel-toolkit-dev COMPONENT toolkit)

# The icon theme folder is drawn at build time by icongen.
set(VK_ICON_DIR ${packaging_out}/icons/hicolor)
add_custom_command(OUTPUT ${packaging_out}/icons.stamp
  COMMAND icongen ${VK_ICON_DIR} ${VK_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${packaging_out}/icons.stamp
  DEPENDS icongen
  COMMENT "Drawing the program's icons"
  VERBATIM)
add_custom_target(app_icons ALL DEPENDS ${packaging_out}/icons.stamp)
install(DIRECTORY ${VK_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT browser)

# The sample packages are written by the sample_packages target; their puzzle programs are scripts.
install(DIRECTORY ${PROJECT_BINARY_DIR}/assets/packages/ DESTINATION ${VK_DATA_DIR}/packages
        USE_SOURCE_PERMISSIONS COMPONENT browser)
# The skins to choose in the browser's system menu, found under the XDG data folders.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/skins/ DESTINATION ${VK_DATA_DIR}/skins COMPONENT browser)

# --- the toolkit -------------------------------------------------------------------------------

# Imported names of the libraries, the same inside this tree (aliases) and in an installed one.
set(VK_TOOLKIT_LIBRARIES
  platform_core:Core platform_gfx:Gfx platform_ui:Ui platform_ui_x11:UiX11 platform_ui_backends:UiBackends platform_forms:Forms
  skin_format:SkinFormat skin_data:SkinData skin_controls:SkinControls skin_form:SkinForm
  skin_boxes:SkinBoxes)
set(VK_TOOLKIT_TARGETS)
foreach(entry IN LISTS VK_TOOLKIT_LIBRARIES)
  string(REPLACE ":" ";" pair "${entry}")
  list(GET pair 0 target)
  list(GET pair 1 name)
  list(APPEND VK_TOOLKIT_TARGETS ${target})
  add_library(Vondrakel::${name} ALIAS ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name} OUTPUT_NAME vondrakel_${target})
  # Headers are included as "platform/..." and "skin/..." from the tree or from the install.
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/generated>
    $<INSTALL_INTERFACE:${VK_TOOLKIT_INCLUDE_DIR}>)
endforeach()

install(TARGETS ${VK_TOOLKIT_TARGETS} EXPORT VondrakelToolkitTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT toolkit)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform ${PROJECT_SOURCE_DIR}/skin
        DESTINATION ${VK_TOOLKIT_INCLUDE_DIR} COMPONENT toolkit
        FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_BINARY_DIR}/generated/platform/core/VersionInfo.h
        DESTINATION ${VK_TOOLKIT_INCLUDE_DIR}/platform/core COMPONENT toolkit)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/skin DESTINATION ${VK_DATA_DIR} COMPONENT toolkit)

install(EXPORT VondrakelToolkitTargets NAMESPACE Vondrakel:: DESTINATION ${VK_TOOLKIT_CMAKE_DIR}
        COMPONENT toolkit)
include(CMakePackageConfigHelpers)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VondrakelToolkitConfig.cmake.in
  ${packaging_out}/VondrakelToolkitConfig.cmake INSTALL_DESTINATION ${VK_TOOLKIT_CMAKE_DIR}
  PATH_VARS VK_DATA_DIR)
write_basic_package_version_file(${packaging_out}/VondrakelToolkitConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${packaging_out}/VondrakelToolkitConfig.cmake ${packaging_out}/VondrakelToolkitConfigVersion.cmake
        ${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake
        DESTINATION ${VK_TOOLKIT_CMAKE_DIR} COMPONENT toolkit)

file(RELATIVE_PATH VK_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" VK_PC_TO_PREFIX "${VK_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/vondrakel-toolkit.pc.in ${packaging_out}/vondrakel-toolkit.pc @ONLY)
install(FILES ${packaging_out}/vondrakel-toolkit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT toolkit)

include(VkInstallTests)
include(VkPackage)
