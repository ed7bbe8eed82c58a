// The toolkit's error manager and its data source and destination managers, which move JPEG data
// between the library and a file object in blocks of 4096 bytes.
#pragma once

#include <windows.h>

#include <cstdio>

#include <jpeglib.h>

class CFile;

namespace BWKJpegCodec {

const size_t BlockSize = 4096;

// Thrown by the error manager on a fatal library error. The library carries Win64 unwind tables, so
// the exception passes its frames cleanly; the caller then destroys the codec object.
struct Abort
{
};

struct ErrorManager
{
    jpeg_error_mgr pub;
    char message[JMSG_LENGTH_MAX]; // the last message the library formatted, error or warning
};

// The library's standard error manager with an error exit that throws Abort and a message output that
// only keeps the text.
jpeg_error_mgr* InstallErrorManager(ErrorManager* manager);

// Reads from the file's current position; a read error of the file becomes the library's read error.
void AttachFileSource(j_decompress_ptr info, CFile* file);
// Writes at the file's current position; a write error of the file becomes the library's write error.
void AttachFileDestination(j_compress_ptr info, CFile* file);

} // namespace BWKJpegCodec
