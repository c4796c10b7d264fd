#include "cabinetwriter.h"

#include "glibptr.h"

#include <libgcab.h>

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
        if (!g_str_is_ascii(file.storedName.c_str()))
            attributes |= GCAB_FILE_ATTRIBUTE_NAME_IS_UTF;
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
    return std::vector<char>(data, data + g_memory_output_stream_get_data_size(output));
}
