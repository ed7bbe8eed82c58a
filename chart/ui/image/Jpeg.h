// BWKJpeg: a picture read from and written to a JPEG file through the IJG JPEG library.
#pragma once

#include "chart/ui/image/Picture.h"

class BWKJpeg : public BWKPicture
{
    DECLARE_SERIAL(BWKJpeg)

public:
    BWKJpeg();
    virtual ~BWKJpeg();

    virtual BOOL WriteImage(CFile* file) override;
    virtual BOOL ReadImage(CFile* file) override;

    // On a palette display the decoder quantizes to 256 colours and the picture holds 8-bit pixels.
    BOOL GetQuantize() const { return m_quantize; }
    void SetQuantize(BOOL quantize) { m_quantize = quantize; }
    SIZE_T GetDecodedSize() const { return m_decodedSize; }

protected:
    BOOL m_quantize;
    SIZE_T m_decodedSize;
};
