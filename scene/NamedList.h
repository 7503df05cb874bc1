// A keyed, singly linked list whose head node is the list object itself. Keys are borrowed
// pointers (the item's own name buffer); items are never owned, so destroying the list frees its
// nodes only. One walker at a time: first, next and find share one current position.
#pragma once

#include <cstdint>

class NamedList {
public:
    NamedList();
    NamedList(const NamedList&) = delete;
    NamedList& operator=(const NamedList&) = delete;
    virtual ~NamedList();

    void add(const char* key, void* item);
    void* first();
    void* next();
    // The first item whose key equals key byte for byte, or null; a miss leaves current alone.
    void* find(const char* key);

    void* item;
    std::int32_t count;  // head only
    NamedList* nextNode;
    NamedList* tail;     // head only
    NamedList* current;  // head only
    const char* key;
};
