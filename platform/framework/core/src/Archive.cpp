#include <framework/Archive.h>
#include <framework/File.h>

#include <cstring>
#include <string>

namespace {

constexpr int minimumBufferSize = 128;

// UTF-16 (little-endian code units) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const BYTE* bytes, DWORD units)
{
    std::string out;
    out.reserve(units);
    auto unit = [bytes](DWORD i) { return static_cast<DWORD>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    for (DWORD i = 0; i < units; ++i) {
        DWORD code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(nullptr), m_pFile(pFile), m_nMode(nMode), m_bUserBuf(lpBuf != nullptr), m_bClosed(FALSE),
      m_nBufSize(nBufSize < minimumBufferSize ? minimumBufferSize : nBufSize)
{
    if (lpBuf != nullptr && nBufSize < minimumBufferSize) {
        // A caller's buffer cannot be enlarged; use our own instead.
        m_bUserBuf = FALSE;
        lpBuf = nullptr;
    }
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[static_cast<std::size_t>(m_nBufSize)];
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (!m_bClosed && m_pFile != nullptr && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

BOOL CArchive::IsLoading() const
{
    return (m_nMode & load) != 0;
}

BOOL CArchive::IsStoring() const
{
    return (m_nMode & load) == 0;
}

BOOL CArchive::IsBufferEmpty() const
{
    return IsLoading() ? m_lpBufCur == m_lpBufMax : m_lpBufCur == m_lpBufStart;
}

CFile* CArchive::GetFile() const
{
    return m_pFile;
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_pFile != nullptr ? static_cast<LPCTSTR>(m_pFile->GetFilePath()) : nullptr);
}

// ---- storing

void CArchive::WriteBufferOut()
{
    if (m_lpBufCur > m_lpBufStart)
        m_pFile->Write(m_lpBufStart, static_cast<UINT>(m_lpBufCur - m_lpBufStart));
    m_lpBufCur = m_lpBufStart;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (IsLoading() || m_bClosed)
        ThrowArchive(CArchiveException::readOnly);
    const auto* in = static_cast<const BYTE*>(lpBuf);
    const auto room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nMax <= room) {
        std::memcpy(m_lpBufCur, in, nMax);
        m_lpBufCur += nMax;
        return;
    }
    // Fill the buffer, write it out, then send large blocks straight to the file.
    std::memcpy(m_lpBufCur, in, room);
    m_lpBufCur += room;
    in += room;
    nMax -= room;
    WriteBufferOut();
    if (nMax >= static_cast<UINT>(m_nBufSize)) {
        m_pFile->Write(in, nMax);
        return;
    }
    std::memcpy(m_lpBufCur, in, nMax);
    m_lpBufCur += nMax;
}

template <typename T>
CArchive& CArchive::Put(T value)
{
    if (IsLoading() || m_bClosed)
        ThrowArchive(CArchiveException::readOnly);
    if (m_lpBufCur + sizeof(T) > m_lpBufMax)
        WriteBufferOut();
    std::memcpy(m_lpBufCur, &value, sizeof(T));  // this system is little-endian, like the files
    m_lpBufCur += sizeof(T);
    return *this;
}

CArchive& CArchive::operator<<(BYTE by) { return Put(by); }
CArchive& CArchive::operator<<(char ch) { return Put(ch); }
CArchive& CArchive::operator<<(WORD w) { return Put(w); }
CArchive& CArchive::operator<<(SHORT w) { return Put(w); }
CArchive& CArchive::operator<<(INT i) { return Put(i); }
CArchive& CArchive::operator<<(UINT u) { return Put(u); }
CArchive& CArchive::operator<<(LONGLONG ll) { return Put(ll); }
CArchive& CArchive::operator<<(ULONGLONG ull) { return Put(ull); }
CArchive& CArchive::operator<<(float f) { return Put(f); }
CArchive& CArchive::operator<<(double d) { return Put(d); }

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    if (dwCount > 0xFFFFFFFFu)
        ThrowArchive(CArchiveException::genericException);
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
}

// ---- loading

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    if (IsStoring() || m_bClosed)
        ThrowArchive(CArchiveException::writeOnly);
    // Keep the unread bytes, move them to the front and top the buffer up.
    const auto unread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (unread > 0 && m_lpBufCur != m_lpBufStart)
        std::memmove(m_lpBufStart, m_lpBufCur, unread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + unread;
    const UINT got = m_pFile->Read(m_lpBufMax, static_cast<UINT>(m_nBufSize) - unread);
    m_lpBufMax += got;
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < nBytesNeeded)
        ThrowArchive(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return 0;
    if (IsStoring() || m_bClosed)
        ThrowArchive(CArchiveException::writeOnly);
    auto* out = static_cast<BYTE*>(lpBuf);
    const UINT fromBuffer = std::min(nMax, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
    std::memcpy(out, m_lpBufCur, fromBuffer);
    m_lpBufCur += fromBuffer;
    UINT left = nMax - fromBuffer;
    if (left == 0)
        return nMax;
    // The buffer is empty now: large blocks come straight from the file.
    if (left >= static_cast<UINT>(m_nBufSize))
        return fromBuffer + m_pFile->Read(out + fromBuffer, left);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + m_pFile->Read(m_lpBufStart, static_cast<UINT>(m_nBufSize));
    const UINT more = std::min(left, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
    std::memcpy(out + fromBuffer, m_lpBufCur, more);
    m_lpBufCur += more;
    return fromBuffer + more;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

template <typename T>
CArchive& CArchive::Get(T& value)
{
    if (IsStoring() || m_bClosed)
        ThrowArchive(CArchiveException::writeOnly);
    if (m_lpBufCur + sizeof(T) > m_lpBufMax)
        FillBuffer(sizeof(T));
    std::memcpy(&value, m_lpBufCur, sizeof(T));
    m_lpBufCur += sizeof(T);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by) { return Get(by); }
CArchive& CArchive::operator>>(char& ch) { return Get(ch); }
CArchive& CArchive::operator>>(WORD& w) { return Get(w); }
CArchive& CArchive::operator>>(SHORT& w) { return Get(w); }
CArchive& CArchive::operator>>(INT& i) { return Get(i); }
CArchive& CArchive::operator>>(UINT& u) { return Get(u); }
CArchive& CArchive::operator>>(LONGLONG& ll) { return Get(ll); }
CArchive& CArchive::operator>>(ULONGLONG& ull) { return Get(ull); }
CArchive& CArchive::operator>>(float& f) { return Get(f); }
CArchive& CArchive::operator>>(double& d) { return Get(d); }
CArchive& CArchive::operator>>(long long& ll) { return Get(ll); }
CArchive& CArchive::operator>>(unsigned long long& ull) { return Get(ull); }

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

ULONGLONG CArchive::GetBytesLeft() const
{
    if (IsStoring() || m_bClosed || m_pFile == nullptr)
        return 0;
    const ULONGLONG length = m_pFile->GetLength();
    const ULONGLONG position = m_pFile->GetPosition();
    const ULONGLONG inFile = length > position ? length - position : 0;
    return inFile + static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
}

void CArchive::CheckBytesLeft(ULONGLONG nBytes) const
{
    if (IsLoading() && nBytes > GetBytesLeft())
        ThrowArchive(CArchiveException::endOfFile);
}

// ---- both directions

void CArchive::Flush()
{
    if (m_bClosed || m_pFile == nullptr)
        return;
    if (IsStoring()) {
        WriteBufferOut();
    } else if (m_lpBufCur != m_lpBufMax) {
        // Give the unread bytes back so the file stands where reading stopped.
        m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

void CArchive::Close()
{
    if (m_bClosed)
        return;
    Flush();
    m_bClosed = TRUE;
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_bClosed = TRUE;
    m_pFile = nullptr;
}

// ---- strings

CArchive& operator<<(CArchive& ar, const CString& string)
{
    const auto length = static_cast<DWORD>(string.GetLength());
    if (length < 0xFF) {
        ar << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    ar.Write(static_cast<LPCTSTR>(string), length);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    BYTE byteLength;
    WORD wordLength;
    DWORD length;
    bool utf16 = false;
    ar >> byteLength;
    if (byteLength < 0xFF) {
        length = byteLength;
    } else {
        ar >> wordLength;
        if (wordLength == 0xFFFE) {
            // The UTF-16 mark; the real length follows in the usual form.
            utf16 = true;
            ar >> byteLength;
            if (byteLength < 0xFF) {
                length = byteLength;
            } else {
                ar >> wordLength;
                if (wordLength < 0xFFFF) {
                    length = wordLength;
                } else {
                    ar >> length;
                }
            }
        } else if (wordLength < 0xFFFF) {
            length = wordLength;
        } else {
            ar >> length;
        }
    }

    const ULONGLONG bytes = static_cast<ULONGLONG>(length) * (utf16 ? 2 : 1);
    ar.CheckBytesLeft(bytes);
    if (bytes > 0x7FFFFF00u)
        AfxThrowArchiveException(CArchiveException::badIndex,
                                 ar.GetFile() != nullptr ? static_cast<LPCTSTR>(ar.GetFile()->GetFilePath()) : nullptr);
    if (!utf16) {
        CString text;
        ar.EnsureRead(text.GetBuffer(static_cast<int>(length)), length);
        text.ReleaseBuffer(static_cast<int>(length));
        string = std::move(text);
        return ar;
    }
    std::string units(static_cast<std::size_t>(bytes), '\0');
    ar.EnsureRead(units.data(), static_cast<UINT>(bytes));
    const std::string utf8 = Utf16ToUtf8(reinterpret_cast<const BYTE*>(units.data()), length);
    string = CString(utf8.data(), static_cast<int>(utf8.size()));
    return ar;
}
