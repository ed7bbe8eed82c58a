// libjpeg error, source and destination managers over a file object.
#include "chart/ui/image/JpegFileManagers.h"

#include <cstring>

#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <jerror.h>

namespace BWKJpegCodec {

namespace {

void ErrorExit(j_common_ptr info)
{
    ErrorManager* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    // Never the library's default, which ends the process.
    throw Abort();
}

void OutputMessage(j_common_ptr info)
{
    ErrorManager* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
}

struct FileSource
{
    jpeg_source_mgr pub;
    CFile* file;
    JOCTET* buffer;
    boolean startOfFile;
};

void InitSource(j_decompress_ptr info)
{
    reinterpret_cast<FileSource*>(info->src)->startOfFile = TRUE;
}

boolean FillInputBuffer(j_decompress_ptr info)
{
    FileSource* source = reinterpret_cast<FileSource*>(info->src);
    UINT count = 0;
    bool readFailed = false;
    try {
        count = source->file->Read(source->buffer, BlockSize);
    } catch (CException* e) {
        e->Delete();
        readFailed = true;
    }
    if (readFailed)
        ERREXIT(info, JERR_FILE_READ);
    if (count == 0) {
        if (source->startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        // An end-of-image marker lets the decoder finish with what it has.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = count;
    source->startOfFile = FALSE;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* source = info->src;
    size_t remaining = static_cast<size_t>(count);
    while (remaining > source->bytes_in_buffer) {
        remaining -= source->bytes_in_buffer;
        FillInputBuffer(info);
    }
    source->next_input_byte += remaining;
    source->bytes_in_buffer -= remaining;
}

void TermSource(j_decompress_ptr)
{
}

struct FileDestination
{
    jpeg_destination_mgr pub;
    CFile* file;
    JOCTET* buffer;
};

// A file object that holds written data of its own (a stdio file, say) hands it on when flushed. A
// plain CFile holds none: each write already reached the system and reported its error, and its
// flush would only force the data to disk, which no picture save needs and which costs more than
// all the rest of the data destination (about 6% of an encode).
bool HoldsWrittenData(CFile* file)
{
    return file->GetRuntimeClass() != RUNTIME_CLASS(CFile);
}

void WriteBlock(j_compress_ptr info, const JOCTET* data, size_t count, bool flush)
{
    FileDestination* destination = reinterpret_cast<FileDestination*>(info->dest);
    bool writeFailed = false;
    try {
        if (count > 0)
            destination->file->Write(data, static_cast<UINT>(count));
        if (flush && HoldsWrittenData(destination->file))
            destination->file->Flush();
    } catch (CException* e) {
        e->Delete();
        writeFailed = true;
    }
    if (writeFailed)
        ERREXIT(info, JERR_FILE_WRITE);
}

void InitDestination(j_compress_ptr info)
{
    FileDestination* destination = reinterpret_cast<FileDestination*>(info->dest);
    destination->buffer = static_cast<JOCTET*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, BlockSize * sizeof(JOCTET)));
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = BlockSize;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    FileDestination* destination = reinterpret_cast<FileDestination*>(info->dest);
    WriteBlock(info, destination->buffer, BlockSize, false);
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = BlockSize;
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    FileDestination* destination = reinterpret_cast<FileDestination*>(info->dest);
    WriteBlock(info, destination->buffer, BlockSize - destination->pub.free_in_buffer, true);
}

} // namespace

jpeg_error_mgr* InstallErrorManager(ErrorManager* manager)
{
    std::memset(manager, 0, sizeof(*manager));
    jpeg_std_error(&manager->pub);
    manager->pub.error_exit = ErrorExit;
    manager->pub.output_message = OutputMessage;
    return &manager->pub;
}

void AttachFileSource(j_decompress_ptr info, CFile* file)
{
    if (!info->src) {
        FileSource* source = static_cast<FileSource*>((*info->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(FileSource)));
        source->buffer = static_cast<JOCTET*>((*info->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, BlockSize * sizeof(JOCTET)));
        info->src = &source->pub;
    }
    FileSource* source = reinterpret_cast<FileSource*>(info->src);
    source->pub.init_source = InitSource;
    source->pub.fill_input_buffer = FillInputBuffer;
    source->pub.skip_input_data = SkipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = TermSource;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = NULL;
    source->file = file;
}

void AttachFileDestination(j_compress_ptr info, CFile* file)
{
    if (!info->dest) {
        info->dest = static_cast<jpeg_destination_mgr*>((*info->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(FileDestination)));
    }
    FileDestination* destination = reinterpret_cast<FileDestination*>(info->dest);
    destination->pub.init_destination = InitDestination;
    destination->pub.empty_output_buffer = EmptyOutputBuffer;
    destination->pub.term_destination = TermDestination;
    destination->file = file;
    destination->buffer = NULL;
}

} // namespace BWKJpegCodec
