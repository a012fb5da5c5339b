#include "catalogue.h"

namespace tarnivo {

bool TCatalogue::Append(const TShortcutCfg& entry)
{
    // Shortcuts beyond the capacity are ignored; the array is never overrun.
    if (Full())
        return false;
    Shortcuts[static_cast<std::size_t>(ShortcutCount)] = entry;
    LastMatchPos[static_cast<std::size_t>(ShortcutCount)] = 0;
    ++ShortcutCount;
    return true;
}

TCatalogue& Catalogue()
{
    static TCatalogue* catalogue = new TCatalogue;   // lives for the whole run
    return *catalogue;
}

} // namespace tarnivo
