# Debian packages made with CPack (cpack -G DEB in a build folder): the browser with its sample
# packages and skintool, and the toolkit for program authors. Dependencies on shared libraries
# are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VK_INSTALL_NAME})
set(CPACK_PACKAGE_VENDOR "Vondrakel")
set(CPACK_PACKAGE_CONTACT "Vondrakel <packages@vondrakel.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.vondrakel.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL browser toolkit)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Native packages (no Debian revision): the packaging lives with the sources.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_BROWSER_PACKAGE_NAME ${VK_INSTALL_NAME})
# "x11", not "games": Debian keeps games' programs in /usr/games, and this one is started from bin/.
set(CPACK_DEBIAN_BROWSER_PACKAGE_SECTION x11)
# The fonts the skin names are matched to these faces at run time; xdg-utils opens the links.
set(CPACK_DEBIAN_BROWSER_PACKAGE_DEPENDS "fonts-liberation2, xdg-utils")
set(CPACK_COMPONENT_BROWSER_DESCRIPTION "skinned puzzle browser with a sliding puzzle and sample packages
The puzzle browser lists puzzle packages, shows their previews six to a page,
lets the player choose one of five severities per puzzle and starts the
chosen puzzle. Its whole look comes from a skin. A sliding puzzle, three
sample packages and skintool, a tool for skin authors, come with it.")

set(CPACK_DEBIAN_TOOLKIT_PACKAGE_NAME libvondrakel-toolkit-dev)
set(CPACK_DEBIAN_TOOLKIT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TOOLKIT_PACKAGE_DEPENDS
  "libx11-dev, libxext-dev, libxrandr-dev, libfreetype-dev, libfontconfig-dev, libpixman-1-dev, libpng-dev, libjpeg62-turbo-dev | libjpeg-dev, zlib1g-dev, fonts-liberation2, pkg-config")
set(CPACK_COMPONENT_TOOLKIT_DESCRIPTION "skinned windows and controls on X11 (development files)
A window system over Xlib with a headless backend for tests, a component
framework with forms read from form resources, and a skin engine that draws
the window frame, buttons, labels, boxes, menus and message dialogs from a
skin. Static libraries, headers, a CMake package, a pkg-config file and the
default skin.")

include(CPack)
