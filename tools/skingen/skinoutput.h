#pragma once
// What one skin consists of before it is written: an INI description and the
// bitmaps it names.

#include "raster.h"

#include <string>
#include <utility>
#include <vector>

namespace tarnivo::skingen {

class IniSection {
public:
    explicit IniSection(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    IniSection& set(const std::string& key, const std::string& value);
    IniSection& set(const std::string& key, int value) { return set(key, std::to_string(value)); }
    // The four edge widths that stay unscaled when the image is stretched.
    IniSection& margins(int left, int top, int right, int bottom)
    {
        return set("LeftWidth", left).set("TopHeight", top).set("RightWidth", right).set("BottomHeight", bottom);
    }
    // Colours in the engine's text form: "red green blue".
    IniSection& set_colour(const std::string& key, Rgb c);
    // A comment line inside the section (the engine's INI reader skips ";" lines).
    IniSection& note(const std::string& text);

    // The value of key, or empty when the section does not have it.
    std::string get(const std::string& key) const;
    // Keys in file order.
    std::vector<std::string> keys() const;

    std::string text() const;

private:
    struct Line {
        bool comment = false;
        std::string key, value;
    };
    std::string name_;
    std::vector<Line> lines_;
};

class IniDocument {
public:
    // Comment lines at the top of the file.
    void note(const std::string& text) { header_.push_back(text); }
    // The section of that name, created at the end when new.
    IniSection& section(const std::string& name);
    const IniSection* find(const std::string& name) const;
    const std::vector<IniSection>& sections() const { return sections_; }

    // The whole file, CR LF line ends as Windows tools expect.
    std::string text() const;

private:
    std::vector<std::string> header_;
    std::vector<IniSection> sections_;
};

struct SkinImage {
    std::string name; // archive entry name, lower case, ".bmp"
    Bitmap image;
};

struct SkinOutput {
    IniDocument ini;
    std::vector<SkinImage> images;

    // Adds an image and returns its file name for the INI value.
    std::string add_image(const std::string& name, Bitmap image);
};

} // namespace tarnivo::skingen
