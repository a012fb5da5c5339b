# skin_data (Windows tree): the skin resources that draw with GDI. Image and
# text utilities first; the skin data, elements and store join them here.
add_library(skin_data STATIC
    imgutil.h imgutil.cpp
    textutil.h textutil.cpp
)
target_link_libraries(skin_data PUBLIC tarnivo_framework skin_codec)
target_include_directories(skin_data PUBLIC ${PROJECT_SOURCE_DIR})

# Skin elements, the skin data component and the skin store.
target_sources(skin_data PRIVATE
    skincolors.h skincolors.cpp
    skinelements.h skinelements.cpp
    skinscale.h skinscale.cpp
    skinderived.h skinderived.cpp
    skinloader.h skinloader.cpp
    skin3rd.h skin3rd.cpp
    user32calls.h user32calls.cpp
    skinmanagerif.h skinmanagerif.cpp
    skindata.h skindata.cpp
    skinstore.h skinstore.cpp
)
# The engine's bitmap resources (TRACK, TRACKVERT, ORVEXMENU), drawn by skingen
# in the native tree. A program that skins itself links this .rc (or includes
# it from its own); TARNIVO_SKIN_RESOURCES_RC names it.
set(TARNIVO_SKIN_ART_DIR ${TARNIVO_HOST_BUILD_DIR}/skins/app CACHE PATH
    "Folder with track.bmp, trackvert.bmp and orvexmenu.bmp")
configure_file(skinresources.rc.in ${CMAKE_CURRENT_BINARY_DIR}/skinresources.rc @ONLY)
set(TARNIVO_SKIN_RESOURCES_RC ${CMAKE_CURRENT_BINARY_DIR}/skinresources.rc CACHE INTERNAL
    "Resource script with the skin engine's bitmaps")
