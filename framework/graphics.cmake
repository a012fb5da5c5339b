# Graphics classes of the framework (Windows tree): colours, owning GDI
# handles, font, brush and pen, canvas and DC scopes, DIB-section bitmap,
# icon, image list, and the image operations that know no skin: regions,
# region from a bitmap, keyed blit of a frame cell, nine-grid and tiling.
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
    dcscopes.h dcscopes.cpp
    regions.h regions.cpp
    bitmapregion.h bitmapregion.cpp
    framecell.h framecell.cpp
    scratchimage.h scratchimage.cpp
    keyedblit.h keyedblit.cpp
    ninegrid.h ninegrid.cpp
    imagescale.h imagescale.cpp
    windowdpi.h windowdpi.cpp
)
