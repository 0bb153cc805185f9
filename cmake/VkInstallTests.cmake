# Tests of the installation (label "install"): the installed tree, and a program built out of
# tree against the installed toolkit. They install into build folders of their own, once.
# Sanitizer and fuzz builds are left out: their libraries need the sanitizer runtime in every
# program that links them, which an installed toolkit's users do not have.
if(NOT VK_TESTS OR VK_SANITIZE OR VK_FUZZ)
  return()
endif()

set(VK_TEST_PREFIX ${PROJECT_BINARY_DIR}/install-test/prefix)
add_test(NAME install_tree
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/install_tree_test.sh ${PROJECT_BINARY_DIR} ${VK_TEST_PREFIX})
set_tests_properties(install_tree PROPERTIES LABELS install FIXTURES_SETUP vk_installed)

add_test(NAME install_toolkit_example
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/toolkit_example_test.sh ${VK_TEST_PREFIX}
          ${PROJECT_SOURCE_DIR}/examples/skinned_form ${PROJECT_BINARY_DIR}/install-test/example
          ${CMAKE_CXX_COMPILER} ${CMAKE_GENERATOR})
set_tests_properties(install_toolkit_example PROPERTIES LABELS install FIXTURES_REQUIRED vk_installed
  ENVIRONMENT "VK_BACKEND=headless")

# The Debian package: lintian, install into a throw-away root with dpkg, start, remove.
add_test(NAME install_deb
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/deb_test.sh ${PROJECT_BINARY_DIR}
          ${PROJECT_BINARY_DIR}/install-test/deb)
set_tests_properties(install_deb PROPERTIES LABELS install SKIP_RETURN_CODE 77)
