// BWKDib: the BMP form of a picture.
#include "chart/ui/image/Dib.h"

IMPLEMENT_DYNCREATE(BWKDib, BWKPicture)

BWKDib::BWKDib()
{
}

BWKDib::~BWKDib()
{
}

BOOL BWKDib::WriteImage(CFile* file)
{
    return WriteBmpForm(file, NULL);
}

BOOL BWKDib::ReadImage(CFile* file)
{
    return ReadBmpForm(file, NULL);
}
