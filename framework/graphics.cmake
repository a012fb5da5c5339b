# Graphics classes of the framework (Windows tree): colours, owning GDI
# handles, font, brush and pen, canvas, DIB-section bitmap, icon, image list.
# The BMP reader (bmpfile.cpp) is platform-free and lives in tarnivo_core.
list(APPEND TARNIVO_FRAMEWORK_SOURCES
    graphics.h graphics.cpp
    gdiobjects.h gdiobjects.cpp
    font.h font.cpp
    brush.h brush.cpp
    canvas.h canvas.cpp
    bitmap.h bitmap.cpp
    icon.h icon.cpp
    imagelist.h imagelist.cpp
)
