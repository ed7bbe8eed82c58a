// Small helpers for the collection tests.
#pragma once

#include "framework/core/Exceptions.h"

// True when the action throws the collections' misuse exception (CNotSupportedException).
template<class Action>
bool ThrowsMisuse(Action action)
{
    try {
        action();
    } catch (CNotSupportedException* e) {
        e->Delete();
        return true;
    }
    return false;
}
