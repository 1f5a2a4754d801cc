#pragma once
// Arrays, lists and maps with the usual framework interface, over the
// standard library. An index out of range throws std::out_of_range instead
// of touching memory that is not there.
#include "framework/Object.h"
#include "framework/String.h"

#include <cstring>
#include <functional>
#include <list>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray& o) : CObject(), m_data(o.m_data) {}
    CArray& operator=(const CArray& o)
    {
        m_data = o.m_data;
        return *this;
    }

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }
    void SetSize(int newSize, int growBy = -1)
    {
        if (newSize < 0) throw std::out_of_range("CArray::SetSize: negative size");
        m_data.resize(static_cast<size_t>(newSize));
        (void)growBy;
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(int i) const { return m_data[Check(i)]; }
    TYPE& GetAt(int i) { return m_data[Check(i)]; }
    void SetAt(int i, ARG_TYPE v) { m_data[Check(i)] = v; }
    TYPE& ElementAt(int i) { return m_data[Check(i)]; }
    const TYPE& ElementAt(int i) const { return m_data[Check(i)]; }
    TYPE& operator[](int i) { return m_data[Check(i)]; }
    const TYPE& operator[](int i) const { return m_data[Check(i)]; }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(int i, ARG_TYPE v)
    {
        if (i < 0) throw std::out_of_range("CArray::SetAtGrow: negative index");
        if (i >= GetSize()) {
            TYPE copy(v);  // v may live in this array
            m_data.resize(static_cast<size_t>(i) + 1);
            m_data[static_cast<size_t>(i)] = std::move(copy);
        } else {
            m_data[static_cast<size_t>(i)] = v;
        }
    }
    int Add(ARG_TYPE v)
    {
        m_data.push_back(TYPE(v));
        return GetSize() - 1;
    }
    int Append(const CArray& src)
    {
        const int old = GetSize();
        const std::vector<TYPE> copy(src.m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return old;
    }
    void Copy(const CArray& src)
    {
        if (&src != this) m_data = src.m_data;
    }
    // Inserting at or past the end grows the array, as SetAtGrow does.
    void InsertAt(int i, ARG_TYPE v, int count = 1)
    {
        if (i < 0 || count < 0) throw std::out_of_range("CArray::InsertAt: negative index or count");
        TYPE copy(v);
        if (i >= GetSize()) m_data.resize(static_cast<size_t>(i));
        m_data.insert(m_data.begin() + i, static_cast<size_t>(count), copy);
    }
    void InsertAt(int start, const CArray* src)
    {
        if (!src || src->IsEmpty()) return;
        if (start < 0) throw std::out_of_range("CArray::InsertAt: negative index");
        const std::vector<TYPE> copy(src->m_data);
        if (start > GetSize()) m_data.resize(static_cast<size_t>(start));
        m_data.insert(m_data.begin() + start, copy.begin(), copy.end());
    }
    void RemoveAt(int i, int count = 1)
    {
        if (i < 0 || count < 0 || i + count > GetSize())
            throw std::out_of_range("CArray::RemoveAt: range outside the array");
        m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
    }

    typename std::vector<TYPE>::iterator begin() { return m_data.begin(); }
    typename std::vector<TYPE>::iterator end() { return m_data.end(); }
    typename std::vector<TYPE>::const_iterator begin() const { return m_data.begin(); }
    typename std::vector<TYPE>::const_iterator end() const { return m_data.end(); }

private:
    size_t Check(int i) const
    {
        if (i < 0 || i >= GetSize()) throw std::out_of_range("CArray index out of range");
        return static_cast<size_t>(i);
    }
    std::vector<TYPE> m_data;
};

class CStringArray : public CArray<CString, const char*> {
public:
    int Add(const char* s) { return CArray::Add(s); }
    int Add(const CString& s) { return CArray::Add(s.GetString()); }
};
class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};

// Typed pointer array over an untyped base.
template <class BASE, class TYPE>
class CTypedPtrArray : public CArray<TYPE, TYPE> {
};

// Hash of keys; a CString key hashes its text, a pointer its address.
template <class KEY>
struct FwHashKey {
    size_t operator()(const KEY& k) const { return std::hash<KEY>()(k); }
};
template <>
struct FwHashKey<const char*> {
    size_t operator()(const char* k) const { return std::hash<std::string>()(k ? k : ""); }
};
template <class KEY>
struct FwKeyEqual {
    bool operator()(const KEY& a, const KEY& b) const { return a == b; }
};
template <>
struct FwKeyEqual<const char*> {
    bool operator()(const char* a, const char* b) const { return std::strcmp(a ? a : "", b ? b : "") == 0; }
};

