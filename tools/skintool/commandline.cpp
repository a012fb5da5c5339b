#include "commandline.h"

namespace tarnivo::skintool {

namespace {

struct CommandShape {
    const char* name;
    std::size_t minArguments;
    std::size_t maxArguments;
    const char* syntax;
    const char* description;
};

const CommandShape Commands[] = {
    {"lzh-pack", 2, 2, "lzh-pack IN OUT", "pack a file into one LZH block (4-byte length first)"},
    {"lzh-unpack", 2, 2, "lzh-unpack IN OUT", "unpack one LZH block"},
    {"ini-pack", 2, 2, "ini-pack IN OUT", "compress an INI file as the INI store saves it (no comments)"},
    {"ini-unpack", 2, 2, "ini-unpack IN OUT", "write a compressed INI file as plain text"},
    {"pack", 2, 2, "pack DIR OUT", "pack a folder (one .ini, .bmp files) into a skin file"},
    {"unpack", 2, 2, "unpack SKIN DIR", "write every entry of a skin file into a folder"},
    {"list", 1, 1, "list SKIN", "name and size of every entry"},
    {"check", 1, 1, "check SKIN", "report what the skin loader would get wrong, with INI lines"},
    {"new", 1, 1, "new DIR", "write a starting skin: a commented INI, bitmaps with numbered frames"},
    {"bench-unpack", 1, 2, "bench-unpack FILE [N]", "time unpacking an LZH block N times (default 21)"},
    {"help", 0, 0, "help", "this text"},
};

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words)
{
    if (words.empty())
        throw UsageError("no command given (try: skintool help)");
    for (const CommandShape& shape : Commands) {
        if (words[0] != shape.name)
            continue;
        const std::size_t count = words.size() - 1;
        if (count < shape.minArguments || count > shape.maxArguments)
            throw UsageError(std::string("usage: skintool ") + shape.syntax);
        return CommandLine{words[0], std::vector<std::string>(words.begin() + 1, words.end())};
    }
    throw UsageError("unknown command \"" + words[0] + "\" (try: skintool help)");
}

std::string UsageText()
{
    std::string text = "usage: skintool COMMAND ARGUMENTS\n";
    for (const CommandShape& shape : Commands) {
        std::string syntax = shape.syntax;
        syntax.resize(24, ' ');
        text += "  " + syntax + shape.description + "\n";
    }
    return text;
}

} // namespace tarnivo::skintool
