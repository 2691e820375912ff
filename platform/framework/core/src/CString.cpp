#include <framework/CString.h>
#include <framework/Exceptions.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <strings.h>
#include <utility>

namespace {

// Sits just before the characters of every non-empty string.
struct StringHeader {
    int length;
    int allocated;  // room for characters, not counting the terminator
};

// Every empty string shares this block until it is written to.
struct EmptyBlock {
    StringHeader header{0, 0};
    char text[1]{'\0'};
};
EmptyBlock emptyBlock;

StringHeader* HeaderOf(LPSTR data)
{
    return reinterpret_cast<StringHeader*>(data) - 1;
}

bool IsShared(LPCSTR data)
{
    return data == emptyBlock.text;
}

LPSTR Allocate(int allocated)
{
    if (allocated < 0 ||
        static_cast<std::size_t>(allocated) > std::numeric_limits<int>::max() - sizeof(StringHeader) - 1)
        AfxThrowMemoryException();
    void* memory = ::operator new(sizeof(StringHeader) + static_cast<std::size_t>(allocated) + 1, std::nothrow);
    if (memory == nullptr)
        AfxThrowMemoryException();
    auto* header = static_cast<StringHeader*>(memory);
    header->length = 0;
    header->allocated = allocated;
    LPSTR data = reinterpret_cast<LPSTR>(header + 1);
    data[0] = '\0';
    return data;
}

void Release(LPSTR data)
{
    if (!IsShared(data))
        ::operator delete(HeaderOf(data));
}

int LengthOf(LPCSTR text)
{
    if (text == nullptr)
        return 0;
    const std::size_t length = std::strlen(text);
    if (length > static_cast<std::size_t>(std::numeric_limits<int>::max() - 64))
        AfxThrowMemoryException();
    return static_cast<int>(length);
}

bool IsBlank(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

orbel::StringResourceLoader& ResourceLoader()
{
    static orbel::StringResourceLoader loader = nullptr;
    return loader;
}

} // namespace

namespace orbel {

StringResourceLoader SetStringResourceLoader(StringResourceLoader loader)
{
    return std::exchange(ResourceLoader(), loader);
}

} // namespace orbel

// ---- construction and assignment

CString::CString() noexcept : m_pszData(emptyBlock.text) {}

CString::CString(const CString& stringSrc) : CString(stringSrc.m_pszData, stringSrc.GetLength()) {}

CString::CString(CString&& stringSrc) noexcept : m_pszData(std::exchange(stringSrc.m_pszData, emptyBlock.text)) {}

CString::CString(LPCSTR lpsz) : CString(lpsz, LengthOf(lpsz)) {}

CString::CString(LPCSTR lpch, int nLength) : m_pszData(emptyBlock.text)
{
    if (lpch == nullptr || nLength <= 0)
        return;
    m_pszData = Allocate(nLength);
    std::memcpy(m_pszData, lpch, static_cast<std::size_t>(nLength));
    m_pszData[nLength] = '\0';
    HeaderOf(m_pszData)->length = nLength;
}

CString::CString(char ch, int nRepeat) : m_pszData(emptyBlock.text)
{
    if (nRepeat <= 0)
        return;
    m_pszData = Allocate(nRepeat);
    std::memset(m_pszData, ch, static_cast<std::size_t>(nRepeat));
    m_pszData[nRepeat] = '\0';
    HeaderOf(m_pszData)->length = nRepeat;
}

CString::~CString()
{
    Release(m_pszData);
}

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc) {
        CString copy(stringSrc);
        std::swap(m_pszData, copy.m_pszData);
    }
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
        std::swap(m_pszData, stringSrc.m_pszData);
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    CString copy(lpsz);  // lpsz may point into this string
    std::swap(m_pszData, copy.m_pszData);
    return *this;
}

CString& CString::operator=(char ch)
{
    CString copy(ch, 1);
    std::swap(m_pszData, copy.m_pszData);
    return *this;
}

// ---- size and characters

int CString::GetLength() const
{
    return reinterpret_cast<const StringHeader*>(m_pszData)[-1].length;
}

BOOL CString::IsEmpty() const
{
    return GetLength() == 0;
}

void CString::Empty()
{
    Release(m_pszData);
    m_pszData = emptyBlock.text;
}

int CString::GetAllocLength() const
{
    return reinterpret_cast<const StringHeader*>(m_pszData)[-1].allocated;
}

