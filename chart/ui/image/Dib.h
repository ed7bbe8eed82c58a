// BWKDib: a picture read from and written to a BMP file.
#pragma once

#include "chart/ui/image/Picture.h"

class BWKDib : public BWKPicture
{
    DECLARE_DYNCREATE(BWKDib)

public:
    BWKDib();
    virtual ~BWKDib();

    virtual BOOL WriteImage(CFile* file) override;
    virtual BOOL ReadImage(CFile* file) override;
};
