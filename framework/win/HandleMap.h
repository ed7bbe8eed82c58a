// The map from handles of one kind to the framework objects attached to them, and the temporary
// wrappers FromHandle makes for handles nobody attached (deleted by DeleteTemporaries).
#pragma once

#include <unordered_map>

template <class Handle, class Object, Handle Object::*HandleMember>
class CHandleMap
{
public:
    Object* LookupPermanent(Handle handle) const
    {
        auto found = m_permanent.find(handle);
        return found != m_permanent.end() ? found->second : nullptr;
    }

    // The attached object, or a temporary wrapper made on first demand.
    Object* FromHandle(Handle handle)
    {
        if (handle == nullptr)
            return nullptr;
        if (Object* pObject = LookupPermanent(handle))
            return pObject;
        Object*& pTemp = m_temporary[handle];
        if (pTemp == nullptr)
        {
            pTemp = new Object;
            pTemp->*HandleMember = handle;
        }
        return pTemp;
    }

    void DeleteTemporaries()
    {
        for (auto& entry : m_temporary)
        {
            entry.second->*HandleMember = nullptr;   // a wrapper never destroys what it wraps
            delete entry.second;
        }
        m_temporary.clear();
    }

    // FALSE when the handle is NULL or has an object already.
    bool SetPermanent(Handle handle, Object* pObject)
    {
        if (handle == nullptr || LookupPermanent(handle) != nullptr)
            return false;
        m_permanent[handle] = pObject;
        return true;
    }

    void RemovePermanent(Handle handle, Object* pObject)
    {
        auto found = m_permanent.find(handle);
        if (found != m_permanent.end() && found->second == pObject)
            m_permanent.erase(found);
    }

private:
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, Object*> m_temporary;
};