char CString::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetLength() ? m_pszData[nIndex] : '\0';
}

char CString::operator[](int nIndex) const
{
    return GetAt(nIndex);
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_pszData[nIndex] = ch;
}

// ---- buffer access

LPSTR CString::GetBuffer(int nMinBufLength)
{
    const int length = GetLength();
    if (nMinBufLength < length)
        nMinBufLength = length;
    if (nMinBufLength == 0)
        return m_pszData;
    if (IsShared(m_pszData) || nMinBufLength > GetAllocLength()) {
        LPSTR data = Allocate(nMinBufLength);
        std::memcpy(data, m_pszData, static_cast<std::size_t>(length) + 1);
        HeaderOf(data)->length = length;
        Release(m_pszData);
        m_pszData = data;
    }
    return m_pszData;
}

LPSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    ReleaseBuffer(nNewLength);
    return m_pszData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (IsShared(m_pszData))
        return;
    StringHeader* header = HeaderOf(m_pszData);
    if (nNewLength < 0)
        nNewLength = static_cast<int>(strnlen(m_pszData, static_cast<std::size_t>(header->allocated)));
    nNewLength = std::min(nNewLength, header->allocated);
    header->length = nNewLength;
    m_pszData[nNewLength] = '\0';
}

void CString::FreeExtra()
{
    if (IsShared(m_pszData) || GetLength() == GetAllocLength())
        return;
    CString copy(m_pszData, GetLength());
    std::swap(m_pszData, copy.m_pszData);
}

// ---- concatenation

void CString::Append(LPCSTR lpsz, int nLength)
{
    if (lpsz == nullptr || nLength <= 0)
        return;
    const int length = GetLength();
    if (nLength > std::numeric_limits<int>::max() - 64 - length)
        AfxThrowMemoryException();
    const int needed = length + nLength;
    if (IsShared(m_pszData) || needed > GetAllocLength()) {
        // Grow geometrically so that repeated appends stay linear; lpsz may
        // point into the old block, which lives until the copy is done.
        const int room = std::max(needed, std::min(length * 2, std::numeric_limits<int>::max() - 64));
        LPSTR data = Allocate(room);
        std::memcpy(data, m_pszData, static_cast<std::size_t>(length));
        std::memcpy(data + length, lpsz, static_cast<std::size_t>(nLength));
        Release(m_pszData);
        m_pszData = data;
    } else {
        std::memmove(m_pszData + length, lpsz, static_cast<std::size_t>(nLength));
    }
    m_pszData[needed] = '\0';
    HeaderOf(m_pszData)->length = needed;
}

CString& CString::operator+=(const CString& string)
{
    Append(string.m_pszData, string.GetLength());
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    Append(lpsz, LengthOf(lpsz));
    return *this;
}

CString& CString::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

CString operator+(const CString& string1, const CString& string2)
{
    CString result(string1);
    result += string2;
    return result;
}

CString operator+(const CString& string, LPCSTR lpsz)
{
    CString result(string);
    result += lpsz;
    return result;
}

CString operator+(LPCSTR lpsz, const CString& string)
{
    CString result(lpsz);
    result += string;
    return result;
}

CString operator+(const CString& string, char ch)
{
    CString result(string);
    result += ch;
    return result;
}

CString operator+(char ch, const CString& string)
{
    CString result(ch, 1);
    result += string;
    return result;
}

// ---- comparison

int CString::Compare(LPCSTR lpsz) const
{
    return std::strcmp(m_pszData, lpsz != nullptr ? lpsz : "");
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return ::strcasecmp(m_pszData, lpsz != nullptr ? lpsz : "");
}

bool operator==(const CString& s1, const CString& s2)
{
    return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0;
}
bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// ---- parts

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int length = GetLength();
    nFirst = std::clamp(nFirst, 0, length);
    nCount = std::clamp(nCount, 0, length - nFirst);
    return CString(m_pszData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return CString(m_pszData, std::clamp(nCount, 0, GetLength()));
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_pszData + GetLength() - nCount, nCount);
}

// ---- case and order

CString& CString::MakeUpper()
{
    for (int i = 0; i < GetLength(); ++i)
        m_pszData[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(m_pszData[i])));
    return *this;
}

