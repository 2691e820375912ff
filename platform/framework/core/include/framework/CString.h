// CString: a string of 8-bit characters (UTF-8 bytes on this system).
//
// The object is a single pointer to the characters; the length and the
// allocated size are kept in a header just before them, so a CString has the
// size of a pointer, as the structures shared with plug-ins expect. Every
// operation is compiled into the framework library, so the program and all
// plug-ins handle the buffers with one implementation and one heap.
//
// Left out: wide and multi-byte builds (no CStringW, no code pages),
// SpanIncluding and SpanExcluding, OEM/ANSI conversion, resource
// formatting (FormatMessage) and BSTRs. Format goes through vsnprintf, so
// its format string follows C99.
#pragma once

#include <win32/Types.h>

#include <cstdarg>

class ORBEL_API CString {
public:
    CString() noexcept;
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(char ch);

    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();

    char GetAt(int nIndex) const;
    char operator[](int nIndex) const;
    void SetAt(int nIndex, char ch);
    operator LPCTSTR() const { return m_pszData; }
    LPCTSTR GetString() const { return m_pszData; }

    CString& operator+=(const CString& string);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(char ch);
    void Append(LPCSTR lpsz, int nLength);

    int Compare(LPCSTR lpsz) const;        // byte-wise
    int CompareNoCase(LPCSTR lpsz) const;  // ASCII letters folded

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    CString& MakeUpper();  // ASCII letters only; other bytes stay
    CString& MakeLower();
    CString& MakeReverse();

    CString& TrimLeft();  // white space
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);
    CString& Trim();

    // Positions are byte indices; -1 when not found.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);

    void Format(LPCSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(LPCSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(LPCSTR lpszFormat, va_list argList);

    // Direct access to the characters: GetBuffer makes room for at least
    // nMinBufLength characters plus the terminator; ReleaseBuffer(-1) takes
    // the length up to the first zero byte.
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBuffer();
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void FreeExtra();
    // Allocated room for characters (without the terminator).
    int GetAllocLength() const;

    // The string resource nID of the running program or of a loaded library.
    BOOL LoadString(UINT nID);

private:
    LPSTR m_pszData;  // characters; the header sits just before them
};

static_assert(sizeof(CString) == sizeof(void*), "CString is shared with plug-ins as one pointer");

ORBEL_API CString operator+(const CString& string1, const CString& string2);
ORBEL_API CString operator+(const CString& string, LPCSTR lpsz);
ORBEL_API CString operator+(LPCSTR lpsz, const CString& string);
ORBEL_API CString operator+(const CString& string, char ch);
ORBEL_API CString operator+(char ch, const CString& string);

ORBEL_API bool operator==(const CString& s1, const CString& s2);
ORBEL_API bool operator==(const CString& s1, LPCSTR s2);
ORBEL_API bool operator==(LPCSTR s1, const CString& s2);
ORBEL_API bool operator!=(const CString& s1, const CString& s2);
ORBEL_API bool operator!=(const CString& s1, LPCSTR s2);
ORBEL_API bool operator!=(LPCSTR s1, const CString& s2);
ORBEL_API bool operator<(const CString& s1, const CString& s2);
ORBEL_API bool operator<(const CString& s1, LPCSTR s2);
ORBEL_API bool operator<(LPCSTR s1, const CString& s2);
ORBEL_API bool operator>(const CString& s1, const CString& s2);
ORBEL_API bool operator>(const CString& s1, LPCSTR s2);
ORBEL_API bool operator>(LPCSTR s1, const CString& s2);
ORBEL_API bool operator<=(const CString& s1, const CString& s2);
ORBEL_API bool operator<=(const CString& s1, LPCSTR s2);
ORBEL_API bool operator<=(LPCSTR s1, const CString& s2);
ORBEL_API bool operator>=(const CString& s1, const CString& s2);
ORBEL_API bool operator>=(const CString& s1, LPCSTR s2);
ORBEL_API bool operator>=(LPCSTR s1, const CString& s2);

namespace orbel {

// Where CString::LoadString finds string resources; the resource registry
// installs it. Returns FALSE when there is no string nID.
using StringResourceLoader = BOOL (*)(UINT nID, CString& result);
// Returns the loader installed before.
ORBEL_API StringResourceLoader SetStringResourceLoader(StringResourceLoader loader);

} // namespace orbel
