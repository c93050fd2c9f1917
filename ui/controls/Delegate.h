#pragma once
// Listener lists: ordered callbacks that may veto. Firing calls each listener
// in order with one argument and stops at the first that answers false.
#include <functional>
#include <utility>
#include <vector>

namespace SkinUI {

// One callback with the identity of the object it belongs to, so that an
// object can take all of its callbacks off a list again.
class CDelegateBase {
public:
    using Callback = std::function<bool(void* argument)>;

    CDelegateBase(const void* owner, Callback callback) : m_owner(owner), m_callback(std::move(callback)) {}

    bool operator()(void* argument) const { return m_callback ? m_callback(argument) : true; }
    const void* owner() const { return m_owner; }

private:
    const void* m_owner;
    Callback m_callback;
};

// A delegate calling a member function of `object`.
template <typename T>
CDelegateBase MakeDelegate(T* object, bool (T::*method)(void*))
{
    return CDelegateBase(object, [object, method](void* argument) { return (object->*method)(argument); });
}

// A delegate calling a free function; the function itself is the owner.
inline CDelegateBase MakeDelegate(bool (*function)(void*))
{
    return CDelegateBase(reinterpret_cast<const void*>(function), function);
}

class CListenerList {
public:
    void add(CDelegateBase listener) { m_listeners.push_back(std::move(listener)); }
    CListenerList& operator+=(CDelegateBase listener)
    {
        add(std::move(listener));
        return *this;
    }
    // Removes every listener that belongs to `owner`.
    void removeOwner(const void* owner)
    {
        std::vector<CDelegateBase> kept;
        for (auto& listener : m_listeners)
            if (listener.owner() != owner)
                kept.push_back(std::move(listener));
        m_listeners.swap(kept);
    }
    void clear() { m_listeners.clear(); }
    bool empty() const { return m_listeners.empty(); }
    size_t size() const { return m_listeners.size(); }

    // True when every listener accepted (also for an empty list). A listener
    // may change the list while it runs; this firing goes on with the
    // listeners that were there when it started.
    bool fire(void* argument) const
    {
        if (m_listeners.empty())
            return true;
        const std::vector<CDelegateBase> snapshot = m_listeners;
        for (const auto& listener : snapshot)
            if (!listener(argument))
                return false;
        return true;
    }

private:
    std::vector<CDelegateBase> m_listeners;
};

} // namespace SkinUI
