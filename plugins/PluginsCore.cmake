# The plug-in installations' portable core: version tables, AutoCAD file names, registry text.
# Included from plugins/CMakeLists.txt for Windows and from the native tests, which build it on the host.
vt_library(vt_plugins_core SOURCES
    ${CMAKE_SOURCE_DIR}/plugins/CorelDrawVersions.cpp
    ${CMAKE_SOURCE_DIR}/plugins/IllustratorVersions.cpp
    ${CMAKE_SOURCE_DIR}/plugins/RegistryText.cpp)
