# The plug-in installations' portable core. plugins/CMakeLists.txt builds only for Windows, so the
# core's library is declared here for the host.
include(${CMAKE_SOURCE_DIR}/plugins/PluginsCore.cmake)
vt_test(plugins_core_test SOURCES registry_text_test.cpp plugin_versions_test.cpp LIBS vt_plugins_core)
