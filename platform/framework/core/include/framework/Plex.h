// Memory blocks for the list nodes, and the list position handle.
//
// Left out: CPlex's use for maps (there are no CMap classes).
#pragma once

#include <win32/Types.h>

// An opaque position in a list: the address of its node.
struct __POSITION {};
using POSITION = __POSITION*;

// A chain of raw blocks; each block is this header followed by its data.
struct ORBEL_API CPlex {
    alignas(16) CPlex* pNext;  // 16 bytes, so that the nodes after it are aligned for any element

    void* data() { return this + 1; }

    // Adds a block of nMax elements of cbElement bytes at the head of the chain.
    static CPlex* Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement);
    // Frees this block and every block after it.
    void FreeDataChain();
};
