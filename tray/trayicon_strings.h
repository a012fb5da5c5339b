#ifndef TARNIVO_TRAY_TRAYICON_STRINGS_H
#define TARNIVO_TRAY_TRAYICON_STRINGS_H
/* String-table identifiers of the tray icon's error messages. Read by the
   resource compiler as well as by C++, so plain #defines only. */

#define IDS_TRAY_CANNOT_CREATE 0
#define IDS_TRAY_CANNOT_REMOVE 5

#endif
