#include "fileio.h"

#include "framework/object.h"

#include <fstream>
#include <system_error>

namespace tarnivo::skingen {

std::vector<std::uint8_t> read_file(const std::filesystem::path& path, std::uintmax_t limit)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw EFOpenError("cannot open " + path.string() + ": " + error.message());
    if (size > limit)
        throw EStreamError(path.string() + " is larger than " + std::to_string(limit) + " bytes");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError("cannot open " + path.string());
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw EStreamError("cannot read " + path.string());
    return bytes;
}

namespace {

void write_bytes(const std::filesystem::path& path, const char* data, std::size_t size)
{
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(data, static_cast<std::streamsize>(size)))
        throw EFOpenError("cannot write " + path.string());
}

} // namespace

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    write_bytes(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void write_file(const std::filesystem::path& path, std::string_view text)
{
    write_bytes(path, text.data(), text.size());
}

} // namespace tarnivo::skingen
