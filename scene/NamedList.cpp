// The keyed list behind an object's meshes and materials: appends at the tail, walks from the
// head, and never touches the items it holds.
#include "scene/NamedList.h"

#include <cstring>

NamedList::NamedList()
    : item(nullptr), count(0), nextNode(nullptr), tail(nullptr), current(nullptr), key(nullptr) {}

NamedList::~NamedList() {
    // Unlink iteratively: a recursive chain of destructors could exhaust the stack on a file with
    // tens of thousands of objects.
    NamedList* node = nextNode;
    nextNode = nullptr;
    while (node) {
        NamedList* following = node->nextNode;
        node->nextNode = nullptr;
        delete node;
        node = following;
    }
}

void NamedList::add(const char* newKey, void* newItem) {
    if (!tail) {
        item = newItem;
        key = newKey;
        tail = this;
    } else {
        NamedList* node = new NamedList();
        node->item = newItem;
        node->key = newKey;
        tail->nextNode = node;
        tail = node;
    }
    ++count;
}

void* NamedList::first() {
    current = this;
    return tail ? item : nullptr;
}

void* NamedList::next() {
    if (!current || !current->nextNode) return nullptr;
    current = current->nextNode;
    return current->item;
}

void* NamedList::find(const char* wanted) {
    if (!tail || !wanted) return nullptr;
    for (NamedList* node = this; node; node = node->nextNode) {
        if (node->key && std::strcmp(node->key, wanted) == 0) {
            current = node;
            return node->item;
        }
    }
    return nullptr;
}
