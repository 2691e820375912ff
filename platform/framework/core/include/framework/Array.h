// CArray: a growable array of elements in one block, and its common kinds.
//
// Representation (shared with plug-ins, which grow the program's arrays with
// their own compiled copy of this code): after the CObject header, the data
// pointer, the size, the allocated size and the grow-by step, nothing else.
// Elements are value-initialised when they come into being and destroyed
// when they go; blocks come from the one global heap.
//
// Left out: CArray's diagnostics (AssertValid, Dump), CTypedPtrArray and
// the typed object arrays' ownership helpers.
#pragma once

#include <framework/Archive.h>
#include <framework/CString.h>
#include <framework/Exceptions.h>
#include <framework/Object.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

namespace orbel::detail {

template <typename TYPE>
TYPE* AllocateElements(INT_PTR nCount)
{
    if (nCount <= 0)
        return nullptr;
    if (static_cast<ULONGLONG>(nCount) > std::numeric_limits<std::size_t>::max() / sizeof(TYPE))
        AfxThrowMemoryException();
    try {
        if constexpr (alignof(TYPE) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
            return static_cast<TYPE*>(::operator new(nCount * sizeof(TYPE), std::align_val_t(alignof(TYPE))));
        else
            return static_cast<TYPE*>(::operator new(nCount * sizeof(TYPE)));
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

template <typename TYPE>
void FreeElements(TYPE* p)
{
    if constexpr (alignof(TYPE) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
        ::operator delete(p, std::align_val_t(alignof(TYPE)));
    else
        ::operator delete(p);
}

} // namespace orbel::detail

// New elements: zeroed storage, then default-constructed (so plain records
// start as zeros, as in the framework's own arrays).
template <class TYPE>
void ConstructElements(TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (std::is_trivially_default_constructible_v<TYPE>) {
        std::memset(static_cast<void*>(pElements), 0, nCount * sizeof(TYPE));
    } else {
        for (INT_PTR i = 0; i < nCount; ++i)
            ::new (static_cast<void*>(pElements + i)) TYPE();
    }
}

template <class TYPE>
void DestructElements(TYPE* pElements, INT_PTR nCount)
{
    if constexpr (!std::is_trivially_destructible_v<TYPE>) {
        for (INT_PTR i = 0; i < nCount; ++i)
            pElements[i].~TYPE();
    }
}

template <class TYPE>
BOOL CompareElements(const TYPE* pElement1, const TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Plain records travel as their bytes (bulk, straight through the archive's
// buffer); CStrings and other types with archive operators one by one.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (std::is_trivially_copyable_v<TYPE>) {
        const ULONGLONG nBytes = static_cast<ULONGLONG>(nCount) * sizeof(TYPE);
        BYTE* p = reinterpret_cast<BYTE*>(pElements);
        for (ULONGLONG done = 0; done < nBytes;) {
            const UINT chunk = static_cast<UINT>(std::min<ULONGLONG>(nBytes - done, 0x40000000u));
            if (ar.IsStoring())
                ar.Write(p + done, chunk);
            else
                ar.EnsureRead(p + done, chunk);
            done += chunk;
        }
    } else if constexpr (requires(TYPE& element) { ar << element; ar >> element; }) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy -1 keeps the current step; 0 means the default growth
    // (an eighth of the size, at least 4 and at most 1,024 elements).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[nIndex]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_pData[nIndex]; }
    TYPE& operator[](INT_PTR nIndex) { return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);  // returns the index of the first appended element
    void Copy(const CArray& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // The count (ReadCount/WriteCount format), then the elements.
    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    // Moves the elements into a new block of nNewMax places.
    void Reallocate(INT_PTR nNewMax);
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = orbel::detail::AllocateElements<TYPE>(nNewMax);
    if constexpr (std::is_trivially_copyable_v<TYPE>) {
        if (m_nSize > 0)
            std::memcpy(static_cast<void*>(pNewData), static_cast<const void*>(m_pData), m_nSize * sizeof(TYPE));
    } else {
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            ::new (static_cast<void*>(pNewData + i)) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
    }
    orbel::detail::FreeElements(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowMemoryException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        DestructElements(m_pData, m_nSize);
        orbel::detail::FreeElements(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    } else if (m_pData == nullptr) {
        const INT_PTR nAlloc = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
        m_pData = orbel::detail::AllocateElements<TYPE>(nAlloc);
        ConstructElements(m_pData, nNewSize);
        m_nSize = nNewSize;
        m_nMaxSize = nAlloc;
    } else if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize)
            ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
        else if (m_nSize > nNewSize)
            DestructElements(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
    } else {
        INT_PTR nStep = m_nGrowBy;
        if (nStep == 0) {
            nStep = m_nSize / 8;
            nStep = nStep < 4 ? 4 : (nStep > 1024 ? 1024 : nStep);
        }
        const INT_PTR nNewMax = nNewSize < m_nMaxSize + nStep ? m_nMaxSize + nStep : nNewSize;
        Reallocate(nNewMax);
        ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
        m_nSize = nNewSize;
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        orbel::detail::FreeElements(m_pData);
        m_pData = nullptr;
        m_nMaxSize = 0;
        return;
    }
    Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex >= m_nSize) {
        // The new element may live in this array: copy it before the block moves.
        TYPE value(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(value);
    } else {
        m_pData[nIndex] = newElement;
    }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    const INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    const INT_PTR nOldSize = m_nSize;
    const INT_PTR nCount = src.m_nSize;  // read first: src may be this array
    SetSize(m_nSize + nCount, -1);
    const TYPE* pSrc = src.m_pData;
    if constexpr (std::is_trivially_copyable_v<TYPE>) {
        if (nCount > 0)
            std::memmove(static_cast<void*>(m_pData + nOldSize), static_cast<const void*>(pSrc), nCount * sizeof(TYPE));
    } else {
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nOldSize + i] = pSrc[i];
    }
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    if constexpr (std::is_trivially_copyable_v<TYPE>) {
        if (m_nSize > 0)
            std::memcpy(static_cast<void*>(m_pData), static_cast<const void*>(src.m_pData), m_nSize * sizeof(TYPE));
    } else {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE value(newElement);
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        const INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        // Shift the tail up by nCount, from the end down.
        for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = value;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    if (pNewArray == nullptr || pNewArray->m_nSize == 0 || nStartIndex < 0)
        return;
    CArray copy;
    copy.Copy(*pNewArray);  // pNewArray may be this array
    InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
    for (INT_PTR i = 0; i < copy.m_nSize; ++i)
        m_pData[nStartIndex + i] = copy.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i)
        m_pData[i] = std::move(m_pData[i + nCount]);
    DestructElements(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
    } else {
        const DWORD_PTR nCount = ar.ReadCount();
        // Each element takes at least one byte; a count beyond the file is a bad file.
        ar.CheckBytesLeft(static_cast<ULONGLONG>(nCount) *
                          (std::is_trivially_copyable_v<TYPE> ? sizeof(TYPE) : 1));
        SetSize(static_cast<INT_PTR>(nCount), -1);
    }
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
}

class CStringArray : public CArray<CString, LPCTSTR> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
