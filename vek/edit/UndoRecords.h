#pragma once
// The two shapes every undo record of the model takes, as templates over a
// small traits class of the family:
//
// CUndoAddRemove: an object added or removed, kept whole in the record (its
// ID included), so that Undo and Redo take it out of its store and put it
// back under the same ID. Traits:
//   using Object;                          the family's record
//   static int Id(const Object&);
//   static Object* Find(int id);           null when the ID is not in use
//   static bool CanInsert(const Object&);  every node it names exists
//   static bool Insert(const Object&);     stored under its own ID, attached
//                                          (use counts, storey list, range bound), drawn
//   static bool CanRemove(const Object&);  false keeps the object (still in use)
//   static void Remove(int id);            erased, detached, taken out of the store
//
// CUndoSwap: a property of one object, its old value kept in the record;
// applying the record exchanges the kept value with the object's, so Undo and
// Redo are the same operation. Traits:
//   using Object; using Value;
//   static Object* Find(int id);
//   static Value Get(const Object&);
//   static void Set(Object&, const Value&);  moves use counts where the value names nodes
//   static void Draw(Object&);               draws in the state the flag word says
//   static constexpr int kShowOption;        display option shown while redrawing (-1 none)
//   static constexpr int kRebuild;           what Undo and Redo return
#include <cstdint>
#include <utility>

#include "vek/edit/Undo.h"
#include "vek/model/ObjectBase.h"

// Display options by one code: switch bytes 0..39, word bits as
// kOptionWordBit + bit, -1 none.
constexpr int kOptionWordBit = 64;
// Turns one display option on for its lifetime, then restores it.
class CDisplayOptionOn {
public:
    explicit CDisplayOptionOn(int option);
    ~CDisplayOptionOn();
    CDisplayOptionOn(const CDisplayOptionOn&) = delete;
    CDisplayOptionOn& operator=(const CDisplayOptionOn&) = delete;

private:
    int m_option;
    bool m_was = false;
    uint8_t m_saved = 0;
};

// Erases an object's picture: drawn once with its live bit cleared.
template <class Object, class DrawFn>
void ErasePicture(Object& o, DrawFn draw)
{
    o.m_nFlags &= ~kObjLive;
    draw(o);
    o.m_nFlags |= kObjLive;
}

template <class Traits>
class CUndoAddRemove : public CUndoClass {
public:
    using Object = typename Traits::Object;
    // removed: the recorded operation removed the object (else it added it).
    CUndoAddRemove(const Object& o, bool removed) : m_object(o), m_bRemoved(removed ? 1 : 0) {}

    int Redo() override
    {
        if (m_bRemoved)
            Remove();
        else
            Reinsert();
        return 0;
    }
    int Undo() override
    {
        if (m_bRemoved)
            Reinsert();
        else
            Remove();
        return 0;
    }

    const Object& GetObject() const { return m_object; }
    bool IsRemoval() const { return m_bRemoved != 0; }

private:
    void Reinsert()
    {
        // An ID taken meanwhile by another object is left to that object.
        if (Traits::Find(Traits::Id(m_object)) || !Traits::CanInsert(m_object)) return;
        Traits::Insert(m_object);
    }
    void Remove()
    {
        const int id = Traits::Id(m_object);
        Object* o = Traits::Find(id);
        if (!o) return;
        m_object = *o;
        if (!Traits::CanRemove(*o)) return;
        Traits::Remove(id);
    }

    Object m_object;
    uint8_t m_bRemoved;
};

template <class Traits>
class CUndoSwap : public CUndoClass {
public:
    using Value = typename Traits::Value;
    CUndoSwap(int id, Value old) : m_nID(id), m_value(std::move(old)) {}

    int Undo() override { return Apply(); }
    int Redo() override { return Apply(); }

    int GetID() const { return m_nID; }
    const Value& GetValue() const { return m_value; }

private:
    int Apply()
    {
        auto* o = Traits::Find(m_nID);
        if (!o) return 0;
        Value current = Traits::Get(*o);
        CDisplayOptionOn shown(Traits::kShowOption);
        ErasePicture(*o, [](auto& x) { Traits::Draw(x); });
        Traits::Set(*o, m_value);
        Traits::Draw(*o);
        m_value = std::move(current);
        return Traits::kRebuild;
    }

    int m_nID;
    Value m_value;
};
