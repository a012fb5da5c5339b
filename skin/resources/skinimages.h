#pragma once
// TSkinImages: the bitmaps of one skin load, decoded from the skin archive
// once per entry and handed out against one budget of decoded bytes.
// Platform-free, so that the native tree fuzzes and skintool checks the same
// rules the engine loads by.
//
// A skin names its bitmaps from any number of keys (every caption-button
// section may name the same picture), and a few bytes of run-length codes or
// of LZH can announce an image of hundreds of megabytes. So an entry is
// decoded at most once per load, whatever the number of keys naming it, and
// every image handed out (each becomes an element's own bitmap) is charged
// to the budget from its headers alone, before anything is decoded. A skin
// whose images need more than the budget is refused as a whole: the caller
// keeps the skin it had.

#include "framework/bmpfile.h"
#include "framework/object.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarnivo {

class TSkinReader;

// Decoded bytes all the images of one skin may take together. The two
// built-in skins take under 200 KB; 64 MB is far beyond any real skin and
// still leaves a 32-bit host its address space.
constexpr std::size_t SkinImageBudgetBytes = std::size_t{64} << 20;

// A skin refused as a whole; the message names the entry and the reason.
class ESkinRefused : public Exception {
public:
    using Exception::Exception;
};

class TSkinImages {
public:
    explicit TSkinImages(const TSkinReader& reader, std::size_t budgetBytes = SkinImageBudgetBytes)
        : m_reader(reader), m_budget(budgetBytes)
    {
    }
    TSkinImages(const TSkinImages&) = delete;
    TSkinImages& operator=(const TSkinImages&) = delete;

    // The decoded image of the archive entry `entry` (compared in lower
    // case), charged to the budget once more for this use. Null when the
    // entry is missing or not a readable bitmap (Problem then says why).
    // Raises ESkinRefused, charging nothing, when the image would take the
    // charges past the budget.
    const bmp::Image* Use(std::string_view entry);

    // Why the entry gave no image: empty when it did, or was never asked for.
    std::string Problem(std::string_view entry) const;

    // From now on Use("name.bmp") hands out the entry "name<suffix>.bmp"
    // (for instance "name@200.bmp") where the archive has a readable one,
    // and "name.bmp" otherwise. How a skin carries pictures drawn for a
    // larger scale: see the skin data's loading.
    void PreferVariant(std::string suffix) { m_variant = LowerCaseAscii(std::move(suffix)); }
    // Images handed out from a variant entry so far.
    int VariantsUsed() const { return m_variantsUsed; }

    std::size_t Charged() const { return m_charged; }
    std::size_t Budget() const { return m_budget; }
    // Entries decoded so far (each at most once).
    int Decoded() const { return m_decoded; }

private:
    struct Entry {
        std::optional<bmp::Layout> layout;   // empty: no image (see problem)
        std::optional<bmp::Image> image;     // decoded on first use
        std::string problem;
    };
    Entry& Find(const std::string& name);
    std::string VariantOf(const std::string& name);
    static std::string LowerCaseAscii(std::string text);
    void Charge(const std::string& name, const bmp::Layout& layout);

    const TSkinReader& m_reader;
    const std::size_t m_budget;
    std::size_t m_charged = 0;
    int m_decoded = 0;
    std::string m_variant;
    int m_variantsUsed = 0;
    std::map<std::string, Entry, std::less<>> m_entries;
};

} // namespace tarnivo
