#pragma once
// One object of an interface that another part of the program binds at
// start-up (tests bind fakes); until then a fallback whose every operation
// does nothing or is cancelled.
template <class T>
class CBinding {
public:
    T& Get() { return *m_bound; }
    // nullptr goes back to the fallback; returns what was bound before.
    T* Set(T* p)
    {
        T* previous = m_bound == &m_fallback ? nullptr : m_bound;
        m_bound = p ? p : &m_fallback;
        return previous;
    }

private:
    T m_fallback;
    T* m_bound = &m_fallback;
};
