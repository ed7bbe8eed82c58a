// A data item whose values live in a ring buffer of 8-byte slots, for data that streams in.
#pragma once

#include "chart/model/GraphData.h"

class QVGraphDynamicData : public QVGraphData
{
    DECLARE_SERIAL(QVGraphDynamicData)
public:
    enum DataType { typeNone = 0, typeDouble = 1, typeInt = 2, typeByte = 3 };

    QVGraphDynamicData();
    ~QVGraphDynamicData() override;

    void Serialize(CArchive& ar) override;

    // The read position has reached the count.
    BOOL IsNull() override;
    // The next slot's range (an empty range when ranges are not kept).
    CScale GetValueRange() override;
    BOOL IsDynamic() override;
    // Reads the next value (log: log10 of its magnitude).
    double GetValue(BOOL bLog = FALSE) override;
    // Appends a double.
    void SetValue(double value) override;

    virtual void ScrollValue(double value, BOOL bAtStart);
    virtual void SetWrap(BOOL bWrap);
    // FALSE (and the position 0) when there is no room for it.
    virtual BOOL SetWritePosition(int nPosition);
    virtual void ResetWritePosition();
    virtual BOOL EnsureRoom();
    virtual int GetWritePosition();
    virtual void SetReadPosition(int nPosition);
    virtual void ResetReadPosition();
    virtual int GetReadPosition();
    virtual BOOL GetKeepRanges();
    virtual void SetKeepRanges(BOOL bKeep);
    virtual int GetCapacity();
    virtual int GetGrowSize();
    virtual void SetGrowSize(int nGrowSize);
    // FALSE when the buffer cannot be had (the user has been told).
    virtual BOOL SetCapacity(int nCapacity);
    virtual void AppendInt(int value);
    virtual void AppendByte(BYTE value);
    virtual int GetCount();

    int GetDataType() const { return m_nDataType; }
    BOOL IsAllocated() const { return m_bAllocated; }

private:
    union Slot
    {
        double d;
        INT32 i;
        BYTE b;
        ULONGLONG raw;
    };

    void Append(double value, int nType);
    double ReadSlot(int nSlot) const;
    void WriteSlot(int nSlot, double value);
    void FreeBuffers();

    Slot* m_pSlots;
    CScale* m_pRanges;          // one per slot when ranges are kept
    int m_bKeepRanges;
    int m_nDataType;
    int m_nGrowSize;            // 0 = no growth
    int m_bWrap;
    int m_bAllocated;
    int m_nCapacity;
    int m_nWritePosition;
    int m_nReadPosition;
    int m_nCount;               // the highest write position reached plus one
};
