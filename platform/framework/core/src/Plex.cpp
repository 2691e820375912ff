#include <framework/Exceptions.h>
#include <framework/Plex.h>

#include <limits>
#include <new>

CPlex* CPlex::Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    if (nMax == 0 || cbElement == 0 || nMax > (std::numeric_limits<UINT_PTR>::max() - sizeof(CPlex)) / cbElement)
        AfxThrowMemoryException();
    void* memory = ::operator new(sizeof(CPlex) + nMax * cbElement, std::nothrow);
    if (memory == nullptr)
        AfxThrowMemoryException();
    auto* block = static_cast<CPlex*>(memory);
    block->pNext = pHead;
    pHead = block;
    return block;
}

void CPlex::FreeDataChain()
{
    CPlex* block = this;
    while (block != nullptr) {
        CPlex* next = block->pNext;
        ::operator delete(block);
        block = next;
    }
}