CString& CString::MakeLower()
{
    for (int i = 0; i < GetLength(); ++i)
        m_pszData[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(m_pszData[i])));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_pszData, m_pszData + GetLength());
    return *this;
}

// ---- trimming

CString& CString::TrimLeft()
{
    int n = 0;
    while (n < GetLength() && IsBlank(m_pszData[n]))
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    int n = 0;
    while (n < GetLength() && m_pszData[n] == chTarget)
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    if (lpszTargets == nullptr)
        return *this;
    int n = 0;
    while (n < GetLength() && std::strchr(lpszTargets, m_pszData[n]) != nullptr)
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsBlank(m_pszData[n - 1]))
        --n;
    Delete(n, GetLength() - n);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pszData[n - 1] == chTarget)
        --n;
    Delete(n, GetLength() - n);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    if (lpszTargets == nullptr)
        return *this;
    int n = GetLength();
    while (n > 0 && std::strchr(lpszTargets, m_pszData[n - 1]) != nullptr)
        --n;
    Delete(n, GetLength() - n);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

// ---- searching

int CString::Find(char ch, int nStart) const
{
    const int length = GetLength();
    if (nStart < 0)
        nStart = 0;
    for (int i = nStart; i < length; ++i) {
        if (m_pszData[i] == ch)
            return i;
    }
    return -1;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == nullptr)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    LPCSTR found = std::strstr(m_pszData + nStart, lpszSub);
    return found != nullptr ? static_cast<int>(found - m_pszData) : -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i) {
        if (m_pszData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == nullptr)
        return -1;
    const std::size_t n = std::strcspn(m_pszData, lpszCharSet);
    return static_cast<int>(n) < GetLength() ? static_cast<int>(n) : -1;
}

// ---- editing

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    for (int i = 0; i < GetLength(); ++i) {
        if (m_pszData[i] == chOld) {
            m_pszData[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    const int oldLength = LengthOf(lpszOld);
    if (oldLength == 0)
        return 0;
    const int newLength = LengthOf(lpszNew);
    CString result;
    int count = 0;
    int from = 0;
    for (int at = Find(lpszOld, 0); at >= 0; at = Find(lpszOld, from)) {
        result.Append(m_pszData + from, at - from);
        result.Append(lpszNew, newLength);
        from = at + oldLength;
        ++count;
    }
    if (count > 0) {
        result.Append(m_pszData + from, GetLength() - from);
        std::swap(m_pszData, result.m_pszData);
    }
    return count;
}

int CString::Remove(char ch)
{
    const int length = GetLength();
    if (length == 0)
        return 0;
    LPSTR end = std::remove(m_pszData, m_pszData + length, ch);
    const int removed = static_cast<int>(m_pszData + length - end);
    ReleaseBuffer(length - removed);
    return removed;
}

int CString::Insert(int nIndex, char ch)
{
    return Insert(nIndex, CString(ch, 1));
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    nIndex = std::clamp(nIndex, 0, GetLength());
    CString result(m_pszData, nIndex);
    result += psz;
    result.Append(m_pszData + nIndex, GetLength() - nIndex);
    std::swap(m_pszData, result.m_pszData);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    const int length = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= length)
        return length;
    nCount = std::min(nCount, length - nIndex);
    std::memmove(m_pszData + nIndex, m_pszData + nIndex + nCount, static_cast<std::size_t>(length - nIndex - nCount));
    ReleaseBuffer(length - nCount);
    return GetLength();
}

// ---- formatting

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == nullptr) {
        Empty();
        return;
    }
    va_list measure;
    va_copy(measure, argList);
    const int length = std::vsnprintf(nullptr, 0, lpszFormat, measure);
    va_end(measure);
    if (length <= 0) {
        Empty();
        return;
    }
    CString result;
    std::vsnprintf(result.GetBuffer(length), static_cast<std::size_t>(length) + 1, lpszFormat, argList);
    result.ReleaseBuffer(length);
    std::swap(m_pszData, result.m_pszData);
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    CString formatted;
    va_list args;
    va_start(args, lpszFormat);
    formatted.FormatV(lpszFormat, args);
    va_end(args);
    *this += formatted;
}

// ---- resources

BOOL CString::LoadString(UINT nID)
{
    if (ResourceLoader() == nullptr)
        return FALSE;
    CString loaded;
    if (!ResourceLoader()(nID, loaded))
        return FALSE;
    *this = std::move(loaded);
    return TRUE;
}