// Map with POSITION iteration. Positions stay valid until the map changes.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    int GetCount() const { return static_cast<int>(m_list.size()); }
    int GetSize() const { return GetCount(); }
    bool IsEmpty() const { return m_list.empty(); }
    void InitHashTable(UINT size, BOOL = TRUE) { m_index.reserve(size); }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_index.find(key);
        if (it == m_index.end()) return FALSE;
        value = it->second->second;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        auto it = m_index.find(key);
        if (it != m_index.end()) return it->second->second;
        m_list.emplace_back(KEY(key), VALUE());
        auto last = std::prev(m_list.end());
        m_index.emplace(last->first, last);
        return last->second;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        auto it = m_index.find(key);
        if (it == m_index.end()) return FALSE;
        auto node = it->second;
        m_index.erase(it);
        m_list.erase(node);
        return TRUE;
    }
    void RemoveAll()
    {
        m_index.clear();
        m_list.clear();
    }

    POSITION GetStartPosition() const { return m_list.empty() ? nullptr : ToPos(m_list.begin()); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        auto it = FromPos(pos);
        key = it->first;
        value = it->second;
        ++it;
        pos = it == m_list.end() ? nullptr : ToPos(it);
    }

private:
    typedef std::list<std::pair<KEY, VALUE>> List;
    typedef typename List::const_iterator CIter;
    static POSITION ToPos(CIter it) { return reinterpret_cast<POSITION>(const_cast<std::pair<KEY, VALUE>*>(&*it)); }
    CIter FromPos(POSITION pos) const
    {
        // The node of the position: found through its key's index entry.
        const auto* p = reinterpret_cast<const std::pair<KEY, VALUE>*>(pos);
        auto it = m_index.find(p->first);
        if (it == m_index.end()) throw std::out_of_range("CMap: stale position");
        return it->second;
    }
    List m_list;
    std::unordered_map<KEY, typename List::iterator, FwHashKey<KEY>, FwKeyEqual<KEY>> m_index;
};

class CMapStringToPtr : public CMap<CString, const char*, void*, void*> {};
class CMapStringToString : public CMap<CString, const char*, CString, const char*> {};
class CMapStringToOb : public CMap<CString, const char*, CObject*, CObject*> {};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {};

// Doubly linked list with POSITION iteration.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node {
        Node* prev;
        Node* next;
        TYPE data;
    };

public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    TYPE& GetHead() { return Need(m_head)->data; }
    TYPE& GetTail() { return Need(m_tail)->data; }
    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_head); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_tail); }
    TYPE& GetNext(POSITION& pos)
    {
        Node* n = Need(reinterpret_cast<Node*>(pos));
        pos = reinterpret_cast<POSITION>(n->next);
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = Need(reinterpret_cast<Node*>(pos));
        pos = reinterpret_cast<POSITION>(n->prev);
        return n->data;
    }
    TYPE& GetAt(POSITION pos) { return Need(reinterpret_cast<Node*>(pos))->data; }
    void SetAt(POSITION pos, ARG_TYPE v) { Need(reinterpret_cast<Node*>(pos))->data = v; }

    POSITION AddHead(ARG_TYPE v) { return InsertBefore(GetHeadPosition(), v); }
    POSITION AddTail(ARG_TYPE v) { return InsertAfter(GetTailPosition(), v); }
    POSITION InsertBefore(POSITION pos, ARG_TYPE v)
    {
        Node* at = reinterpret_cast<Node*>(pos);
        Node* n = new Node{at ? at->prev : nullptr, at, TYPE(v)};
        if (!at) {  // empty list
            n->next = nullptr;
            m_head = m_tail = n;
        } else {
            if (at->prev)
                at->prev->next = n;
            else
                m_head = n;
            at->prev = n;
        }
        ++m_count;
        return reinterpret_cast<POSITION>(n);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE v)
    {
        Node* at = reinterpret_cast<Node*>(pos);
        Node* n = new Node{at, at ? at->next : nullptr, TYPE(v)};
        if (!at) {
            m_head = m_tail = n;
        } else {
            if (at->next)
                at->next->prev = n;
            else
                m_tail = n;
            at->next = n;
        }
        ++m_count;
        return reinterpret_cast<POSITION>(n);
    }
    void RemoveAt(POSITION pos)
    {
        Node* n = Need(reinterpret_cast<Node*>(pos));
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        delete n;
        --m_count;
    }
    TYPE RemoveHead()
    {
        TYPE v = GetHead();
        RemoveAt(GetHeadPosition());
        return v;
    }
    TYPE RemoveTail()
    {
        TYPE v = GetTail();
        RemoveAt(GetTailPosition());
        return v;
    }
    void RemoveAll()
    {
        while (m_head) {
            Node* n = m_head->next;
            delete m_head;
            m_head = n;
        }
        m_tail = nullptr;
        m_count = 0;
    }
    POSITION Find(ARG_TYPE v, POSITION after = nullptr) const
    {
        for (Node* n = after ? reinterpret_cast<Node*>(after)->next : m_head; n; n = n->next)
            if (n->data == v) return reinterpret_cast<POSITION>(n);
        return nullptr;
    }
    POSITION FindIndex(int index) const
    {
        if (index < 0) return nullptr;
        Node* n = m_head;
        while (n && index-- > 0) n = n->next;
        return reinterpret_cast<POSITION>(n);
    }

private:
    static Node* Need(Node* n)
    {
        if (!n) throw std::out_of_range("CList: no element at this position");
        return n;
    }
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};

class CPtrList : public CList<void*, void*> {};
class CObList : public CList<CObject*, CObject*> {};
class CStringList : public CList<CString, const char*> {};
