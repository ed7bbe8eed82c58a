#include "chart/ui/ObStack.h"

CObStack::~CObStack()
{
    while (CObject* pObject = Pop())
        delete pObject;
}
