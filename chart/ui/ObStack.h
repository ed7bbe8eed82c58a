// A stack of objects it owns: what is left on it when it goes is deleted.
#pragma once

#include "framework/core/Lists.h"

class CObStack : public CObList
{
public:
    CObStack() : CObList(10) {}
    ~CObStack() override;
    CObStack(const CObStack&) = delete;
    CObStack& operator=(const CObStack&) = delete;

    // The stack takes the object.
    void Push(CObject* pObject) { AddHead(pObject); }
    // The object on top, handed back to the caller; NULL when the stack is empty.
    CObject* Pop() { return IsEmpty() ? nullptr : RemoveHead(); }
    CObject* Peek() const { return IsEmpty() ? nullptr : GetHead(); }
};
