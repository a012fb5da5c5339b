# The Windows half of the framework: graphics, application, forms, controls.
set(TARNIVO_FRAMEWORK_SOURCES
    subclass.cpp
    ownmessages.cpp
    windowshook.cpp
    windowprochook.cpp
    messagewindow.cpp
    application.cpp
    screen.cpp
    timer.cpp
    # TControl and TWinControl, one file per concern.
    control.cpp
    wincontrol.cpp
    wincontrolwindow.cpp
    controlmouse.cpp
    controlkeys.cpp
    controlpaint.cpp
    controlreflect.cpp
    form.cpp
    formscale.cpp
    menus.cpp
    filesearch.cpp
    textcase.cpp
)
include(controls/controls.cmake)
foreach(kind IN LISTS TARNIVO_CONTROL_KINDS TARNIVO_CONTROL_SHARED)
    list(APPEND TARNIVO_FRAMEWORK_SOURCES controls/${kind}.h controls/${kind}.cpp)
endforeach()
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/graphics.cmake)
    include(graphics.cmake)
endif()
add_library(tarnivo_framework STATIC ${TARNIVO_FRAMEWORK_SOURCES})
target_link_libraries(tarnivo_framework PUBLIC tarnivo_core
    comctl32 shell32 ole32 oleaut32 uuid gdi32 user32 msimg32 kernel32)
