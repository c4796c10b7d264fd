#include "cabinetwriter.h"

#include "glibptr.h"

#include <libgcab.h>

#include <cstdint>
#include <cstring>

namespace {

// libgcab marks every stored name beyond ASCII as UTF-8 as it writes the cabinet. A name that is
// not valid UTF-8 (a file named in another encoding) loses the mark again, so that an extractor
// takes its bytes as they stand instead of replacing those it cannot decode.
void UnmarkNamesThatAreNotUtf8(std::vector<char>& cabinet)
{
    const auto number = [&cabinet](std::size_t at, int bytes) { // little-endian
        std::uint32_t value = 0;
        for (int byte = bytes - 1; byte >= 0; --byte)
            value = value << 8 | static_cast<unsigned char>(cabinet.at(at + byte));
        return value;
    };
    // The header gives where the file entries start and how many there are. Each entry holds 16
    // bytes of sizes, date, time and attributes (its last two), then its name ending in a 0.
    std::size_t entry = number(16, 4);
    for (std::uint32_t files = number(28, 2); files > 0 && entry + 16 < cabinet.size(); --files) {
        const char* name = cabinet.data() + entry + 16;
        const std::size_t length = strnlen(name, cabinet.size() - entry - 16);
        if (!g_utf8_validate(name, static_cast<gssize>(length), nullptr))
            cabinet[entry + 14] =
                static_cast<char>(cabinet[entry + 14] & ~GCAB_FILE_ATTRIBUTE_NAME_IS_UTF);
        entry += 16 + length + 1;
    }
}

} // namespace

std::vector<char> BuildCabinet(const std::vector<CollectedFile>& files)
{
    const GObjectPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    const GObjectPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
    GError* error = nullptr;
    for (const CollectedFile& file : files) {
        const GObjectPtr<GFile> source(g_file_new_for_path(file.path.c_str()));
        const GObjectPtr<GCabFile> stored(
            gcab_file_new_with_file(file.storedName.c_str(), source.get()));
        gcab_folder_add_file(folder.get(), stored.get(), FALSE, nullptr, &error);
        ThrowIfFailed(error, "cannot read " + file.path);
        guint32 attributes = GCAB_FILE_ATTRIBUTE_ARCH;
        if (file.executable)
            attributes |= GCAB_FILE_ATTRIBUTE_EXEC;
        gcab_file_set_attributes(stored.get(), attributes);
    }
    gcab_cabinet_add_folder(cabinet.get(), folder.get(), &error);
    ThrowIfFailed(error, "cannot make the cabinet");

    const GObjectPtr<GOutputStream> memory(g_memory_output_stream_new_resizable());
    gcab_cabinet_write_simple(cabinet.get(), memory.get(), nullptr, nullptr, nullptr, &error);
    ThrowIfFailed(error, "cannot compress the files");
    g_output_stream_close(memory.get(), nullptr, &error);
    ThrowIfFailed(error, "cannot compress the files");

    auto* output = G_MEMORY_OUTPUT_STREAM(memory.get());
    const auto* data = static_cast<const char*>(g_memory_output_stream_get_data(output));
    std::vector<char> bytes(data, data + g_memory_output_stream_get_data_size(output));
    UnmarkNamesThatAreNotUtf8(bytes);
    return bytes;
}
