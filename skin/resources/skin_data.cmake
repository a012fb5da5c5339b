# skin_data (Windows tree): the skin resources that draw with GDI. Image and
# text utilities first; the skin data, elements and store join them here.
add_library(skin_data STATIC
    imgutil.h imgutil.cpp
    textutil.h textutil.cpp
)
target_link_libraries(skin_data PUBLIC tarnivo_framework skin_codec)
target_include_directories(skin_data PUBLIC ${PROJECT_SOURCE_DIR})
