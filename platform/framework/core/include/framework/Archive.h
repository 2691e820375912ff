// CArchive: buffered, little-endian serialisation through a CFile.
//
// Formats written and read:
//  - strings: length below 255 as one byte; below 0xFFFE as 0xFF and a
//    uint16; longer as 0xFF, 0xFFFF and a uint32; then the bytes without a
//    terminator. Reading also accepts the UTF-16 form (0xFF, 0xFFFE, then a
//    length in code units coded as above and the UTF-16 text), which becomes
//    UTF-8.
//  - counts (WriteCount/ReadCount): a uint16 below 0xFFFF, otherwise 0xFFFF
//    and a uint32.
// Reading beyond the end of the file raises CArchiveException::endOfFile; a
// length or count that claims more bytes than the file has left is caught
// before anything is allocated for it.
//
// Left out: object graphs (WriteObject, ReadObject, operator<< on CObject*,
// class tags and the map of stored objects), byte swapping, and
// SerializeClass. The model serialises its objects member by member.
#pragma once

#include <framework/CString.h>
#include <framework/Exceptions.h>
#include <framework/Object.h>

class CDocument;
class CFile;

class ORBEL_API CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // lpBuf, when given, is used as the buffer and stays the caller's.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive unless Close or Abort did; a storing archive writes
    // its buffer out first (unless bNoFlushOnDelete). Errors are swallowed here.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const;
    BOOL IsStoring() const;
    BOOL IsBufferEmpty() const;
    CFile* GetFile() const;

    // Bytes read; fewer than nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    // As Read, but a short read raises CArchiveException::endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // While loading: the bytes still to come (buffered plus the rest of the
    // file); lets readers reject lengths and counts a file cannot hold.
    ULONGLONG GetBytesLeft() const;
    // Raises CArchiveException::endOfFile unless nBytes more can be read.
    void CheckBytesLeft(ULONGLONG nBytes) const;

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(char ch);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(SHORT w);
    CArchive& operator<<(INT i);
    CArchive& operator<<(UINT u);
    CArchive& operator<<(LONGLONG ll);
    CArchive& operator<<(ULONGLONG ull);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    // long long is its own type beside the 64-bit LONGLONG on this system.
    CArchive& operator<<(long long ll) { return *this << static_cast<LONGLONG>(ll); }
    CArchive& operator<<(unsigned long long ull) { return *this << static_cast<ULONGLONG>(ull); }

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(SHORT& w);
    CArchive& operator>>(INT& i);
    CArchive& operator>>(UINT& u);
    CArchive& operator>>(LONGLONG& ll);
    CArchive& operator>>(ULONGLONG& ull);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(long long& ll);
    CArchive& operator>>(unsigned long long& ull);

    // The document being stored or loaded, for objects that need it.
    CDocument* m_pDocument;

private:
    void FillBuffer(UINT nBytesNeeded);
    void WriteBufferOut();
    void ThrowArchive(int cause) const;
    template <typename T> CArchive& Put(T value);
    template <typename T> CArchive& Get(T& value);

    CFile* m_pFile;
    UINT m_nMode;
    BOOL m_bUserBuf;
    BOOL m_bClosed;
    int m_nBufSize;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufMax;  // loading: end of the valid bytes; storing: end of the buffer
    BYTE* m_lpBufCur;
};

ORBEL_API CArchive& operator<<(CArchive& ar, const CString& string);
ORBEL_API CArchive& operator>>(CArchive& ar, CString& string);
